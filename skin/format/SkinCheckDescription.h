// The skin checker's reading of a description line by line, by the rules of
// TQuickIni (WinSkinIni.h), keeping where each section and key stands so
// that findings can name the line. Lines the engine never reads (a line
// that is neither a section, a key nor a comment, keys before the first
// section, repeated sections and keys) are findings of their own.
#pragma once

#include "skin/format/SkinCheck.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace skin {

struct TDescribedKey {
    std::string Name;  // as written
    std::string Value;
    int Line = 0;
};

struct TDescribedSection {
    TDescribedSection(std::string name, int line) : Name(std::move(name)), Line(line) {}

    std::string Name;  // the text between the brackets, as written
    int Line = 0;
    std::vector<TDescribedKey> Keys;  // the first of each name, in file order

    // The key `name` (letter case aside), or null.
    const TDescribedKey* Find(std::string_view name) const;
    void Add(TDescribedKey key);

private:
    std::unordered_map<std::string, size_t> index_;  // lower-cased name: place in Keys
};

class TDescription {
public:
    // Reads `text`, adding a finding about `file` for each line the engine
    // does not read.
    TDescription(std::string_view text, const std::string& file, std::vector<TSkinFinding>& findings);

    // The sections the engine reads (the first of each name), in file order.
    const std::vector<TDescribedSection>& Sections() const { return sections_; }
    // The section `name` as the engine finds it (TQuickIni::FindSection), or null.
    const TDescribedSection* Find(std::string_view name) const;
    // The line of `key` in section `section`, else of the section's header,
    // else 0.
    int LineOf(std::string_view section, std::string_view key) const;

private:
    void AddSection(std::string_view name, int line);
    void AddKey(std::string_view line, int number);

    const std::string& file_;
    std::vector<TSkinFinding>& findings_;
    std::vector<TDescribedSection> sections_;
    std::unordered_map<std::string, size_t> index_;  // lower-cased name: place in sections_
    int current_ = -1;  // index in sections_; -1 before the first section and in a repeated one
};

} // namespace skin
