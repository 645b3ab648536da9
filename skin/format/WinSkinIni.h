// TQuickIni: the read-only reader of a skin description, an INI-style text.
// The text is split once; every lookup then finds its section ignoring letter
// case and scans that section's lines.
//
// Rules: lines are trimmed (characters 0..32) and empty lines and lines
// starting with ';' are dropped. A line "[...]" starts a section. A key is the
// text before the first '=' (trimmed, compared lower-cased), the value the
// trimmed text after it. For a repeated section or key the first one wins,
// and an empty value means "use the default".
//
// Only the kept lines are stored, and at most MaxIniLines of them: a text of
// millions of blank lines costs nothing, and one of millions of short lines
// is refused instead of being held line by line.
#pragma once

#include "ui/core/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

// A description the reader does not take: more lines than MaxIniLines.
class ESkinDescriptionError : public ui::Exception {
public:
    using Exception::Exception;
};

// The most lines a description may keep (section headers and key lines;
// blank lines and comments do not count). The program's own skin keeps
// about 400.
inline constexpr size_t MaxIniLines = 65536;

class TQuickIni {
public:
    // Replaces the held text with `bytes`; a zero byte ends the text. Raises
    // ESkinDescriptionError, holding nothing, for more than MaxIniLines kept
    // lines.
    void LoadFromStream(std::span<const uint8_t> bytes);
    void LoadFromText(std::string_view text);

    // Index in the kept lines of the header of section `name`, or -1. The
    // name is compared with the header's text between its brackets as it
    // stands, so "[ Tabs ]" is not found as "Tabs".
    int FindSection(std::string_view name) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // A decimal number, or hexadecimal written with a leading "$" or "0x";
    // `defaultValue` when the key is missing or the value is not such a
    // number (trailing text, several numbers, out of 32-bit range).
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // The section names, brackets removed and trimmed, in file order.
    void ReadSections(std::vector<std::string>& target) const;

private:
    struct TLine {
        size_t Start;  // in text_
        size_t Length;
    };
    std::string_view Line(size_t index) const
    {
        return std::string_view(text_).substr(lines_[index].Start, lines_[index].Length);
    }

    std::string text_;  // the kept lines, one after the other
    std::vector<TLine> lines_;
    std::vector<int> sectionLines_;  // the line index of each section header, in file order
    // The lower-cased text between the brackets of each header, and the
    // line index of its first header.
    std::unordered_map<std::string, int> sectionIndex_;
};

} // namespace skin
