// BMP files built byte by byte for the tests of the BMP reader (host) and of
// TBitmap (Windows): a builder of well-formed files of any header version and
// bit depth, and a table of corrupt files with what their refusal must say.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
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
    std::uint32_t HeaderSize = 40;  // 12, 40, 52, 56, 108, 124
    std::uint32_t Compression = 0;  // 1, 2: run-length code; 3: bit fields
    std::vector<std::array<std::uint8_t, 3>> Palette;  // blue, green, red
    Bytes Rows;  // the stored rows, padded, in file order (or the run-length code)
    // Red, green, blue and alpha masks: written into headers of 52 bytes and
    // more, and after a 40-byte header with bit fields (red to blue only).
    std::array<std::uint32_t, 4> Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
};

inline Bytes Build(const Recipe& s)
{
    const bool core = s.HeaderSize == 12;
    const std::size_t entry = core ? 3 : 4;
    const bool masksAfterHeader = s.HeaderSize == 40 && s.Compression == 3;
    const std::size_t tables = 14 + s.HeaderSize + (masksAfterHeader ? 12 : 0);
    const std::size_t offset = tables + s.Palette.size() * entry;
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
        Poke32(b, SizeImage, static_cast<std::uint32_t>(s.Rows.size()));
        Poke32(b, ColorsUsed, static_cast<std::uint32_t>(s.Palette.size()));
        const std::size_t masks = s.HeaderSize >= 56 ? 4 : s.HeaderSize == 52 || masksAfterHeader ? 3 : 0;
        for (std::size_t i = 0; i < masks; ++i)
            Poke32(b, RedMask + 4 * i, s.Masks[i]);
    }
    for (std::size_t i = 0; i < s.Palette.size(); ++i)
        for (std::size_t c = 0; c < 3; ++c)
            b[tables + i * entry + c] = s.Palette[i][c];
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

// Well-formed files of every kind the reader takes, 5 x 3 pixels of varied
// values: the Windows tests decode each with the reader and with the
// platform's own DIB functions and compare.
inline std::vector<std::pair<std::string, Bytes>> EveryKindOfFile()
{
    const auto palette = [](std::size_t count) {
        std::vector<std::array<std::uint8_t, 3>> colours(count);
        for (std::size_t i = 0; i < count; ++i)
            colours[i] = {static_cast<std::uint8_t>(i * 53 + 7), static_cast<std::uint8_t>(i * 101),
                          static_cast<std::uint8_t>(255 - i * 199)};
        return colours;
    };
    const auto file = [](Recipe r) {
        if (r.Rows.empty()) {
            const std::size_t stride = (static_cast<std::size_t>(r.Width) * r.Bits + 31) / 32 * 4;
            r.Rows.resize(stride * static_cast<std::size_t>(r.Height < 0 ? -r.Height : r.Height));
            for (std::size_t i = 0; i < r.Rows.size(); ++i)
                r.Rows[i] = static_cast<std::uint8_t>(i * 37 + 11);
        }
        return Build(r);
    };
    const auto recipe = [&](std::uint16_t bits, std::uint32_t header, std::uint32_t compression, bool topDown) {
        Recipe r;
        r.Width = 5;
        r.Height = topDown ? -3 : 3;
        r.Bits = bits;
        r.HeaderSize = header;
        r.Compression = compression;
        if (bits <= 8)
            r.Palette = palette(std::size_t{1} << bits);
        return r;
    };
    Recipe rgb565 = recipe(16, 40, 3, false);
    rgb565.Masks = {0xF800, 0x07E0, 0x001F, 0};
    Recipe argb4444 = recipe(16, 108, 3, true);
    argb4444.Masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
    Recipe abgr = recipe(32, 124, 3, false);
    abgr.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    Recipe deep = recipe(32, 108, 3, false);
    deep.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0};
    Recipe rle8 = recipe(8, 40, 1, false);  // a run, three stored indices, a move
    rle8.Rows = {2, 9, 0, 3, 200, 17, 4, 0, 0, 0, 2, 33, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 0, 4, 250, 0, 1};
    Recipe rle4 = recipe(4, 40, 2, false);
    rle4.Rows = {2, 0x9A, 0, 3, 0x4F, 0x70, 0, 0, 5, 0x12, 0, 0, 0, 2, 2, 0, 3, 0xE5, 0, 1};
    return {
        {"1 bit", file(recipe(1, 40, 0, false))},
        {"4 bits, top-down", file(recipe(4, 40, 0, true))},
        {"8 bits, version 5 header", file(recipe(8, 124, 0, false))},
        {"16 bits, 5-5-5", file(recipe(16, 40, 0, false))},
        {"16 bits, 5-6-5 masks", file(rgb565)},
        {"16 bits, 4-4-4-4 masks, top-down", file(argb4444)},
        {"24 bits", file(recipe(24, 40, 0, false))},
        {"32 bits", file(recipe(32, 40, 0, true))},
        {"32 bits, usual masks", file(recipe(32, 124, 3, false))},
        {"32 bits, red lowest", file(abgr)},
        {"32 bits, 10 bits a channel", file(deep)},
        {"8-bit run-length code", file(rle8)},
        {"4-bit run-length code", file(rle4)},
    };
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

// A 2 x 2 file of 16 or 32 bits with bit-field compression and these masks.
inline Bytes Masked(std::uint16_t bits, std::uint32_t headerSize, std::array<std::uint32_t, 4> masks)
{
    Recipe r;
    r.Bits = bits;
    r.HeaderSize = headerSize;
    r.Compression = 3;
    r.Masks = masks;
    r.Rows.assign(bits / 2u, 0);  // two rows of two pixels
    return Build(r);
}

inline std::vector<Corrupt> CorruptFiles()
{
    const Bytes good = True2x2();
    const Bytes pal = Paletted2x2();
    return {
        {"empty", [] { return Bytes{}; }, "only 0 bytes"},
        {"no signature", [=] { Bytes b = good; b[0] = 'X'; return b; }, "signature"},
        {"cut in the info header", [=] { return With(Cut(good, 30), FileSize, 0); }, "info header is cut off"},
        {"cut in the pixels", [=] { return Cut(good, good.size() - 1); }, "pixel data is cut off"},
        {"cut, file size field zero", [=] { return With(Cut(good, good.size() - 1), FileSize, 0); }, "cut off"},
        {"pixel offset past the end", [=] { return With(good, PixelOffset, 1000); }, "offset 1000"},
        {"pixel offset inside the palette", [=] { return With(pal, PixelOffset, 54); }, "overlaps"},
        {"palette larger than the bit depth allows", [=] { return With(pal, ColorsUsed, 257); }, "palette colours"},
        {"unknown header size", [=] { return With(good, HeaderSize, 64); }, "header size 64"},
        {"zero width", [=] { return With(good, Width, 0); }, "picture size 0 x 2"},
        {"zero height", [=] { return With(good, Height, 0); }, "picture size 2 x 0"},
        {"negative width", [=] { return With(good, Width, 0xFFFFFFFE); }, "picture size -2 x 2"},
        {"huge width", [=] { return With(good, Width, 0x7FFFFFFF); }, "too large"},
        {"huge height, top-down", [=] { return With(good, Height, 0x80000000); }, "too large"},
        {"huge both", [=] { return With(With(good, Width, 100000), Height, 100000); }, "too large"},
        {"huge run-length picture", [=] { return With(With(With(pal, Compression, 1), Width, 20000), Height, 20000); },
         "too large"},
        {"two planes", [=] { Bytes b = good; Poke16(b, Planes, 2); return b; }, "2 planes"},
        {"2 bits per pixel", [=] { Bytes b = pal; Poke16(b, BitCount, 2); return b; }, "2 bits per pixel"},
        {"run-length code on 24 bits", [=] { return With(good, Compression, 1); }, "compression 1 with 24 bits"},
        {"4-bit run-length code on 8 bits", [=] { return With(pal, Compression, 2); }, "compression 2 with 8 bits"},
        {"top-down run-length code", [=] { return With(With(pal, Compression, 1), Height, 0xFFFFFFFE); }, "top-down"},
        {"JPEG compression", [=] { return With(good, Compression, 4); }, "compression 4"},
        {"bit fields on 24 bits", [=] { return With(good, Compression, 3); }, "bit-field"},
        {"masks wider than 16 bits", [] { return Masked(16, 56, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}); },
         "colour masks"},
        {"overlapping masks", [] { return Masked(32, 40, {0x00FF0000, 0x0001FF00, 0x000000FF, 0}); }, "colour masks"},
        {"masks of scattered bits", [] { return Masked(16, 52, {0xF000, 0x0F00, 0x00F1, 0}); }, "colour masks"},
        {"masks cut off", [=] { Bytes b = Cut(With(good, Compression, 3), 60); Poke16(b, BitCount, 32); return b; },
         "masks are cut off"},
    };
}

} // namespace bmp_samples
