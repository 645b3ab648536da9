// skinbench: decode throughput of the LZH decompressor.
//
//   skinbench [package]
//
// Decodes the given skin package (a SkinStream value or a skin file)
// repeatedly for about a second and prints the compressed and unpacked sizes
// and the throughput in MB of unpacked output per second. Without an argument
// it packs a synthetic 700 KB input shaped like skin bitmaps first.
#include "skin/LZH.h"
#include "skin/LZHEncoder.h"
#include "skin/LittleEndian.h"
#include "skin/SkinReader.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

namespace {

// 24-bit pixel rows: smooth gradients with repeated rows and a little noise,
// like the frames and buttons of a skin.
Bytes SyntheticInput()
{
    constexpr size_t size = 700 * 1024;
    constexpr int rowBytes = 3 * 240;
    std::mt19937 rng(7);
    Bytes bytes;
    bytes.reserve(size);
    while (bytes.size() < size) {
        const int row = static_cast<int>(bytes.size() / rowBytes);
        for (int x = 0; x < rowBytes && bytes.size() < size; ++x) {
            const int shade = (x / 3 + row / 4) & 0xFF;
            bytes.push_back(static_cast<uint8_t>(rng() % 16 == 0 ? rng() : shade));
        }
    }
    return bytes;
}

bool ReadFile(const char* path, Bytes& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Bytes file;
    if (argc > 1 && !ReadFile(argv[1], file)) {
        std::fprintf(stderr, "skinbench: cannot read %s\n", argv[1]);
        return 1;
    }
    try {
        Bytes compressed = argc > 1 ? file : skin::PackLzhPackage(SyntheticInput());
        if (argc > 1 && compressed.size() >= 4 &&
            skin::ReadInt32LE(compressed, 0) == static_cast<int64_t>(compressed.size()) - 4) {
            const auto inner = skin::UnframeSkinStream(compressed);
            compressed.assign(inner.begin(), inner.end());
        }

        size_t unpacked = 0;
        int runs = 0;
        const auto start = Clock::now();
        std::chrono::duration<double> elapsed{};
        do {
            unpacked = skin::UnpackLzhPackage(compressed).size();
            ++runs;
            elapsed = Clock::now() - start;
        } while (elapsed.count() < 1.0);

        const double megabytes = static_cast<double>(unpacked) * runs / 1e6;
        std::printf("input:      %s\n", argc > 1 ? argv[1] : "synthetic 700 KB");
        std::printf("compressed: %zu bytes\n", compressed.size());
        std::printf("unpacked:   %zu bytes\n", unpacked);
        std::printf("decode:     %.1f MB/s (%d runs in %.2f s)\n", megabytes / elapsed.count(), runs, elapsed.count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinbench: %s\n", e.what());
        return 1;
    }
    return 0;
}
