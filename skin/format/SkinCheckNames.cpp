#include "skin/format/SkinCheckNames.h"

#include "skin/format/SkinText.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

// The candidate nearest to `name` when it is close enough to be what was
// meant: at most 2 edits, and fewer than half the name's length.
std::string Nearest(std::string_view name, const std::vector<std::string>& candidates)
{
    std::string best;
    size_t bestDistance = 3;
    for (const std::string& candidate : candidates) {
        const size_t distance = EditDistance(name, candidate);
        if (distance < bestDistance && distance * 2 < name.size()) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

// The numbered sections' names carry the number the name ends with.
std::vector<std::string> SectionCandidates(std::string_view name)
{
    size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9')
        --digits;
    const std::string number(name.substr(digits));
    std::vector<std::string> candidates;
    for (const TSkinSection& section : SkinSections) {
        if (section.Match == TSectionMatch::Exact)
            candidates.emplace_back(section.Name);
        else if (!number.empty())
            candidates.push_back(std::string(section.Name.substr(0, section.Name.find('<'))) + number);
    }
    return candidates;
}

std::string Suggestion(const std::string& nearest, std::string_view before, std::string_view after)
{
    return nearest.empty() ? "" : "; did you mean " + std::string(before) + nearest + std::string(after) + "?";
}

// The sections other than `section` that have a key `name`.
std::string OwnersOf(const TSkinSection& section, std::string_view name)
{
    std::string owners;
    for (const TSkinSection& other : SkinSections)
        if (&other != &section && FindSkinKey(other, name))
            owners += (owners.empty() ? "" : ", ") + std::string("[") + std::string(other.Name) + "]";
    return owners;
}

} // namespace

size_t EditDistance(std::string_view a, std::string_view b)
{
    const std::string x = AsciiLowerCase(a), y = AsciiLowerCase(b);
    std::vector<size_t> row(y.size() + 1);
    for (size_t j = 0; j <= y.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= x.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= y.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[y.size()];
}

std::string UnknownSectionMessage(std::string_view name)
{
    return "unknown section, not read by the engine" + Suggestion(Nearest(name, SectionCandidates(name)), "[", "]");
}

std::string UnknownKeyMessage(const TSkinSection& section, std::string_view name)
{
    std::vector<std::string> candidates;
    for (TSkinKeys list : section.Keys)
        for (const TSkinKey& key : list)
            candidates.emplace_back(key.Name);
    const std::string nearest = Nearest(name, candidates);
    if (!nearest.empty())
        return "unknown key, not read in this section" + Suggestion(nearest, "", "");
    const std::string owners = OwnersOf(section, name);
    return "unknown key, not read in this section" + (owners.empty() ? "" : " (" + owners + " read it)");
}

} // namespace skin
