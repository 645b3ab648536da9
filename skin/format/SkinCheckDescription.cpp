#include "skin/format/SkinCheckDescription.h"

#include "skin/format/SkinText.h"

namespace skin {

const TDescribedKey* TDescribedSection::Find(std::string_view name) const
{
    const auto found = index_.find(AsciiLowerCase(name));
    return found == index_.end() ? nullptr : &Keys[found->second];
}

void TDescribedSection::Add(TDescribedKey key)
{
    index_.emplace(AsciiLowerCase(key.Name), Keys.size());
    Keys.push_back(std::move(key));
}

TDescription::TDescription(std::string_view text, const std::string& file, std::vector<TSkinFinding>& findings)
    : file_(file), findings_(findings)
{
    int number = 0;
    ForEachTextLine(text, [&](std::string_view raw) {
        ++number;
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == ';')
            return;
        if (IsSectionLine(line))
            AddSection(line.substr(1, line.size() - 2), number);
        else
            AddKey(line, number);
    });
}

void TDescription::AddSection(std::string_view name, int line)
{
    if (const TDescribedSection* first = Find(name)) {
        findings_.push_back({false, file_, line, std::string(name), "",
                             "repeats the section of line " + std::to_string(first->Line) +
                                 "; only the first is read, so the keys below are not"});
        current_ = -1;
        return;
    }
    index_.emplace(AsciiLowerCase(name), sections_.size());
    sections_.emplace_back(std::string(name), line);
    current_ = static_cast<int>(sections_.size()) - 1;
}

void TDescription::AddKey(std::string_view line, int number)
{
    const std::string_view key = LineKey(line);
    if (key.empty()) {
        std::string message = "\"";  // built in steps: a one-character literal + string upsets GCC 12's -Wrestrict
        message += line;
        message += "\" is neither [Section], Key=Value nor a ; comment";
        findings_.push_back({false, file_, number, "", "", message});
        return;
    }
    if (sections_.empty()) {
        findings_.push_back({false, file_, number, "", std::string(key), "stands before the first section and is not read"});
        return;
    }
    if (current_ < 0)
        return;  // in a repeated section, reported with its header
    TDescribedSection& section = sections_[static_cast<size_t>(current_)];
    if (const TDescribedKey* first = section.Find(key)) {
        findings_.push_back({false, file_, number, section.Name, std::string(key),
                             "repeats the key of line " + std::to_string(first->Line) + "; only the first is read"});
        return;
    }
    section.Add({std::string(key), std::string(LineValue(line)), number});
}

const TDescribedSection* TDescription::Find(std::string_view name) const
{
    const auto found = index_.find(AsciiLowerCase(name));
    return found == index_.end() ? nullptr : &sections_[found->second];
}

int TDescription::LineOf(std::string_view section, std::string_view key) const
{
    const TDescribedSection* found = Find(section);
    if (!found)
        return 0;
    const TDescribedKey* entry = found->Find(key);
    return entry ? entry->Line : found->Line;
}

} // namespace skin
