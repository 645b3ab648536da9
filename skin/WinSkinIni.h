// TQuickIni: the read-only reader of a skin description, an INI-style text.
// The text is split once; every lookup then finds its section ignoring letter
// case and scans that section's lines.
//
// Rules: lines are trimmed (characters 0..32) and empty lines and lines
// starting with ';' are dropped. A line "[...]" starts a section. A key is the
// text before the first '=' (trimmed, compared lower-cased), the value the
// trimmed text after it. For a repeated section or key the first one wins,
// and an empty value means "use the default".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

class TQuickIni {
public:
    // Replaces the held text with `bytes`; a zero byte ends the text.
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
    std::vector<std::string> lines_;
    std::vector<std::pair<std::string, int>> sections_;  // header text, line index
};

} // namespace skin
