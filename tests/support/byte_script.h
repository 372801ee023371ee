#pragma once
// Keys from a string, as a terminal sends them: the bytes one at a time, and
// the end of the input after the last.

#include "platform/console.h"
#include "platform/key_decoder.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

inline platform::KeyDecoder::Source bytesOf(std::string bytes) {
    auto at = std::make_shared<std::size_t>(0);
    return [bytes = std::move(bytes), at](int) -> std::optional<std::string> {
        if (*at == bytes.size()) {
            return std::nullopt;
        }
        return std::string(1, bytes[(*at)++]);
    };
}
