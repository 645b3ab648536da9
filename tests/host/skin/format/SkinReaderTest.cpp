#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinReader.h"
#include "tests/host/SkinFixtures.h"

#include <gtest/gtest.h>

using namespace skintest;
using skin::ESkinPackageError;
using skin::TSkinPackageEntry;
using skin::TSkinReader;

namespace {

const std::vector<TSkinPackageEntry> SampleEntries = {
    {"Light.INI", ToBytes("[Title]\r\nHeight=24\r\n")},
    {"FrameTop.bmp", ToBytes("BM frame top")},
    {"button.bmp", ToBytes("BM button")},
    {"empty.bmp", {}},
    {"second.ini", ToBytes("[Other]\r\n")},
};

TSkinReader LoadCompressed(const Bytes& unpacked)
{
    TSkinReader reader;
    EXPECT_TRUE(reader.LoadPackage(skin::PackLzhPackage(unpacked)));
    return reader;
}

} // namespace

TEST(SkinReader, ListsEntriesLowerCasedInPackageOrder)
{
    const TSkinReader reader = LoadCompressed(skin::WriteSkinPackage(SampleEntries));
    EXPECT_EQ(reader.Header().Version, 20000);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"light.ini", "frametop.bmp", "button.bmp", "empty.bmp", "second.ini"}));
    EXPECT_EQ(reader.Sizes(), (std::vector<int32_t>{20, 12, 9, 0, 9}));
    EXPECT_EQ(reader.Count(), 5);
}

TEST(SkinReader, ExtractEntryIgnoresLetterCaseAndClearsTheTarget)
{
    const TSkinReader reader = LoadCompressed(skin::WriteSkinPackage(SampleEntries));
    Bytes target = ToBytes("stale");
    EXPECT_TRUE(reader.ExtractEntry("FrameTop.bmp", target));
    EXPECT_EQ(ToText(target), "BM frame top");
    EXPECT_TRUE(reader.ExtractEntry("BUTTON.BMP", target));
    EXPECT_EQ(ToText(target), "BM button");
    EXPECT_TRUE(reader.ExtractEntry("empty.bmp", target));
    EXPECT_TRUE(target.empty());

    target = ToBytes("stale");
    EXPECT_FALSE(reader.ExtractEntry("missing.bmp", target));
    EXPECT_TRUE(target.empty());
}

TEST(SkinReader, ExtractEntryContainingTakesTheFirstMatchAsGiven)
{
    const TSkinReader reader = LoadCompressed(skin::WriteSkinPackage(SampleEntries));
    Bytes target;
    std::string name = "unchanged";
    EXPECT_TRUE(reader.ExtractEntryContaining(".ini", target, name));
    EXPECT_EQ(name, "light.ini");
    EXPECT_EQ(ToText(target), "[Title]\r\nHeight=24\r\n");

    // The fragment is not lower-cased: held names are, so this misses.
    name = "unchanged";
    EXPECT_FALSE(reader.ExtractEntryContaining(".INI", target, name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_TRUE(target.empty());
}

TEST(SkinReader, RepeatedNamesGiveTheFirstEntry)
{
    RawPackage raw;
    raw.names = "a.bmp\r\nA.BMP\r\n";
    raw.sizes = {2, 3};
    raw.data = ToBytes("11222");
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadUnpacked(raw.Build()));
    Bytes target;
    reader.ExtractEntry("a.bmp", target);
    EXPECT_EQ(ToText(target), "11");
}

// The reserved block is filled with bytes that would read as names and sizes
// if it were not skipped.
TEST(SkinReader, ReadsEveryVersionSkippingItsReservedBlock)
{
    const struct {
        int32_t version;
        size_t reserved;
    } versions[] = {{20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}};
    for (auto [version, reserved] : versions) {
        RawPackage raw;
        raw.version = version;
        for (size_t i = 0; i < reserved; ++i)
            raw.reserved.push_back(static_cast<uint8_t>("x.ini\r\n\x05"[i % 8]));
        raw.names = "Skin.ini\r\nTop.bmp\r\n";
        raw.sizes = {4, 3};
        raw.data = ToBytes("[a]\nBMx");
        const Bytes package = raw.Build();
        ASSERT_EQ(package[16 + reserved], 'S') << version;  // the names follow the reserved block

        TSkinReader reader;
        ASSERT_TRUE(reader.LoadPackage(skin::PackLzhPackage(package))) << version;
        EXPECT_EQ(reader.Header().Version, version);
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"skin.ini", "top.bmp"})) << version;
        Bytes target;
        reader.ExtractEntry("top.bmp", target);
        EXPECT_EQ(ToText(target), "BMx") << version;
    }
}

TEST(SkinReader, UnknownVersionLoadsNothing)
{
    for (int32_t version : {10000, 0, 20001, 60000, -20000}) {
        RawPackage raw;
        raw.version = version;
        raw.names = "a.bmp\r\n";
        raw.sizes = {1};
        raw.data = {'x'};
        TSkinReader reader;
        EXPECT_FALSE(reader.LoadPackage(skin::PackLzhPackage(raw.Build()))) << version;
        EXPECT_EQ(reader.Count(), 0) << version;
    }
    EXPECT_STREQ(skin::SOlderSkinFile, "This is Older Skin File\rPlease update to new version !");
}

TEST(SkinReader, SplitsNamesAtEveryLineBreakUpToAZeroByte)
{
    const struct {
        std::string names;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\n\0b\r\n", {"a"}},
        {"\r\n", {""}},
        {"\xC4X.BMP", {"\xC4x.bmp"}},  // only ASCII letters are lower-cased
    };
    for (const auto& c : cases) {
        RawPackage raw;
        raw.names = c.names;
        raw.sizes.assign(c.expected.size(), 0);
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadUnpacked(raw.Build()));
        EXPECT_EQ(reader.Names(), c.expected) << c.names;
    }
}

TEST(SkinPackageWriter, WritesTheVersion20000Layout)
{
    const std::vector<TSkinPackageEntry> entries = {{"a.ini", ToBytes("xy")}, {"b.bmp", ToBytes("BMz")}};
    RawPackage expected;
    expected.names = "a.ini\r\nb.bmp\r\n";
    expected.sizes = {2, 3};
    expected.data = ToBytes("xyBMz");
    Bytes layout = expected.Build();
    std::fill(layout.begin() + 8, layout.begin() + 16, 0);  // the unused words are written as zero
    EXPECT_EQ(skin::WriteSkinPackage(entries), layout);
}

TEST(SkinPackageWriter, RefusesNamesItCannotStore)
{
    const std::vector<std::vector<TSkinPackageEntry>> cases = {
        {{"", {}}},
        {{"a\nb.bmp", {}}},
        {{"a\rb.bmp", {}}},
        {{std::string("a\0b", 3), {}}},
        {{"Top.bmp", {}}, {"top.BMP", {}}},
        std::vector<TSkinPackageEntry>(skin::MaxSkinEntries + 1),
    };
    for (const auto& entries : cases)
        EXPECT_THROW(skin::WriteSkinPackage(entries), ESkinPackageError) << entries.size();
}

TEST(SkinStreamFraming, FramesAndUnframesTheCompressedPackage)
{
    const Bytes package = ToBytes("compressed package");
    const Bytes value = skin::FrameSkinStream(package);
    ASSERT_EQ(value.size(), package.size() + 4);
    EXPECT_EQ(skin::ReadInt32LE(value, 0), static_cast<int32_t>(package.size()));
    const auto inner = skin::UnframeSkinStream(value);
    EXPECT_EQ(Bytes(inner.begin(), inner.end()), package);

    EXPECT_EQ(skin::FrameSkinStream({}), Bytes(4, 0));
    EXPECT_TRUE(skin::UnframeSkinStream(Bytes(4, 0)).empty());
    EXPECT_TRUE(skin::UnframeSkinStream(Bytes(4, 0xFF)).empty());  // a negative length holds nothing
}

TEST(SkinStreamFraming, RefusesAValueThatDoesNotMatchItsLength)
{
    const Bytes good = skin::FrameSkinStream(ToBytes("abc"));
    Bytes longer = good;
    longer.push_back(0);
    Bytes negativeWithBytes = Bytes(4, 0xFF);
    negativeWithBytes.push_back(1);
    for (const Bytes& value : {Bytes{1, 0}, Bytes(good.begin(), good.end() - 1), longer, negativeWithBytes})
        EXPECT_THROW(skin::UnframeSkinStream(value), ESkinPackageError) << value.size();
}
