#include "skin/format/SkinCheckPictures.h"

#include "skin/format/SkinDescription.h"
#include "ui/graphics/BmpFormat.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

namespace {

struct TFrameRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

TFrameRect FrameOf(const TPixels& pixels, TFrameLayout layout, int frame)
{
    const int count = std::max(layout.Count, 1);
    if (layout.Stacked) {
        const int h = pixels.Height / count;
        return {0, h * (frame - 1), pixels.Width, h};
    }
    const int w = pixels.Width / count;
    return {w * (frame - 1), 0, w, pixels.Height};
}

std::string Rgb(std::uint32_t colour)
{
    return std::to_string(colour >> 16 & 0xFF) + " " + std::to_string(colour >> 8 & 0xFF) + " " +
           std::to_string(colour & 0xFF);
}

// Each of red, green and blue at most 1 from magenta, but not magenta itself.
bool NearKey(std::uint32_t colour)
{
    const auto near = [](int value, int wanted) { return std::abs(value - wanted) <= 1; };
    return colour != KeyColour && near(colour >> 16 & 0xFF, 255) && near(colour >> 8 & 0xFF, 0) &&
           near(colour & 0xFF, 255);
}

// Checks one picture of one section against the engine's reading of it.
class TPictureCheck {
public:
    TPictureCheck(const TPictureCheckContext& context, const TDescribedSection& section, const TSkinPicture& picture,
                  const std::string& file)
        : c_(context), section_(section), picture_(picture), file_(file)
    {
    }

    TLoadedPicture Run(TPixels pixels)
    {
        TLoadedPicture loaded{section_.Name, &picture_, file_, std::move(pixels), {}, {}, false};
        const TPixels& p = loaded.Pixels;
        loaded.Layout = {FrameCount(p), picture_.Stacked};
        loaded.Margins = {Margin(picture_.Left), Margin(picture_.Right), Margin(picture_.Top), Margin(picture_.Bottom)};
        const bool trans = picture_.Trans && Int(*picture_.Trans) != 0;
        loaded.Keyed = picture_.AlwaysKeyed || trans;
        if (CheckFrames(p, loaded.Layout))
            CheckMargins(p, loaded.Layout, loaded.Margins);
        if (trans && std::find(p.Rgb.begin(), p.Rgb.end(), KeyColour) == p.Rgb.end())
            Report(*picture_.Trans, std::string(picture_.Trans->Name) + " is " + std::to_string(Int(*picture_.Trans)) +
                                     " but " + file_ + " has no magenta (255 0 255) pixel to leave out");
        if (loaded.Keyed)
            CheckNearKey(p);
        return loaded;
    }

private:
    int Int(const TSkinKey& key) const { return c_.Ini.ReadInteger(section_.Name, key.Name, key.Default); }

    int Margin(const TSkinKey* key) const
    {
        if (!key)
            return 0;
        return key->Kind == TKeyKind::Offset ? ReadSkinOffset(c_.Ini, section_.Name, key->Name, key->Default)
                                             : ReadSkinSize(c_.Ini, section_.Name, key->Name, key->Default);
    }

    int FrameCount(const TPixels& p) const
    {
        const int given = picture_.FramesKey ? ReadFrameCount(c_.Ini, section_.Name, picture_.FramesKey->Name,
                                                           picture_.FramesKey->Default)
                                          : 0;
        switch (picture_.Rule) {
        case TFrameRule::Fixed: return picture_.Frames;
        case TFrameRule::FromKey: return given != 0 ? given : picture_.Frames;
        case TFrameRule::CaptionButton:
            return given != 0 ? given
                              : CaptionButtonFrameCount(Int(KeyIn(CaptionButtonKeys, "Action")), p.Width, p.Height);
        case TFrameRule::GlyphStrip: return given != 0 ? given : std::max(p.Width / (p.Height < 16 ? 13 : 16), 4);
        case TFrameRule::ProgressStyle: return Int(KeyIn(ProgressKeys, "Style")) != 0 ? 1 : picture_.Frames;
        }
        return 1;
    }

    void Report(const TSkinKey& key, std::string message)
    {
        const TDescribedKey* written = section_.Find(key.Name);
        const int line = written ? written->Line : section_.Find(picture_.Key->Name)->Line;
        c_.Findings.push_back({false, c_.File, line, section_.Name, std::string(key.Name), std::move(message)});
    }

    // False when the frames cannot be cut evenly: the margins are then not
    // measured against a frame.
    bool CheckFrames(const TPixels& p, TFrameLayout layout)
    {
        const int count = std::max(layout.Count, 1);
        const int length = layout.Stacked ? p.Height : p.Width;
        const std::string along = layout.Stacked ? " px high" : " px wide";
        if (length % count == 0)
            return true;
        Report(*picture_.Key, file_ + " is " + std::to_string(length) + along + ", not a multiple of " +
                               std::to_string(count) + (count == 1 ? " frame" : " frames") +
                               (layout.Stacked ? " stacked" : ""));
        return false;
    }

    void CheckMargins(const TPixels& p, TFrameLayout layout, TMargins m)
    {
        const TFrameRect frame = FrameOf(p, layout, 1);
        CheckPair(picture_.Left, picture_.Right, m.Left, m.Right, frame.Width, " wide");
        CheckPair(picture_.Top, picture_.Bottom, m.Top, m.Bottom, frame.Height, " high");
    }

    void CheckPair(const TSkinKey* first, const TSkinKey* second, int a, int b, int room, const char* along)
    {
        if (!first || !second || a + b <= room)
            return;
        // At the larger of the two where the description writes it: the likelier slip.
        const bool firstWritten = section_.Find(first->Name), secondWritten = section_.Find(second->Name);
        const TSkinKey& at = secondWritten && (b > a || !firstWritten) ? *second : *first;
        Report(at, std::string(first->Name) + " " + std::to_string(a) + " + " + std::string(second->Name) + " " +
                       std::to_string(b) + " = " + std::to_string(a + b) + " px, more than a frame of " + file_ +
                       " (" + std::to_string(room) + " px" + along + ")");
    }

    void CheckNearKey(const TPixels& p)
    {
        int count = 0, x = 0, y = 0;
        for (int row = 0; row < p.Height; ++row)
            for (int column = 0; column < p.Width; ++column)
                if (NearKey(p.At(column, row)) && count++ == 0)
                    x = column, y = row;
        if (count == 0)
            return;
        Report(*picture_.Key, file_ + " has " + std::to_string(count) + (count == 1 ? " pixel" : " pixels") +
                               " 1 off magenta, the first at (" + std::to_string(x) + ", " + std::to_string(y) +
                               "): " + Rgb(p.At(x, y)) + "; only 255 0 255 is left out");
    }

    const TPictureCheckContext& c_;
    const TDescribedSection& section_;
    const TSkinPicture& picture_;
    const std::string& file_;
};

} // namespace

TPixels DecodePixels(std::span<const std::uint8_t> bytes)
{
    const ui::TBmpLayout layout = ui::ReadBmpLayout(bytes.data(), bytes.size());
    const int bpp = layout.DecodedBytesPerPixel();
    const size_t stride = ui::DibStride(layout.Width, bpp);
    std::vector<std::uint8_t> rows(stride * static_cast<size_t>(layout.Height));
    ui::DecodeBmpPixels(layout, bytes.data(), rows.data(), stride);
    TPixels pixels{layout.Width, layout.Height, {}};
    pixels.Rgb.reserve(static_cast<size_t>(layout.Width) * static_cast<size_t>(layout.Height));
    for (int y = layout.Height - 1; y >= 0; --y) {  // the decoded rows lie bottom-up
        const std::uint8_t* row = rows.data() + stride * static_cast<size_t>(y);
        for (int x = 0; x < layout.Width; ++x) {
            const std::uint8_t* p = row + static_cast<size_t>(x) * static_cast<size_t>(bpp);
            pixels.Rgb.push_back(static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0]);
        }
    }
    return pixels;
}

std::optional<std::uint32_t> MiddleColour(const TPixels& pixels, TFrameLayout layout, TMargins margins, int frame)
{
    TFrameRect r = FrameOf(pixels, layout, std::clamp(frame, 1, std::max(layout.Count, 1)));
    if (margins.Left + margins.Right < r.Width) {
        r.X += margins.Left;
        r.Width -= margins.Left + margins.Right;
    }
    if (margins.Top + margins.Bottom < r.Height) {
        r.Y += margins.Top;
        r.Height -= margins.Top + margins.Bottom;
    }
    std::uint64_t sums[3] = {0, 0, 0}, count = 0;
    for (int y = r.Y; y < r.Y + r.Height; ++y)
        for (int x = r.X; x < r.X + r.Width; ++x) {
            const std::uint32_t c = pixels.At(x, y);
            if (c == KeyColour)
                continue;
            sums[0] += c >> 16 & 0xFF, sums[1] += c >> 8 & 0xFF, sums[2] += c & 0xFF;
            ++count;
        }
    if (count == 0)
        return std::nullopt;
    const auto mean = [count](std::uint64_t sum) { return static_cast<std::uint32_t>((sum + count / 2) / count); };
    return mean(sums[0]) << 16 | mean(sums[1]) << 8 | mean(sums[2]);
}

TLoadedPicture CheckPicture(const TPictureCheckContext& context, const TDescribedSection& section,
                            const TSkinPicture& picture, const std::string& file, TPixels pixels)
{
    return TPictureCheck(context, section, picture, file).Run(std::move(pixels));
}

} // namespace skin
