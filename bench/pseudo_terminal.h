#pragma once
// A pseudo-terminal of the table's size for the measuring programs: what
// the program on its other side writes is read at once by a thread of its
// own (kept, or dropped), and the question "where is the cursor?" gets the
// answer a terminal that draws the layout glyphs two cells wide gives.
// Settings are a fresh terminal's, or raw, so that what is read is
// byte for byte what was written.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace bench {

// Writes all the bytes, in as many write() calls as the file needs.
void writeWhole(int fd, std::string_view bytes);

class PseudoTerminal {
  public:
    struct Options {
        bool keepOutput = true; // for received() and waitFor()
        bool raw = true;
        int columns = 162;
        int lines = 42;
    };
    explicit PseudoTerminal(Options chosen);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The program's side: its standard input and output.
    int programSide() const { return programFd; }
    // Types bytes as a person at the keyboard would.
    void type(std::string_view keys);
    // Waits until `text` has been read; false after timeoutMs.
    bool waitFor(std::string_view text, int timeoutMs);
    // Everything read so far.
    std::string received();
    // Waits until this many bytes in all have been read.
    void waitForBytes(long long total);
    // Closes the program's side as held here (a child keeps its copies).
    void closeProgramSide();

  private:
    void readLoop();
    void answerQuestions();

    int terminalFd = -1;
    int programFd = -1;
    int stopPipe[2] = {-1, -1};
    Options options;
    std::mutex lock;
    std::condition_variable arrived;
    std::string output;
    std::size_t answeredUpTo = 0;
    long long bytesRead = 0;
    std::thread reader;
};

} // namespace bench
