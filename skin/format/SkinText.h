// Text rules shared by the skin package's names text and the skin
// description: ASCII-only lower-casing and splitting into lines.
#pragma once

#include <string>
#include <string_view>

namespace skin {

inline char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

// Whether `a` and `b` are the same text but for the letter case of ASCII letters.
inline bool SameAsciiText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

inline std::string AsciiUpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// `text` without the blanks and control characters (0 ... 32) at its ends.
inline std::string_view TrimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Whether a (trimmed) description line is a section header "[...]".
inline bool IsSectionLine(std::string_view line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// The key of a description line: the text before its first '=', trimmed;
// empty for a line without '='.
inline std::string_view LineKey(std::string_view line)
{
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(0, equals));
}

// The value of a description line: the text after its first '=', trimmed.
inline std::string_view LineValue(std::string_view line)
{
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(equals + 1));
}

// Calls `visit` with each line of `text`, in order, without keeping them:
// lines end at CR, LF or CR LF, a zero character ends the text, and a line
// break at the end adds no empty line; empty lines elsewhere are visited.
// Visiting one line at a time lets a caller refuse a text with too many
// lines before it has stored them all.
template <class Visit>
void ForEachTextLine(std::string_view text, Visit&& visit)
{
    text = text.substr(0, text.find('\0'));
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        visit(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
}

} // namespace skin
