// Readers that several fuzz targets share: each takes its input the way the
// program does and checks the promises of what it reads.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skin {
class TQuickIni;
class TSkinReader;
}

namespace fuzz {

// While fuzzing, whether the unpacked length a compressed package declares is
// at most `cap`, so that one input stays quick to run; files named on the
// command line (regression inputs) are always read whole.
bool UnpackedSizeFits(std::span<const std::uint8_t> compressedPackage, std::int64_t cap);

// LZH code decoded through the byte-at-a-time callbacks of the decoder, until
// `size` bytes are written; the end of the code reads as zero bits.
std::vector<std::uint8_t> UnpackThroughCallbacks(std::int32_t size, std::span<const std::uint8_t> code);

// Loads description text into ini as the skin loader does; false when the
// reader refuses it (more lines than a description may have), which the
// loader reports as a damaged skin.
bool LoadDescription(skin::TQuickIni& ini, std::span<const std::uint8_t> text);

// What the skin loader reads from a description that needs no window: the
// colours, the caption-button sections, and the picture, integer, colour,
// size, position and frame-count keys of the element sections (the last
// three cut to their ranges).
void ReadDescription(std::span<const std::uint8_t> text);

// Checks a BMP file and, when it is accepted, decodes it into a buffer of
// exactly the decoded size, so that a write past it is caught.
void DecodeBmp(std::span<const std::uint8_t> file);

// Takes every entry out of a loaded package as the skin loader does: the
// description read, the pictures decoded.
void ReadPackageEntries(const skin::TSkinReader& reader);

} // namespace fuzz
