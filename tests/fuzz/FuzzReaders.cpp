#include "FuzzReaders.h"

#include "FuzzSupport.h"
#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"
#include "skin/format/SkinDescription.h"
#include "skin/format/SkinReader.h"
#include "skin/format/WinSkinIni.h"
#include "ui/graphics/BmpFormat.h"

#include <algorithm>
#include <string>
#include <vector>

namespace fuzz {

namespace {

// The loader reads its element sections by name; reading the same keys from
// every section the text has (up to this many) reaches them all.
constexpr std::size_t MaxSectionsRead = 16;

// While fuzzing, pictures that decode to more than this are checked but not
// decoded: run-length code lets a few bytes declare a picture of up to the
// reader's 256 MiB, and filling that much memory adds no paths.
constexpr std::size_t MaxDecodedWhileFuzzing = 4u << 20;

constexpr const char* PictureKeys[] = {"Image", "Bitmap", "ButtonImage", "CheckButton",
                                       "RadioButton", "TextBack", "menuBar", "GlyphImage"};
constexpr const char* IntegerKeys[] = {"Style", "Trans", "Tile", "Action", "Align", "Visibility",
                                       "NormalColour", "FontHeight"};
constexpr const char* SizeKeys[] = {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "TextRightClip"};
constexpr const char* OffsetKeys[] = {"Xcoord", "Ycoord", "TextShift", "TextShiftVert"};
constexpr const char* FrameKeys[] = {"Frame", "RadioButtonFrame", "CheckButtonFrame"};
constexpr const char* ColourKeys[] = {"NormalColour2", "MouseOverColour2", "PressedColour2", "color"};

void CheckColour(skin::TSkinColour colour, skin::TSkinColour defaultValue)
{
    Check(colour == defaultValue || (colour & ~0xFFFFFF) == 0, "a colour read from text has only 24 bits");
}

void CheckPictureName(const std::string& name)
{
    Check(name.empty() || (name.size() >= 4 && name.ends_with(".bmp") && name.find_first_of("\\:") == std::string::npos),
          "a picture key names a .bmp entry without a folder, or nothing");
}

void ReadElementKeys(const skin::TQuickIni& ini, const std::string& section)
{
    for (const char* key : PictureKeys)
        CheckPictureName(skin::SkinImageEntryName(ini.ReadString(section, key, "")));
    for (const char* key : IntegerKeys)
        ini.ReadInteger(section, key, 0);
    for (const char* key : SizeKeys) {
        const int32_t size = skin::ReadSkinSize(ini, section, key, 0);
        Check(size >= 0 && size <= skin::MaxSkinSize, "a size is cut to 0 ... MaxSkinSize");
    }
    for (const char* key : OffsetKeys) {
        const int32_t offset = skin::ReadSkinOffset(ini, section, key, 0);
        Check(offset >= -skin::MaxSkinSize && offset <= skin::MaxSkinSize, "a position is cut to +-MaxSkinSize");
    }
    for (const char* key : FrameKeys) {
        const int32_t frames = skin::ReadFrameCount(ini, section, key, 1);
        Check(frames >= 0 && frames <= skin::MaxSkinFrames, "a frame count is cut to 0 ... MaxSkinFrames");
    }
    for (const char* key : ColourKeys)
        CheckColour(skin::ReadColour(ini, section, key, skin::SkinNoColour), skin::SkinNoColour);
}

void ReadCaptionButtons(const skin::TQuickIni& ini)
{
    for (const std::string& section : skin::CaptionButtonSections(ini)) {
        const int frames = skin::CaptionButtonFrameCount(ini.ReadInteger(section, "Action", 0),
                                                         ini.ReadInteger(section, "Xcoord", 0),
                                                         ini.ReadInteger(section, "Ycoord", 0));
        Check(frames == 3 || frames == 6, "a caption button has 3 or 6 frames");
    }
}

} // namespace

bool UnpackedSizeFits(std::span<const std::uint8_t> compressedPackage, std::int64_t cap)
{
    return !Fuzzing() || compressedPackage.size() < 4 || skin::ReadInt32LE(compressedPackage, 0) <= cap;
}

std::vector<std::uint8_t> UnpackThroughCallbacks(std::int32_t size, std::span<const std::uint8_t> code)
{
    std::vector<std::uint8_t> out;
    std::size_t position = 0;
    skin::TLZH().Unpack(
        size,
        [&](std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual) {
            actual = static_cast<std::uint16_t>(std::min<std::size_t>(requested, code.size() - position));
            std::copy_n(code.begin() + static_cast<std::ptrdiff_t>(position), actual, buffer);
            position += actual;
        },
        [&](const std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual) {
            out.insert(out.end(), buffer, buffer + requested);
            actual = requested;
        });
    return out;
}

bool LoadDescription(skin::TQuickIni& ini, std::span<const std::uint8_t> text)
{
    try {
        ini.LoadFromStream(text);
        return true;
    } catch (const skin::ESkinDescriptionError&) {
        return false;
    }
}

void ReadDescription(std::span<const std::uint8_t> text)
{
    skin::TQuickIni ini;
    if (!LoadDescription(ini, text))
        return;
    const skin::TSkinColours colours = skin::ReadSkinColours(ini);
    for (skin::TSkinColour colour : colours.ColourTable)
        CheckColour(colour, skin::SysWindowText);
    for (skin::TSkinColour colour : colours.CustomColors)
        CheckColour(colour, skin::SkinWhite);
    ReadCaptionButtons(ini);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    if (sections.size() > MaxSectionsRead)
        sections.resize(MaxSectionsRead);
    for (const std::string& section : sections)
        ReadElementKeys(ini, section);
}

void DecodeBmp(std::span<const std::uint8_t> file)
{
    ui::TBmpLayout layout;
    try {
        layout = ui::ReadBmpLayout(file.data(), file.size());
    } catch (const ui::EInvalidGraphic&) {
        return;
    }
    Check(layout.Width > 0 && layout.Height > 0, "an accepted picture has a size");
    const std::size_t stride = ui::DibStride(layout.Width, layout.DecodedBytesPerPixel());
    const std::size_t decodedSize = stride * static_cast<std::size_t>(layout.Height);
    if (Fuzzing() && decodedSize > MaxDecodedWhileFuzzing)
        return;
    std::vector<std::uint8_t> pixels(decodedSize);
    ui::DecodeBmpPixels(layout, file.data(), pixels.data(), stride);
}

void ReadPackageEntries(const skin::TSkinReader& reader)
{
    std::vector<std::uint8_t> entry;
    std::string name;
    if (reader.ExtractEntryContaining(".ini", entry, name))
        ReadDescription(entry);
    for (const std::string& each : reader.Names()) {
        Check(reader.ExtractEntry(each, entry), "every listed entry can be taken out");
        if (each.ends_with(".bmp"))
            DecodeBmp(entry);
    }
}

} // namespace fuzz
