#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"
#include "tests/host/SkinFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace skintest;
using skin::ElzhException;
using skin::UnpackLzhPackage;

namespace {

Bytes WithLength(int32_t length, const Bytes& code)
{
    Bytes package;
    skin::AppendInt32LE(package, length);
    package.insert(package.end(), code.begin(), code.end());
    return package;
}

uint32_t Fnv1a(std::span<const uint8_t> bytes)
{
    uint32_t hash = 2166136261u;
    for (uint8_t b : bytes)
        hash = (hash ^ b) * 16777619u;
    return hash;
}

// Encodes, decodes and checks that the decoder read every coded byte.
void ExpectRoundTrip(const Bytes& text, const std::string& what)
{
    const Bytes package = skin::PackLzhPackage(text);
    ASSERT_EQ(skin::ReadInt32LE(package, 0), static_cast<int32_t>(text.size())) << what;
    size_t consumed = 0;
    const Bytes decoded = UnpackLzhPackage(package, &consumed);
    ASSERT_EQ(decoded, text) << what;
    EXPECT_EQ(consumed, package.size() - 4) << what;
}

// Skin-like content: rows of 24-bit gradients, each repeated a few times,
// with sparse noise.
Bytes SkinLikeBytes(size_t count)
{
    Bytes bytes;
    const Bytes noise = NoiseBytes(count, 99);
    for (size_t i = 0; bytes.size() < count; ++i) {
        const size_t row = i / 720;
        const size_t x = i % 720;
        bytes.push_back(noise[i] % 29 == 0 ? noise[i] : static_cast<uint8_t>(x / 3 + row / 3));
    }
    return bytes;
}

// Unpacks a package as UnpackLzhPackage does, but through TLZH's callbacks,
// one byte at a time: the decoder as the format describes it. `consumed`
// receives how many code bytes it read.
Bytes UnpackThroughCallbacks(const Bytes& package, size_t& consumed)
{
    const std::span<const uint8_t> code = std::span(package).subspan(4);
    consumed = 0;
    Bytes out;
    skin::TLZH().Unpack(
        skin::ReadInt32LE(package, 0),
        [&](uint8_t* buffer, uint16_t requested, uint16_t& actual) {
            actual = static_cast<uint16_t>(std::min<size_t>(requested, code.size() - consumed));
            std::copy_n(code.begin() + static_cast<ptrdiff_t>(consumed), actual, buffer);
            consumed += actual;
        },
        [&](const uint8_t* buffer, uint16_t requested, uint16_t& actual) {
            out.insert(out.end(), buffer, buffer + requested);
            actual = requested;
        });
    return out;
}

// The memory-to-memory unpack must give what the callbacks give, byte for
// byte, and report the same code bytes read. The package is copied into a
// buffer of its exact size, so that AddressSanitizer catches a read past it.
void ExpectBothDecodersAgree(std::span<const uint8_t> package, const std::string& what)
{
    const Bytes exact(package.begin(), package.end());
    size_t consumedThroughCallbacks = 0;
    const Bytes expected = UnpackThroughCallbacks(exact, consumedThroughCallbacks);
    size_t consumed = 0;
    const Bytes decoded = UnpackLzhPackage(exact, &consumed);
    ASSERT_EQ(decoded.size(), expected.size()) << what;
    EXPECT_EQ(std::mismatch(decoded.begin(), decoded.end(), expected.begin()).first - decoded.begin(),
              static_cast<ptrdiff_t>(decoded.size()))
        << what << ": position of the first difference";
    EXPECT_EQ(consumed, consumedThroughCallbacks) << what;
}

// For each period from 1 to `largestPeriod`: `count` bytes that repeat a
// random pattern of that many bytes, then three random bytes breaking it off.
Bytes PeriodicBytes(int largestPeriod, size_t count)
{
    Bytes bytes;
    for (int period = 1; period <= largestPeriod; ++period) {
        const Bytes pattern = NoiseBytes(static_cast<size_t>(period), static_cast<uint32_t>(period));
        for (size_t i = 0; i < count; ++i)
            bytes.push_back(pattern[i % pattern.size()]);
        const Bytes breaker = NoiseBytes(3, 1000u + static_cast<uint32_t>(period));
        bytes.insert(bytes.end(), breaker.begin(), breaker.end());
    }
    return bytes;
}

} // namespace

// Streams whose bits were worked through by hand and checked with an
// independently written decoder.
TEST(LzhDecoder, DecodesKnownStreams)
{
    const struct {
        Bytes code;
        std::string text;
    } cases[] = {
        {{0xE6, 0x80}, "A"},
        {{0xE6, 0xF3, 0xA4, 0x40, 0x20}, "ABABABABAB"},
        {{0xF6, 0xFB, 0xBD, 0xF3, 0x60, 0x2F, 0x27, 0x97, 0xCC}, "abcabcabcabcabcabcabcXYZ"},
    };
    for (const auto& c : cases) {
        size_t consumed = 0;
        EXPECT_EQ(ToText(UnpackLzhPackage(WithLength(static_cast<int32_t>(c.text.size()), c.code), &consumed)), c.text);
        EXPECT_EQ(consumed, c.code.size()) << c.text;
        EXPECT_EQ(skin::LzhEncode(ToBytes(c.text)), c.code) << c.text;
    }
}

// Match symbol of length 10 (code 10010011), distance 0 (000 000000): it
// copies from the space-filled part of the dictionary.
TEST(LzhDecoder, MatchAtTheStartYieldsSpaces)
{
    EXPECT_EQ(ToText(UnpackLzhPackage(WithLength(10, {0x93, 0x00, 0x00}))), std::string(10, ' '));
}

// The dictionary starts as 4,036 spaces and, furthest back, 60 zeros: a match
// from 4,096 bytes back at the start copies the zeros, the next one reaches
// the spaces.
TEST(LzhDecoder, MatchesFromTheFarEndYieldZerosThenSpaces)
{
    skin::TLzhSymbolWriter writer;
    writer.Match(4096, 60);
    writer.Match(4096, 3);
    const Bytes package = WithLength(63, writer.Finish());
    EXPECT_EQ(ToText(UnpackLzhPackage(package)), std::string(60, '\0') + "   ");
    ExpectBothDecodersAgree(package, "far end");
}

TEST(LzhDecoder, ZeroLengthWordGivesEmptyOutputAndReadsNothing)
{
    size_t consumed = 99;
    EXPECT_TRUE(UnpackLzhPackage(WithLength(0, {0xE6, 0x80}), &consumed).empty());
    EXPECT_EQ(consumed, 0u);
}

// A final match is written whole even when it passes the requested size.
TEST(LzhDecoder, FinalMatchIsWrittenWhole)
{
    const Bytes code = {0x93, 0x00, 0x00};
    size_t position = 0;
    Bytes out;
    skin::TLZH().Unpack(
        4,
        [&](uint8_t* buffer, uint16_t requested, uint16_t& actual) {
            EXPECT_EQ(requested, 1);
            actual = position < code.size() ? 1 : 0;
            if (actual)
                *buffer = code[position++];
        },
        [&](const uint8_t* buffer, uint16_t requested, uint16_t& actual) {
            EXPECT_EQ(requested, 1);
            out.insert(out.end(), buffer, buffer + requested);
            actual = requested;
        });
    EXPECT_EQ(ToText(out), std::string(10, ' '));
}

TEST(LzhDecoder, TruncatedStreamReadsZeroBitsUntilTheSizeIsReached)
{
    const Bytes text = SkinLikeBytes(50000);
    Bytes package = skin::PackLzhPackage(text);
    package.resize(4 + (package.size() - 4) / 2);
    size_t consumed = 0;
    const Bytes decoded = UnpackLzhPackage(package, &consumed);
    EXPECT_EQ(consumed, package.size() - 4);
    ASSERT_GE(decoded.size(), text.size());
    EXPECT_LT(decoded.size(), text.size() + 60);
    // What the kept half codes comes out unchanged.
    EXPECT_TRUE(std::equal(text.begin(), text.begin() + 10000, decoded.begin()));
}

// 36,000 noise bytes are 36,000 literal symbols, so the tree is rebuilt
// (root frequency 0x8000) before the repeated and skewed parts that follow.
// The code's hash was checked against an independently written decoder, so a
// rebuild that differed from the format's would show here even though the
// encoder and decoder share the tree.
TEST(LzhDecoder, DecodesAcrossTreeRebuilds)
{
    uint32_t x = 1;
    const auto next = [&x] { return x = x * 1103515245u + 12345u; };
    Bytes text;
    for (int i = 0; i < 36000; ++i)
        text.push_back(static_cast<uint8_t>(next() >> 16));
    for (int i = 0; i < 4000; ++i)
        text.push_back(text[text.size() - 700]);
    for (int i = 0; i < 2000; ++i)
        text.push_back(static_cast<uint8_t>("ABCDEFGH"[next() >> 29]));
    const Bytes code = skin::LzhEncode(text);
    EXPECT_EQ(code.size(), 37818u);
    EXPECT_EQ(Fnv1a(code), 0xE3D48951u);
    ExpectRoundTrip(text, "rebuild");
}

// Random code is a stream of arbitrary literals and matches, including
// matches into the dictionary's initial contents and a final match that runs
// past the size, then what zero bits say past the code's end. The output
// hashes and the code bytes read were checked with an independently written
// byte-at-a-time decoder.
TEST(LzhDecoder, DecodesRandomCodeAsTheFormatSays)
{
    const struct {
        uint32_t seed;
        int32_t size;
        size_t written;
        size_t consumed;
        uint32_t hash;
    } cases[] = {
        {21, 61, 92, 18, 0x76D50ECDu},
        {22, 4097, 4121, 776, 0xC9B8646Au},
        {23, 96000, 96033, 2000, 0xC365CD14u},
    };
    for (const auto& c : cases) {
        size_t consumed = 0;
        const Bytes decoded = UnpackLzhPackage(WithLength(c.size, NoiseBytes(2000, c.seed)), &consumed);
        EXPECT_EQ(decoded.size(), c.written) << c.seed;
        EXPECT_EQ(consumed, c.consumed) << c.seed;
        EXPECT_EQ(Fnv1a(decoded), c.hash) << c.seed;
    }
}

TEST(LzhRoundTrip, ReproducesEveryKindOfInput)
{
    Bytes boundaries;  // sizes around the look-ahead and the window
    const struct {
        std::string what;
        Bytes text;
    } cases[] = {
        {"empty", {}},
        {"one byte", {0x41}},
        {"one zero byte", {0x00}},
        {"spaces", Bytes(5000, ' ')},
        {"zeros", Bytes(300000, 0)},
        {"repeated pair", ToBytes(std::string(20000, 'a') + std::string(20000, 'b'))},
        {"noise", NoiseBytes(100000, 7)},
        {"59 bytes", NoiseBytes(59, 2)},
        {"60 bytes", NoiseBytes(60, 3)},
        {"61 bytes", NoiseBytes(61, 4)},
        {"4095 bytes", SkinLikeBytes(4095)},
        {"4096 bytes", SkinLikeBytes(4096)},
        {"4097 bytes", SkinLikeBytes(4097)},
        {"skin sized", SkinLikeBytes(723141)},
    };
    for (const auto& c : cases)
        ExpectRoundTrip(c.text, c.what);
}

TEST(LzhRoundTrip, RepetitiveInputShrinks)
{
    const Bytes text = ToBytes(std::string(100000, 'x'));
    EXPECT_LT(skin::LzhEncode(text).size(), text.size() / 40);
}

// The size check assumes at most 48 output bytes per code byte; the most
// compressible input there is must stay inside it.
TEST(LzhRoundTrip, MostCompressibleInputStaysWithinTheSizeBound)
{
    const Bytes text(1024 * 1024, 0);
    const Bytes code = skin::LzhEncode(text);
    EXPECT_LE(static_cast<int64_t>(text.size()), skin::MaxUnpackedSizeOf(code.size()));
}

TEST(LzhPackage, RefusesImplausibleSizes)
{
    const Bytes code(1000, 0x55);
    const struct {
        Bytes package;
        std::string message;
    } cases[] = {
        {{0x01, 0x00, 0x00}, "too short to hold its length"},
        {WithLength(-1, code), "negative length"},
        {WithLength(skin::MaxUnpackedSize + 1, Bytes(2'000'000, 0x55)), "more than the limit"},
        {WithLength(48 * 1000 + 1, code), "more than its 1000 coded bytes can hold"},
        {WithLength(1, {}), "more than its 0 coded bytes can hold"},
    };
    for (const auto& c : cases) {
        try {
            UnpackLzhPackage(c.package);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const ui::Exception& e) {
            EXPECT_NE(dynamic_cast<const ElzhException*>(&e), nullptr);
            EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
            EXPECT_EQ(e.Message().rfind("LZH : ", 0), 0u) << e.Message();
        }
    }
}

TEST(LzhPackage, AcceptsTheLargestSizeItsCodeCanHold)
{
    const Bytes decoded = UnpackLzhPackage(WithLength(48 * 1000, Bytes(1000, 0x55)));
    EXPECT_GE(decoded.size(), 48u * 1000);
}

TEST(LzhFastUnpack, AgreesWithTheCallbacksOnEncodedTexts)
{
    const struct {
        std::string what;
        Bytes text;
    } cases[] = {
        {"one byte", {0x41}},
        {"noise", NoiseBytes(100000, 5)},
        {"zeros", Bytes(200000, 0)},
        {"repeated pair", ToBytes(std::string(20000, 'a') + std::string(20000, 'b'))},
        {"short periods", PeriodicBytes(17, 700)},
        {"skin-like", SkinLikeBytes(200000)},
    };
    for (const auto& c : cases)
        ExpectBothDecodersAgree(skin::PackLzhPackage(c.text), c.what);
}

// Every match length at distances from 1 (a run of one byte) through the
// copies that overlap themselves to the far end of the dictionary, and
// matches that reach back before the text's start into the dictionary's
// initial contents (zeros furthest back, spaces nearer), wholly or in part.
TEST(LzhFastUnpack, AgreesWithTheCallbacksOnEveryMatchShape)
{
    skin::TLzhSymbolWriter writer;
    int32_t size = 0;
    const auto match = [&](int distance, int length) {
        writer.Match(distance, length);
        size += length;
    };
    for (int length = 3; length <= 60; ++length)
        match(4096, length);
    for (int length = 3; length <= 60; ++length)
        match(size + length / 2, length);
    for (int distance : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 31, 59, 60, 61, 4095, 4096}) {
        for (int length = 3; length <= 60; ++length) {
            match(distance, length);
            writer.Literal(static_cast<uint8_t>(distance + length));
            ++size;
        }
    }
    ExpectBothDecodersAgree(WithLength(size, writer.Finish()), "every match shape");
}

// Random bits decode to random literals and matches, and past the code's end
// to what zero bits say; declared sizes around the longest match and the
// dictionary size.
TEST(LzhFastUnpack, AgreesWithTheCallbacksOnRandomCode)
{
    uint32_t seed = 1;
    for (int32_t size : {1, 2, 59, 60, 61, 4095, 4096, 4097, 30000, 96000}) {
        const Bytes code = NoiseBytes(2000, ++seed);
        ExpectBothDecodersAgree(WithLength(size, code), "random code, size " + std::to_string(size));
    }
}

TEST(LzhFastUnpack, AgreesWithTheCallbacksOnTruncatedAndDamagedCode)
{
    const Bytes text = SkinLikeBytes(50000);
    const Bytes package = skin::PackLzhPackage(text);
    const size_t codeSize = package.size() - 4;
    // Cut to a few bytes (the size lowered to what they can hold), and around
    // the eight-byte reads near the end.
    for (size_t kept : {size_t{1}, size_t{2}, size_t{7}, size_t{8}, size_t{9}, size_t{17}, codeSize / 2,
                        codeSize - 9, codeSize - 8, codeSize - 7, codeSize - 1}) {
        const Bytes code(package.begin() + 4, package.begin() + 4 + static_cast<ptrdiff_t>(kept));
        const int64_t size = std::min<int64_t>(static_cast<int64_t>(text.size()), skin::MaxUnpackedSizeOf(kept));
        ExpectBothDecodersAgree(WithLength(static_cast<int32_t>(size), code), "cut to " + std::to_string(kept) + " code bytes");
    }
    for (size_t at = 4; at < package.size(); at += package.size() / 23) {
        Bytes damaged = package;
        damaged[at] ^= 0x5A;
        ExpectBothDecodersAgree(damaged, "damaged at " + std::to_string(at));
    }
}
