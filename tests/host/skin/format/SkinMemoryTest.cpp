// How much memory reading a hostile skin takes. A few hundred kilobytes of
// compressed package can unpack to tens of megabytes of line breaks; reading
// one must take memory in proportion to the unpacked package, never a
// multiple of it per line.
//
// This program counts every byte its operator new hands out, so it runs
// apart from the other native tests.
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinReader.h"
#include "skin/format/WinSkinIni.h"
#include "tests/host/SkinFixtures.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

// Bytes handed out by operator new and not yet freed, and the most there
// were since the last Reset.
struct TAllocationCount {
    size_t Live = 0;
    size_t Peak = 0;
    void Reset() { Peak = Live; }
};
TAllocationCount allocations;

void* Allocate(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    allocations.Live += malloc_usable_size(p);
    allocations.Peak = std::max(allocations.Peak, allocations.Live);
    return p;
}

void Free(void* p) noexcept
{
    if (!p)
        return;
    allocations.Live -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, size_t) noexcept { Free(p); }
void operator delete[](void* p, size_t) noexcept { Free(p); }

using namespace skintest;

namespace {

constexpr size_t MiB = size_t{1} << 20;

// Runs `read` and returns the most memory it held at once beyond what was
// held before.
template <class Read>
size_t PeakOf(Read&& read)
{
    const size_t before = allocations.Live;
    allocations.Reset();
    read();
    return allocations.Peak - before;
}

// Reads a compressed package as the skin loader does: the package, then its
// description.
void LoadLikeTheSkinLoader(const Bytes& compressed)
{
    skin::TSkinReader reader;
    if (!reader.LoadPackage(compressed))
        return;
    Bytes description;
    std::string name;
    reader.ExtractEntryContaining(".ini", description, name);
    skin::TQuickIni ini;
    ini.LoadFromStream(description);
}

} // namespace

// A names text of nothing but line breaks names millions of entries: 8 MiB
// of them pack into about 170 KB. The reader refuses it after the first
// 1002 names, holding little more than the unpacked package.
TEST(SkinMemory, ANamesTextOfMillionsOfLineBreaksIsRefusedEarly)
{
    RawPackage raw;
    raw.names.assign(8 * MiB, '\n');
    const Bytes unpacked = raw.Build();
    raw.names = std::string();
    const Bytes compressed = skin::PackLzhPackage(unpacked);
    const size_t peak = PeakOf([&] {
        skin::TSkinReader reader;
        EXPECT_THROW(reader.LoadPackage(compressed), skin::ESkinPackageError);
    });
    EXPECT_LT(peak, unpacked.size() + MiB);
}

// A description of millions of blank lines keeps none of them; one of more
// short lines than a description may have is refused.
TEST(SkinMemory, ADescriptionOfMillionsOfLinesTakesLittleMoreThanItsText)
{
    struct Case {
        const char* What;
        std::string Line;
        size_t Count;
        bool Refused;
    };
    const Case cases[] = {
        {"blank lines", "\n", 8 * MiB, false},
        {"key lines", "a=1\n", 2 * skin::MaxIniLines, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::string text = "[Buttons]\r\n";
        text.reserve(text.size() + c.Line.size() * c.Count);
        for (size_t i = 0; i < c.Count; ++i)
            text += c.Line;
        const std::vector<skin::TSkinPackageEntry> entries = {{"flood.ini", ToBytes(text)}};
        const Bytes unpacked = skin::WriteSkinPackage(entries);
        const Bytes compressed = skin::PackLzhPackage(unpacked);
        text = std::string();
        bool refused = false;
        const size_t peak = PeakOf([&] {
            try {
                LoadLikeTheSkinLoader(compressed);
            } catch (const skin::ESkinDescriptionError&) {
                refused = true;
            }
        });
        EXPECT_EQ(refused, c.Refused);
        // The unpacked package, the description taken out of it, and at most
        // MaxIniLines kept lines.
        EXPECT_LT(peak, 2 * unpacked.size() + 4 * MiB);
    }
}
