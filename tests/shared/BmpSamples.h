// BMP files built byte by byte for the tests of the BMP reader (host) and of
// TBitmap (Windows): a builder of well-formed files of any header version and
// bit depth, and a table of corrupt files with what their refusal must say.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bmp_samples {

using Bytes = std::vector<std::uint8_t>;

inline void Poke16(Bytes& b, std::size_t at, std::uint32_t v)
{
    b.at(at) = static_cast<std::uint8_t>(v);
    b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

inline void Poke32(Bytes& b, std::size_t at, std::uint32_t v)
{
    Poke16(b, at, v);
    Poke16(b, at + 2, v >> 16);
}

// Offsets of header fields in a file with a 40-byte (or longer) info header.
enum Field : std::size_t {
    FileSize = 2, PixelOffset = 10, HeaderSize = 14, Width = 18, Height = 22, Planes = 26,
    BitCount = 28, Compression = 30, SizeImage = 34, ColorsUsed = 46, RedMask = 54,
};

struct Recipe {
    std::int32_t Width = 2;
    std::int32_t Height = 2;  // negative: rows stored top row first
    std::uint16_t Bits = 24;
    std::uint32_t HeaderSize = 40;  // 12, 40, 108, 124
    std::uint32_t Compression = 0;  // 3: bit fields (32 bits, masks in a long header)
    std::vector<std::array<std::uint8_t, 3>> Palette;  // blue, green, red
    Bytes Rows;  // the stored rows, padded, in file order
};

inline Bytes Build(const Recipe& s)
{
    const bool core = s.HeaderSize == 12;
    const std::size_t entry = core ? 3 : 4;
    const std::size_t offset = 14 + s.HeaderSize + s.Palette.size() * entry;
    Bytes b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    Poke32(b, FileSize, static_cast<std::uint32_t>(offset + s.Rows.size()));
    Poke32(b, PixelOffset, static_cast<std::uint32_t>(offset));
    Poke32(b, HeaderSize, s.HeaderSize);
    if (core) {
        Poke16(b, 18, static_cast<std::uint32_t>(s.Width));
        Poke16(b, 20, static_cast<std::uint32_t>(s.Height));
        Poke16(b, 22, 1);
        Poke16(b, 24, s.Bits);
    } else {
        Poke32(b, Width, static_cast<std::uint32_t>(s.Width));
        Poke32(b, Height, static_cast<std::uint32_t>(s.Height));
        Poke16(b, Planes, 1);
        Poke16(b, BitCount, s.Bits);
        Poke32(b, Compression, s.Compression);
        Poke32(b, ColorsUsed, static_cast<std::uint32_t>(s.Palette.size()));
        if (s.HeaderSize >= 56) {
            Poke32(b, RedMask, 0x00FF0000);
            Poke32(b, RedMask + 4, 0x0000FF00);
            Poke32(b, RedMask + 8, 0x000000FF);
        }
    }
    for (std::size_t i = 0; i < s.Palette.size(); ++i)
        for (std::size_t c = 0; c < 3; ++c)
            b[14 + s.HeaderSize + i * entry + c] = s.Palette[i][c];
    b.insert(b.end(), s.Rows.begin(), s.Rows.end());
    return b;
}

// A well-formed 2 x 2 8-bit file: palette blue, green, red; rows padded to 4.
inline Bytes Paletted2x2()
{
    Recipe s;
    s.Bits = 8;
    s.Palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    s.Rows = {0, 1, 0, 0, 2, 0, 0, 0};
    return Build(s);
}

// A well-formed 2 x 2 24-bit file.
inline Bytes True2x2()
{
    Recipe s;
    s.Rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    return Build(s);
}

struct Corrupt {
    const char* What;
    std::function<Bytes()> Make;
    const char* Says;  // part of the error message
};

inline Bytes With(Bytes b, std::size_t at, std::uint32_t v)
{
    Poke32(b, at, v);
    return b;
}

inline Bytes Cut(Bytes b, std::size_t size)
{
    b.resize(size);
    return b;
}

inline std::vector<Corrupt> CorruptFiles()
{
    const Bytes good = True2x2();
    const Bytes pal = Paletted2x2();
    return {
        {"empty", [] { return Bytes{}; }, "only 0 bytes"},
        {"no signature", [=] { Bytes b = good; b[0] = 'X'; return b; }, "signature"},
        {"cut in the info header", [=] { return With(Cut(good, 30), FileSize, 0); }, "info header is cut off"},
        {"cut in the pixels", [=] { return Cut(good, good.size() - 1); }, "announces"},
        {"cut, file size field zero", [=] { return With(Cut(good, good.size() - 1), FileSize, 0); }, "cut off"},
        {"pixel offset past the end", [=] { return With(good, PixelOffset, 1000); }, "offset 1000"},
        {"pixel offset inside the palette", [=] { return With(pal, PixelOffset, 54); }, "overlaps"},
        {"palette larger than the bit depth allows", [=] { return With(pal, ColorsUsed, 257); }, "palette colours"},
        {"image size beyond the data", [=] { return With(good, SizeImage, 17); }, "announces 17"},
        {"unknown header size", [=] { return With(good, HeaderSize, 64); }, "header size 64"},
        {"zero width", [=] { return With(good, Width, 0); }, "picture size 0 x 2"},
        {"zero height", [=] { return With(good, Height, 0); }, "picture size 2 x 0"},
        {"negative width", [=] { return With(good, Width, 0xFFFFFFFE); }, "picture size -2 x 2"},
        {"huge width", [=] { return With(good, Width, 0x7FFFFFFF); }, "too large"},
        {"huge height, top-down", [=] { return With(good, Height, 0x80000000); }, "too large"},
        {"huge both", [=] { return With(With(good, Width, 100000), Height, 100000); }, "too large"},
        {"two planes", [=] { Bytes b = good; Poke16(b, Planes, 2); return b; }, "2 planes"},
        {"16 bits per pixel", [=] { Bytes b = good; Poke16(b, BitCount, 16); return b; }, "16 bits per pixel"},
        {"run-length compression", [=] { return With(pal, Compression, 1); }, "compression 1"},
        {"bit fields on 24 bits", [=] { return With(good, Compression, 3); }, "bit-field"},
    };
}

} // namespace bmp_samples
