#include "game/save_reader.h"

#include <charconv>

namespace {

// The words of one line, split at single blanks.
std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t from = 0;
    while (from <= line.size()) {
        const std::size_t blank = std::min(line.find(' ', from), line.size());
        words.push_back(line.substr(from, blank - from));
        from = blank + 1;
    }
    return words;
}

} // namespace

SaveReader::SaveReader(std::string_view body) {
    std::size_t from = 0;
    while (from < body.size()) {
        const std::size_t end = body.find('\n', from);
        lines.push_back(body.substr(from, end - from));
        from = end + 1;
    }
}

bool SaveReader::nextIs(std::string_view field) const {
    return ok() && at < lines.size() && lines[at].starts_with(field) && lines[at].size() > field.size() &&
           lines[at][field.size()] == ' ';
}

std::vector<std::string_view> SaveReader::next(std::string_view field, int count) {
    if (!ok()) {
        return {};
    }
    if (at >= lines.size()) {
        fault = "it ends before its " + std::string(field) + " line";
        return {};
    }
    if (count == -2 && lines[at] == field) {
        ++at;
        return {};
    }
    std::vector<std::string_view> words = wordsOf(lines[at++]);
    if (words[0] != field || (count >= 0 && words.size() != static_cast<std::size_t>(count) + 1) ||
        (count < 0 && words.size() == 1)) {
        fault = "line " + std::to_string(at) + " is not the " + std::string(field) + " line it should be";
        return {};
    }
    words.erase(words.begin());
    return words;
}

std::string_view SaveReader::rawLine(std::string_view mark) {
    if (!ok()) {
        return {};
    }
    if (at >= lines.size() || !lines[at].starts_with(mark)) {
        fault = at >= lines.size() ? "it ends inside its history text"
                                   : "line " + std::to_string(at + 1) + " is not a line of history text";
        return {};
    }
    return lines[at++].substr(mark.size());
}

std::int64_t SaveReader::number(std::string_view word, std::int64_t low, std::int64_t high) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    const bool whole = error == std::errc{} && end == word.data() + word.size() && !word.empty();
    // Only the save's own spelling: "-0", "007" and "+1" are not numbers it writes.
    if (!whole || std::to_string(value) != word || value < low || value > high) {
        impossible("'" + std::string(word) + "'");
        return low;
    }
    return value;
}

std::uint32_t SaveReader::hex(std::string_view word) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (word.size() != 8 || error != std::errc{} || end != word.data() + word.size() ||
        word.find_first_not_of("0123456789abcdef") != std::string_view::npos) {
        impossible("'" + std::string(word) + "'");
        return 0;
    }
    return value;
}

bool SaveReader::flag(std::string_view word, std::string_view yes, std::string_view no) {
    if (word != yes && word != no) {
        impossible("'" + std::string(word) + "'");
    }
    return word == yes;
}

void SaveReader::impossible(const std::string& what) {
    if (ok()) {
        fault = "line " + std::to_string(at) + " holds an impossible value: " + what;
    }
}
