#pragma once
// What reaches the terminal, in one write() whenever the program is about to
// wait: the control sequences the backend itself sends (entering the screen,
// the questions to the terminal, the notice of a small window), then the
// frame that brings the terminal to what the screen model shows. Text for a
// terminal in another codeset is converted on the way out.

#include "platform/frame_encoder.h"
#include "platform/posix/codeset.h"
#include "platform/screen_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

class TerminalOutput {
  public:
    explicit TerminalOutput(ScreenModel& model) : model(model) {}

    // Whether the terminal draws the layout glyphs one cell wide; when it
    // does, each is followed by a filler cell.
    void setGlyphsNarrow(bool narrow) { encoder.setGlyphsNarrow(narrow); }
    // The terminal's size: cells outside it are not sent.
    void setTerminalSize(int columns, int lines) { encoder.setWindow(columns, lines); }
    // A terminal that speaks another codeset gets what is sent converted.
    void setRecoder(Recoder* terminalCodeset) { recoder = terminalCodeset; }

    // Raw control text that changes nothing the frames keep track of.
    void control(std::string_view sequence) { pending.append(sequence); }
    // Raw text that leaves the terminal's cursor somewhere the frames do not
    // follow (a question to the terminal).
    void controlMovingCursor(std::string_view sequence) {
        pending.append(sequence);
        encoder.loseCursor();
    }
    // The terminal is being set up afresh (after a suspend) with `setup`;
    // whatever was still waiting to be sent is dropped, and the next frame
    // draws the whole screen.
    void restart(std::string_view setup);
    // A message over the whole screen that is not part of the table; no
    // frame is sent until repaint().
    void notice(const std::vector<std::string>& lines) {
        pending += encoder.notice(lines);
        framesHeld = true;
    }
    // The next frame draws the whole screen again (the terminal lost it, or
    // showed a notice).
    void repaint() {
        encoder.forget();
        framesHeld = false;
    }

    // What flush would send, in UTF-8; takes it, as flush does.
    std::string takePending();
    // Sends what is waiting and the next frame to the file in one write().
    // Returns false when the file is gone. Nothing is written when nothing
    // changed.
    bool flush(int fd);

  private:
    ScreenModel& model;
    FrameEncoder encoder;
    std::string pending;
    bool framesHeld = false;
    Recoder* recoder = nullptr;
};

} // namespace platform::posix
