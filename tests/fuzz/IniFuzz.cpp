// Fuzz target: INI text as the skin description reader takes it. Every
// section is looked up by name and read with keys taken from the text itself,
// as strings and as integers.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/WinSkinIni.h"

#include <string>
#include <vector>

namespace {

// Lookups per input, so that one input costs what a skin load costs.
constexpr std::size_t MaxSections = 32;
constexpr std::size_t MaxKeys = 32;

// The text before '=' on each line, roughly: candidate keys, not a second
// reading of the format.
std::vector<std::string> CandidateKeys(std::string_view text)
{
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < text.size() && keys.size() < MaxKeys) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = text.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            keys.emplace_back(line.substr(0, equals));
        start = end + 1;
    }
    return keys;
}

} // namespace

const std::size_t fuzz::TargetMaxLen = 8192;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    skin::TQuickIni ini;
    std::vector<std::string> sections;
    const bool loaded = fuzz::LoadDescription(ini, input);
    ini.ReadSections(sections);
    if (!loaded) {
        fuzz::Check(sections.empty(), "a refused text leaves nothing held");
        return;
    }
    if (sections.size() > MaxSections)
        sections.resize(MaxSections);
    const std::vector<std::string> keys = CandidateKeys(fuzz::AsText(input));
    for (const std::string& section : sections) {
        ini.FindSection(section);
        for (const std::string& key : keys) {
            const std::string value = ini.ReadString(section, key, "\x01");
            fuzz::Check(!value.empty(), "an empty value reads as the default");
            ini.ReadInteger(section, key, 0);
        }
    }
}
