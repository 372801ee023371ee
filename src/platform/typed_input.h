#pragma once
// Typed words and numbers taken one item at a time from the typed lines, the
// way formatted extraction from standard input takes them: what is left of a
// line stays for the next read.

#include <functional>
#include <optional>
#include <string>

namespace platform {

// A line of a pipe or a file from its bytes: everything up to and including
// the next '\n', a last line without one getting one. `nextByte` throws
// InputClosed at the end of the input; so does this, when nothing at all is
// left.
std::string lineOfBytes(const std::function<unsigned char()>& nextByte);

class TypedInput {
  public:
    // nextLine gives the next typed line (with its '\n') or throws InputClosed.
    using LineSource = std::string (*)();
    explicit TypedInput(LineSource nextLine) : nextLine(nextLine) {}

    std::string readWord();
    std::optional<int> readInt();
    // Forgets whatever is left of the current line.
    void discardLine() { pending.clear(); }
    const std::string& leftOver() const { return pending; }

  private:
    void skipBlanks(bool acrossLines);
    // Drops the rest of the line when only blanks and its end are left, so a
    // finished answer does not leave an empty line behind for the next read.
    void dropFinishedLine();

    LineSource nextLine;
    std::string pending;
};

} // namespace platform
