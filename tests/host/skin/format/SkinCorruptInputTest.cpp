// Broken skin packages and descriptions: each is refused with an error or
// loaded, never a crash, an endless loop or an unbounded allocation. Run
// under AddressSanitizer and UndefinedBehaviorSanitizer, which turn a read
// outside a buffer into a failure.
#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinReader.h"
#include "skin/format/WinSkinIni.h"
#include "tests/host/SkinFixtures.h"

#include <gtest/gtest.h>

#include <random>

using namespace skintest;
using skin::ESkinPackageError;
using skin::TSkinReader;

namespace {

Bytes SmallSkinPackage()
{
    Bytes bitmap = ToBytes("BM");
    const Bytes noise = NoiseBytes(1500, 11);
    for (size_t i = 0; i < 1500; ++i)
        bitmap.push_back(i % 7 == 0 ? noise[i] : static_cast<uint8_t>(i / 30));
    const std::vector<skin::TSkinPackageEntry> entries = {
        {"small.ini", ToBytes("[Title]\r\nHeight=24\r\nColour=0x00FF00\r\n[Buttons]\r\nImage=button.bmp\r\n")},
        {"button.bmp", bitmap},
        {"frametop.bmp", Bytes(bitmap.rbegin(), bitmap.rend())},
    };
    return skin::WriteSkinPackage(entries);
}

// Takes out the description and every entry, as the skin loader does.
void ReadEverything(const TSkinReader& reader)
{
    Bytes entry;
    std::string name;
    reader.ExtractEntryContaining(".ini", entry, name);
    skin::TQuickIni ini;
    ini.LoadFromStream(entry);
    ini.ReadInteger("Title", "Height", 0);
    ini.ReadString("Buttons", "Image", "");
    for (const std::string& each : reader.Names())
        reader.ExtractEntry(each, entry);
}

// Returns whether the package loaded.
bool LoadLikeTheSkinLoader(std::span<const uint8_t> compressed)
{
    TSkinReader reader;
    try {
        if (!reader.LoadPackage(compressed))
            return false;
    } catch (const ui::Exception&) {
        return false;
    }
    ReadEverything(reader);
    return true;
}

void ExpectRefused(const Bytes& unpacked, const std::string& message)
{
    TSkinReader reader;
    try {
        reader.LoadUnpacked(unpacked);
        ADD_FAILURE() << "accepted: " << message;
    } catch (const ESkinPackageError& e) {
        EXPECT_NE(e.Message().find(message), std::string::npos) << e.Message();
    }
    EXPECT_EQ(reader.Count(), 0) << message;
}

} // namespace

TEST(SkinCorruptInput, RefusesLayoutsThatRunPastTheData)
{
    RawPackage good;
    good.names = "a.ini\r\nb.bmp\r\n";
    good.sizes = {3, 4};
    good.data = ToBytes("abcBMxy");

    RawPackage reservedShort = good;
    reservedShort.version = 30000;
    reservedShort.reserved = Bytes(255, 0);
    reservedShort.names.clear();
    reservedShort.sizes.clear();
    reservedShort.data.clear();
    RawPackage negativeNames = good;
    negativeNames.namesLength = -1;
    RawPackage hugeNames = good;
    hugeNames.namesLength = INT32_MAX;
    RawPackage namesPastEnd = good;
    namesPastEnd.namesLength = static_cast<int32_t>(good.names.size() + 4 * good.sizes.size() + good.data.size() + 1);
    RawPackage tooMany;
    tooMany.names = std::string(1002, '\n');
    tooMany.sizes.assign(1002, 0);
    RawPackage tablePastEnd = good;
    tablePastEnd.sizes = {3};
    tablePastEnd.data.clear();
    RawPackage negativeSize = good;
    negativeSize.sizes = {-1, 4};
    RawPackage sizesPastData = good;
    sizesPastData.sizes = {3, 5};
    RawPackage hugeSizes = good;
    hugeSizes.sizes = {0x7FFFFFFF, 0x7FFFFFFF};

    const Bytes goodBytes = good.Build();
    const std::pair<Bytes, std::string> cases[] = {
        {Bytes(), "cannot hold the header"},
        {Bytes(goodBytes.begin(), goodBytes.begin() + 15), "cannot hold the header"},
        {reservedShort.Build(), "reserved block runs past the end"},
        {negativeNames.Build(), "names text (-1 bytes) runs past the end"},
        {hugeNames.Build(), "names text"},
        {namesPastEnd.Build(), "names text"},
        {tooMany.Build(), "more than the 1001"},
        {tablePastEnd.Build(), "table of 2 entry sizes"},
        {negativeSize.Build(), "entry 1 has a negative size"},
        {sizesPastData.Build(), "add up to more than the 7 bytes"},
        {hugeSizes.Build(), "add up to more than"},
    };
    for (const auto& [unpacked, message] : cases)
        ExpectRefused(unpacked, message);
}

TEST(SkinCorruptInput, AcceptsTheLargestEntryCount)
{
    RawPackage raw;
    for (int i = 0; i < skin::MaxSkinEntries; ++i)
        raw.names += "e" + std::to_string(i) + ".bmp\r\n";
    raw.sizes.assign(skin::MaxSkinEntries, 1);
    raw.data.assign(skin::MaxSkinEntries, 'x');
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadUnpacked(raw.Build()));
    EXPECT_EQ(reader.Count(), skin::MaxSkinEntries);
}

TEST(SkinCorruptInput, TruncatedPackagesAreRefusedOrLoaded)
{
    const Bytes compressed = skin::PackLzhPackage(SmallSkinPackage());
    ASSERT_TRUE(LoadLikeTheSkinLoader(compressed));
    for (size_t size = 0; size < compressed.size(); size += 7)
        LoadLikeTheSkinLoader(std::span(compressed).first(size));
}

TEST(SkinCorruptInput, BitFlippedPackagesAreRefusedOrLoaded)
{
    const Bytes compressed = skin::PackLzhPackage(SmallSkinPackage());
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 1000; ++trial) {
        Bytes damaged = compressed;
        const int flips = 1 + trial % 4;
        for (int i = 0; i < flips; ++i)
            damaged[rng() % damaged.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
        LoadLikeTheSkinLoader(damaged);
    }
}

// Damage in the header, names and size table of the unpacked package.
TEST(SkinCorruptInput, BitFlippedLayoutsAreRefusedOrLoaded)
{
    const Bytes unpacked = SmallSkinPackage();
    std::mt19937 rng(99);
    int loaded = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes damaged = unpacked;
        const size_t flips = 1 + trial % 3;
        for (size_t i = 0; i < flips; ++i)
            damaged[rng() % 80] ^= static_cast<uint8_t>(1u << (rng() % 8));
        TSkinReader reader;
        try {
            if (reader.LoadUnpacked(damaged)) {
                ReadEverything(reader);
                ++loaded;
            }
        } catch (const ESkinPackageError&) {
        }
    }
    EXPECT_GT(loaded, 0);  // flips in names and unused words still load
}

// The unpacked length lies: bigger sizes within the bound decode on zero
// bits and are then refused or loaded by the layout checks.
TEST(SkinCorruptInput, PackagesWithALyingLengthAreRefusedOrLoaded)
{
    const Bytes unpacked = SmallSkinPackage();
    const Bytes compressed = skin::PackLzhPackage(unpacked);
    const int64_t code = static_cast<int64_t>(compressed.size()) - 4;
    const int64_t lengths[] = {0, 1, 15, 16, static_cast<int64_t>(unpacked.size()) - 1, static_cast<int64_t>(unpacked.size()) + 1,
                               48 * code, 48 * code + 1, INT32_MAX, -1, INT32_MIN};
    for (int64_t length : lengths) {
        Bytes lying = compressed;
        const auto value = static_cast<uint32_t>(length);
        for (int i = 0; i < 4; ++i)
            lying[static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
        const bool loaded = LoadLikeTheSkinLoader(lying);
        if (length > 48 * code || length < 16) {
            EXPECT_FALSE(loaded) << length;
        }
    }
}

TEST(SkinCorruptInput, SkinStreamValuesWithALyingLengthAreRefused)
{
    const Bytes value = skin::FrameSkinStream(skin::PackLzhPackage(SmallSkinPackage()));
    for (int32_t length : {INT32_MAX, static_cast<int32_t>(value.size()), static_cast<int32_t>(value.size()) - 5}) {
        Bytes lying = value;
        for (int i = 0; i < 4; ++i)
            lying[static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(length) >> (8 * i));
        EXPECT_THROW(skin::UnframeSkinStream(lying), ESkinPackageError) << length;
    }
}

TEST(SkinCorruptInput, DamagedDescriptionsStillAnswerLookups)
{
    const std::string text = "[Buttons]\r\nRightWidth=4\r\nColour=$FF\r\n[Title]\r\nText=a=b\r\n";
    std::mt19937 rng(7);
    std::vector<std::string> cases = {"[", "]", "=", "[]", "[]\r\n=\r\n", "[=]", std::string(100000, '['),
                                      std::string("[a]\0\0=", 6), "[a]\nx=" + std::string(70000, '9'),
                                      "[a]\n=0x\n=$\n=-\n=+\n"};
    for (size_t cut = 0; cut < text.size(); ++cut)
        cases.push_back(text.substr(0, cut));
    for (int trial = 0; trial < 500; ++trial) {
        std::string damaged = text;
        damaged[rng() % damaged.size()] = static_cast<char>(rng());
        cases.push_back(damaged);
    }
    for (const std::string& description : cases) {
        skin::TQuickIni ini;
        ini.LoadFromText(description);
        std::vector<std::string> sections;
        ini.ReadSections(sections);
        for (const std::string& section : sections)
            ini.ReadInteger(section, "", 0);
        ini.ReadInteger("Buttons", "RightWidth", 0);
        ini.ReadInteger("a", "x", 0);
        ini.ReadString("Title", "Text", "");
        EXPECT_EQ(ini.ReadInteger("a", "", 5), 5);
    }
}
