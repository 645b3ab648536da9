#include "app/kexBase64.h"
#include "app/kexPassFile.h"
#include "app/kexRandom.h"
#include "tests/support/ErrorMessage.h"
#include "ui/core/SysUtils.h"

#include <gtest/gtest.h>

#include <optional>

using kex::BuildPassFile;
using kex::PassFileHeadSize;
using kex::PassFileMaxEncoded;
using kex::PassFileReadSize;
using kex::ReadEncodedPassword;

namespace {

// An executable's head: 399 bytes with every byte value, followed by bytes
// that must not reach the file.
std::string FakeExe()
{
    std::string exe(PassFileHeadSize, '\0');
    for (std::size_t i = 0; i < exe.size(); ++i)
        exe[i] = static_cast<char>(i * 7);
    return exe + "TAIL OF THE EXE";
}

kex::RandomSource Seeded(std::uint32_t seed)
{
    return [rng = kex::TRandom(seed)](std::uint32_t range) mutable { return rng.Next(range); };
}

// Always the smallest or always the largest draw.
const kex::RandomSource Lowest = [](std::uint32_t) { return 0u; };
const kex::RandomSource Highest = [](std::uint32_t range) { return range - 1; };

std::string_view AfterHead(std::string_view file)
{
    return file.substr(PassFileHeadSize);
}

template <class F>
std::optional<std::string> InOutError(F f)
{
    return testing_support::ErrorMessageOf<ui::EInOutError>(f);
}

} // namespace

TEST(PassFile, LaysOutHeadPasswordTabAndFiller)
{
    const std::string exe = FakeExe();
    const std::string coded = kex::EncodeBase64("tessaly");
    const std::string file = BuildPassFile(exe, "tessaly", Seeded(1));

    EXPECT_EQ(file.substr(0, PassFileHeadSize), exe.substr(0, PassFileHeadSize));
    EXPECT_EQ(file.substr(PassFileHeadSize, coded.size()), coded);
    EXPECT_EQ(file[PassFileHeadSize + coded.size()], '\t');
    const std::size_t tail = file.size() - (PassFileHeadSize + coded.size() + 1);
    EXPECT_GE(tail, 500u);
    EXPECT_LE(tail, 1499u);
    EXPECT_EQ(file.find("TAIL OF THE EXE"), std::string::npos);
}

TEST(PassFile, FillerSpansExactly500To1499BytesOf0To254)
{
    const std::size_t start = PassFileHeadSize + 1; // empty password: tab at 399
    const std::string lowest = BuildPassFile(FakeExe(), "", Lowest);
    EXPECT_EQ(lowest.size() - start, 500u);
    EXPECT_EQ(lowest.substr(start), std::string(500, '\0'));

    const std::string highest = BuildPassFile(FakeExe(), "", Highest);
    EXPECT_EQ(highest.size() - start, 1499u);
    EXPECT_EQ(highest.substr(start), std::string(1499, '\xFE'));
}

TEST(PassFile, EmptyPasswordPutsTheTabAt399AndLoadsEmpty)
{
    const std::string file = BuildPassFile(FakeExe(), "", Seeded(2));
    EXPECT_EQ(file[PassFileHeadSize], '\t');
    EXPECT_EQ(ReadEncodedPassword(AfterHead(file)), "");
}

TEST(PassFile, PasswordsRoundTrip)
{
    const std::string passwords[] = {
        "tessaly", "a", "ab", "abc", "\xC3\xDC\xC2\xEB" /* 密码 in code page 936 */,
        "\t", std::string("\0\xFF\x09 =", 5), std::string(200, 'x'),
    };
    std::uint32_t seed = 0;
    for (const auto& password : passwords) {
        const std::string file = BuildPassFile(FakeExe(), password, Seeded(++seed));
        EXPECT_EQ(kex::DecodeBase64(ReadEncodedPassword(AfterHead(file))), password) << password;
    }
}

TEST(PassFile, TwoSavesShareHeadAndPasswordAndDifferAfter)
{
    const std::string exe = FakeExe();
    const std::size_t shared = PassFileHeadSize + kex::EncodeBase64("tessaly").size() + 1;
    const std::string first = BuildPassFile(exe, "tessaly", Seeded(1000));
    const std::string second = BuildPassFile(exe, "tessaly", Seeded(1001));
    EXPECT_EQ(first.substr(0, shared), second.substr(0, shared));
    EXPECT_NE(first.size(), second.size());
    EXPECT_NE(first.substr(shared, 100), second.substr(shared, 100));
}

TEST(PassFile, BuildingFromAnExeShorterThan399BytesIsAReadPastTheEnd)
{
    const std::string shortExe(PassFileHeadSize - 1, 'M');
    EXPECT_EQ(InOutError([&] { BuildPassFile(shortExe, "x", Lowest); }), ui::SReadBeyondEnd);
}

TEST(PassFile, LongestPasswordIsSavedAndLongerOnesAreRefused)
{
    constexpr std::size_t longest = PassFileMaxEncoded / 4 * 3;
    const std::string file = BuildPassFile(FakeExe(), std::string(longest, 'p'), Lowest);
    EXPECT_EQ(kex::DecodeBase64(ReadEncodedPassword(AfterHead(file))), std::string(longest, 'p'));

    const auto refused = testing_support::ErrorMessageOf<ui::Exception>(
        [] { BuildPassFile(FakeExe(), std::string(longest + 1, 'p'), Lowest); });
    EXPECT_EQ(refused, kex::SPasswordTooLong);
}

TEST(PassFile, TheEncodedTextEndsAtTheFirstTab)
{
    struct Case {
        std::string afterHead;
        std::string text;
        const char* why;
    };
    const Case cases[] = {
        {"\t", "", "a tab at once: empty text"},
        {"\t\t", "", "a tab at once, whatever follows"},
        {"Zm9v\tx\ty", "Zm9v", "text up to the first tab"},
        {"Zm9v\t", "Zm9v", "a tab as the last byte"},
        {std::string("Zm\0\xFF\t", 5), std::string("Zm\0\xFF", 4), "any bytes before the tab"},
        {std::string(PassFileMaxEncoded, 'A') + "\t", std::string(PassFileMaxEncoded, 'A'), "the longest text"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadEncodedPassword(c.afterHead), c.text) << c.why;
}

TEST(PassFile, AFileWithoutItsTabIsRefused)
{
    struct Case {
        std::string afterHead;
        const char* error;
        const char* why;
    };
    const Case cases[] = {
        {"", ui::SReadBeyondEnd, "the file ends at or before offset 399"},
        {"Z", ui::SReadBeyondEnd, "one byte, no tab"},
        {"Zm", kex::SPassFileDamaged, "two bytes, no tab"},
        {"Zm9vYg", kex::SPassFileDamaged, "text without its tab"},
        {std::string(PassFileMaxEncoded, 'A'), kex::SPassFileDamaged, "the longest text without its tab"},
        {std::string(PassFileReadSize, 'A'), kex::SPassFileDamaged, "no tab where one must be"},
        {std::string(PassFileReadSize, '\0') + "\t", kex::SPassFileDamaged, "a tab too far on"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InOutError([&] { ReadEncodedPassword(c.afterHead); }), c.error) << c.why;
}
