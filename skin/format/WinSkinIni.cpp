#include "skin/format/WinSkinIni.h"

#include "skin/format/SkinText.h"

#include <algorithm>
#include <limits>

namespace skin {

namespace {

// The key of a line (empty without '=') compared with a lower-cased key.
bool KeyIs(std::string_view line, std::string_view lowerKey)
{
    const std::string_view key = LineKey(line);
    return key.size() == lowerKey.size() &&
           std::equal(key.begin(), key.end(), lowerKey.begin(), [](char x, char y) { return AsciiLower(x) == y; });
}

int DigitValue(char c, int base)
{
    int value = base;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Signed decimal, or hexadecimal after '$'. Hexadecimal runs to 32 bits
// ($FFFFFFFF is -1), as colour values are written that way.
bool ParseInt32(std::string_view s, int32_t& result)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    uint64_t value = 0;
    for (char c : s) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return false;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > limit)
            return false;
    }
    const auto bits = static_cast<uint32_t>(value);
    result = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

} // namespace

void TQuickIni::LoadFromStream(std::span<const uint8_t> bytes)
{
    LoadFromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TQuickIni::LoadFromText(std::string_view text)
{
    TQuickIni loaded;
    ForEachTextLine(text, [&loaded](std::string_view raw) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == ';')
            return;
        if (loaded.lines_.size() == MaxIniLines)
            throw ESkinDescriptionError("The skin description has more than the " + std::to_string(MaxIniLines) +
                                        " lines a description may have");
        const int index = static_cast<int>(loaded.lines_.size());
        if (IsSectionLine(line)) {
            loaded.sectionLines_.push_back(index);
            loaded.sectionIndex_.emplace(AsciiLowerCase(line.substr(1, line.size() - 2)), index);
        }
        loaded.lines_.push_back({loaded.text_.size(), line.size()});
        loaded.text_ += line;
    });
    *this = std::move(loaded);
}

int TQuickIni::FindSection(std::string_view name) const
{
    const auto found = sectionIndex_.find(AsciiLowerCase(name));
    return found == sectionIndex_.end() ? -1 : found->second;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const int header = FindSection(section);
    if (header < 0)
        return std::string(defaultValue);
    const std::string lowerKey = AsciiLowerCase(key);
    for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size() && !IsSectionLine(Line(i)); ++i) {
        if (KeyIs(Line(i), lowerKey)) {
            const std::string_view value = LineValue(Line(i));
            return std::string(value.empty() ? defaultValue : value);
        }
    }
    return std::string(defaultValue);
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const
{
    std::string s = ReadString(section, key, "");
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.replace(0, 2, "$");
    int32_t value = 0;
    return ParseInt32(s, value) ? value : defaultValue;
}

void TQuickIni::ReadSections(std::vector<std::string>& target) const
{
    target.clear();
    for (const int index : sectionLines_) {
        const std::string_view header = Line(static_cast<size_t>(index));
        target.emplace_back(TrimBlanks(header.substr(1, header.size() - 2)));
    }
}

} // namespace skin
