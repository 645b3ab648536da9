// The pseudo-random generator behind the password file's filler bytes.
#pragma once

#include <cstdint>

namespace kex {

// A 64-bit linear congruential generator; each draw scales the upper 32 bits
// of the state into the requested range. Cheap and repeatable for a given
// seed, which is all filler bytes need; never use it for secrets.
class TRandom {
public:
    explicit TRandom(std::uint32_t seed = 0) { Seed(seed); }

    // Restarts the sequence; equal seeds give equal sequences.
    void Seed(std::uint32_t seed) { state_ = seed; }

    // A whole number from 0 to range - 1; range must be at least 1.
    std::uint32_t Next(std::uint32_t range);

private:
    std::uint64_t state_ = 0;
};

} // namespace kex
