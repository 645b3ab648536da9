#include "app/kexRandom.h"

namespace kex {

namespace {
// Knuth's constants for a full-period 64-bit linear congruential generator.
constexpr std::uint64_t Multiplier = 6364136223846793005ULL;
constexpr std::uint64_t Increment = 1442695040888963407ULL;
} // namespace

std::uint32_t TRandom::Next(std::uint32_t range)
{
    state_ = state_ * Multiplier + Increment;
    // The low bits of such a generator are weak; scaling the high half by the
    // range keeps every result below range without a modulo bias worth noting.
    const std::uint64_t high = state_ >> 32;
    return static_cast<std::uint32_t>((high * range) >> 32);
}

} // namespace kex
