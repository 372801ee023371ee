#pragma once
// Keys from a string, as a terminal sends them: the bytes one at a time, and
// the end of the input after the last.

#include "platform/console.h"
#include "platform/key_decoder.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

inline platform::ByteSource bytesOf(std::string bytes) {
    struct Script {
        std::string bytes;
        std::size_t at = 0;
    };
    auto script = std::make_shared<Script>(Script{std::move(bytes)});
    return {[script]() -> unsigned char {
                if (script->at == script->bytes.size()) {
                    throw platform::InputClosed();
                }
                return static_cast<unsigned char>(script->bytes[script->at++]);
            },
            [script](int) -> std::optional<unsigned char> {
                if (script->at == script->bytes.size()) {
                    return std::nullopt;
                }
                return static_cast<unsigned char>(script->bytes[script->at++]);
            },
            [script](std::string_view kept) { script->bytes.insert(script->at, kept); }};
}
