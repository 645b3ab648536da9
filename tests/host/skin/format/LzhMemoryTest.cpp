// The decompressor when memory runs out: every failure to allocate, of its
// tables or of the output buffer, is its own error with its own text, and a
// later unpack works again. A program of its own, because it replaces the
// global operator new to make allocations fail on request.
#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"
#include "tests/host/SkinFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

using namespace skintest;

namespace {

// Armed by a test: the allocation number `failingAllocation` from now fails,
// and so does every allocation larger than `largestAllocation`.
long allocationsToGo = 0;
size_t largestAllocation = SIZE_MAX;

class AllocationFailures {
public:
    static void FailAllocationNumber(long number) { allocationsToGo = number; }
    static void FailAllocationsAbove(size_t bytes) { largestAllocation = bytes; }
    ~AllocationFailures()
    {
        allocationsToGo = 0;
        largestAllocation = SIZE_MAX;
    }
};

bool AllocationShouldFail(size_t size)
{
    if (allocationsToGo > 0 && --allocationsToGo == 0)
        return true;
    return size > largestAllocation;
}

// Raises ElzhException or returns normally; anything else fails the test.
// Returns whether the decompressor refused for lack of memory.
template <class Unpack>
bool RefusedForLackOfMemory(Unpack&& unpack)
{
    try {
        unpack();
        return false;
    } catch (const skin::ElzhException& e) {
        EXPECT_EQ(e.Message(), skin::SLzhNoMemory);
        return true;
    }
}

const Bytes& Package()
{
    static const Bytes package = skin::PackLzhPackage(NoiseBytes(3000, 4));
    return package;
}

} // namespace

void* operator new(size_t size)
{
    if (AllocationShouldFail(size))
        throw std::bad_alloc();
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, size_t) noexcept
{
    std::free(block);
}

// Each allocation the unpack makes fails in turn; then one more run succeeds.
TEST(LzhMemory, EveryFailedAllocationOfAnUnpackIsTheDecompressorsError)
{
    const Bytes expected = skin::UnpackLzhPackage(Package());
    long failing = 1;
    for (;; ++failing) {
        AllocationFailures failures;
        failures.FailAllocationNumber(failing);
        Bytes decoded;
        if (!RefusedForLackOfMemory([&] { decoded = skin::UnpackLzhPackage(Package()); })) {
            EXPECT_EQ(decoded, expected);
            break;
        }
    }
    EXPECT_GT(failing, 1) << "no allocation was made to fail";
}

// Through the callbacks the decompressor allocates only its tables.
TEST(LzhMemory, TablesThatCannotBeAllocatedAreTheDecompressorsError)
{
    AllocationFailures failures;
    failures.FailAllocationNumber(1);
    EXPECT_TRUE(RefusedForLackOfMemory([] {
        skin::TLZH().Unpack(
            100, [](uint8_t*, uint16_t, uint16_t& actual) { actual = 0; },
            [](const uint8_t*, uint16_t, uint16_t& actual) { actual = 1; });
    }));
}

// A package that declares more output than there is memory for: the largest
// size its code can hold, on a machine that cannot give 16 MiB at once.
TEST(LzhMemory, AnOutputTooLargeForMemoryIsTheDecompressorsError)
{
    Bytes package;
    skin::AppendInt32LE(package, skin::MaxUnpackedSize);
    package.resize(4 + (skin::MaxUnpackedSize + 47) / 48);
    AllocationFailures failures;
    failures.FailAllocationsAbove(16 * 1024 * 1024);
    EXPECT_TRUE(RefusedForLackOfMemory([&] { skin::UnpackLzhPackage(package); }));
}
