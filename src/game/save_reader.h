#pragma once
// Reads a save's lines in order, field by field; the first fault stops it
// and is what the refusal says.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SaveReader {
  public:
    explicit SaveReader(std::string_view body);

    // The words after `field` on the next line, which must start with it
    // and have `count` words after it (any number when count is -1, any
    // number or none when it is -2).
    std::vector<std::string_view> next(std::string_view field, int count);
    // The next line whole, which must start with `mark`, without it.
    std::string_view rawLine(std::string_view mark);
    // True when the next line starts with `field` and a blank.
    bool nextIs(std::string_view field) const;

    // A whole number in [low, high], written as the save writes it: plain
    // decimal digits, no sign but a minus, no leading zero.
    std::int64_t number(std::string_view word, std::int64_t low, std::int64_t high);
    // Eight lower-case hexadecimal digits.
    std::uint32_t hex(std::string_view word);
    bool flag(std::string_view word, std::string_view yes, std::string_view no);
    // Marks the save as holding a value no game can reach.
    void impossible(const std::string& what);

    bool finished() const { return at == lines.size(); }
    bool ok() const { return fault.empty(); }

    std::string fault;

  private:
    std::vector<std::string_view> lines;
    std::size_t at = 0;
};
