// Saves from arbitrary bytes, read as they are and again with their
// checksum made right, as a crafted save would have it. Whatever the reader
// takes must be a game the table can play: written again it reads back the
// same, and taken up on the fake console it plays two hands with the books
// balanced and no arithmetic that overflows (the sanitizers watch).
#include "fake/books.h"
#include "fake/fake_console.h"
#include "files/checksum.h"
#include "game/game_table.h"
#include "game/saved_game.h"
#include "platform/console.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "save fuzzer: %s\n", what.c_str());
    std::abort();
}

std::string resealed(const std::string& text) {
    const std::string body = text.substr(0, text.rfind("checksum "));
    char sum[9];
    std::snprintf(sum, sizeof sum, "%08x", files::crc32(body));
    return body + "checksum " + sum + "\n";
}

void playTwoHands(const SavedGame& game) {
    fake::reset();
    GameTable table(game.seed);
    fake::Books books(table);
    int keys = 0;
    fake::atEveryWait([&] { books.atWait(); });
    fake::whenScriptRunsOut([&](fake::Wait wait) -> std::string {
        if (wait == fake::Wait::Key) {
            return ++keys > 2 ? "" : "\r";
        }
        return "1\n"; // a bet, then an amount out of bounds and a key, then the input ends
    });
    try {
        table.resumeGame(game);
    } catch (const platform::InputClosed&) {
    }
    fake::whenScriptRunsOut(nullptr);
    fake::atEveryWait(nullptr);
    if (!books.faults().empty()) {
        fail(books.faults().front());
    }
}

void tryText(const std::string& text) {
    std::string problem;
    const std::optional<SavedGame> game = decodeSave(text, problem);
    if (!game) {
        return;
    }
    const std::string again = encodeSave(*game);
    const std::optional<SavedGame> back = decodeSave(again, problem);
    if (!back || encodeSave(*back) != again) {
        fail("a save read and written again does not read back the same: " + problem);
    }
    if (!game->finished()) {
        playTwoHands(*game);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tryText(text);
    tryText(resealed(text));
    return 0;
}
