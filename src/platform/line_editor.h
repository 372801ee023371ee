#pragma once
// The game's own editing of a typed line, the same on every console: keys
// are read one by one and the text is echoed in the screen model at the
// cursor, so what the screen shows is exactly what the game takes.

#include "platform/screen_model.h"

#include <functional>
#include <string>

namespace platform {

// One key as line editing sees it.
struct LineKey {
    enum class Kind {
        character, // a character typed or pasted
        enter,     // the end of the line
        erase,     // Backspace: the last character goes
        eraseLine, // Ctrl-U: the whole line goes
        endOfInput, // Ctrl-D: the end of the input, on an empty line
        none,      // a key that means nothing to a typed line
    };
    Kind kind = Kind::none;
    char32_t character = 0;
};

// What a character read from the console means to a typed line: CR or LF
// ends it, BS or DEL takes back a character, Ctrl-U clears it, Ctrl-D ends
// the input; other controls mean nothing, and the rest is typed.
LineKey lineKeyFor(char32_t c);

// Reads one line at the model's cursor, the cursor shown meanwhile: each
// character echoed (one that cannot be shown as "?", and taken as "?");
// Backspace takes back a character and its cells, Ctrl-U the line; one that
// would reach column `edge` is refused with a bell. Enter on nothing but
// blanks waits on, as a read of a word or a number does. Returns the line
// without its end; throws InputClosed for Ctrl-D on an empty line, or when
// the keys run out.
std::string editLine(ScreenModel& model, int edge, const std::function<LineKey()>& nextKey);

} // namespace platform
