// TSkinData::LoadSkinSections: fills every element record of the skin data
// from the skin description and the package's pictures, then derives the
// composite pictures (combo box, combo arrow, tool bar gradient).
#include "skin/data/WinSkinData.h"

#include <algorithm>

#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/format/SkinKeys.h"
#include "skin/format/SkinReader.h"
#include "skin/format/SkinText.h"
#include "skin/format/WinSkinIni.h"
#include "ui/graphics/BmpFormat.h"

namespace skin {

namespace {

using ui::TBitmap;

constexpr int ComboWidth = 50;   // a frame of the combo box composite
constexpr int ComboHeight = 21;
constexpr int ArrowSize = 17;    // a frame of the combo arrow
constexpr int ComboButtonFrames = 4;

void FillSolid(HDC dc, const RECT& r, ui::TColor colour)
{
    const ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(colour)));
    FillRect(dc, &r, brush.Get());
}

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, ui::TColor colour)
{
    auto bitmap = std::make_unique<TBitmap>(width, height);
    FillSolid(bitmap->Canvas()->Handle(), {0, 0, width, height}, colour);
    return bitmap;
}

// The piece of `source` at `part`, as a bitmap of its own.
std::unique_ptr<TBitmap> CopyPart(TBitmap& source, const RECT& part)
{
    const int width = part.right - part.left, height = part.bottom - part.top;
    auto piece = std::make_unique<TBitmap>(std::max(width, 0), std::max(height, 0));
    if (!piece->Empty())
        BitBlt(piece->Canvas()->Handle(), 0, 0, width, height, source.Canvas()->Handle(), part.left, part.top,
               SRCCOPY);
    return piece;
}

// Turns each of the `frames` frames of a strip to face the other way in its
// own place: mirroring the strip as a whole would also reverse the order of
// the frames, and a state would then be drawn with another state's frame.
void MirrorFramesInPlace(TBitmap& strip, int frames)
{
    MirrorHorizontal(strip);
    const int n = std::max(frames, 1), w = strip.Width(), h = strip.Height(), fw = w / n;
    TBitmap mirrored;
    mirrored.Assign(strip);
    const HDC to = strip.Canvas()->Handle(), from = mirrored.Canvas()->Handle();
    for (int k = 0; k < n; ++k)
        BitBlt(to, fw * k, 0, fw, h, from, w - fw * (k + 1), 0, SRCCOPY);
    BitBlt(to, fw * n, 0, w - fw * n, h, from, 0, 0, SRCCOPY);  // columns beyond the last frame
}

ui::TColor PixelOf(const TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    return p[2] | p[1] << 8 | p[0] << 16;
}

// A section's name, looked up in the key table while compiling.
consteval std::string_view Section(std::string_view name)
{
    return SectionIn(name).Name;
}

// Reads one skin load: the description's values into the skin data's records,
// the package's pictures into their images.
class TSectionReader {
public:
    TSectionReader(TSkinData& data, const TSkinReader& package, const TQuickIni& ini)
        : d_(data), package_(package), ini_(ini)
    {
    }

    void Run()
    {
        d_.SkinName = Text(Section("TitlebarSkin"), KeyIn(TitlebarSkinKeys, "SkinName"));
        ReadFrameBorder(*d_.BorderLeft, BorderLeftKeys, false);
        ReadFrameBorder(*d_.BorderRight, BorderRightKeys, false);
        ReadFrameBorder(*d_.BorderTop, BorderTopKeys, true);
        ReadFrameBorder(*d_.BorderBottom, BorderBottomKeys, true);
        d_.Colours = ReadSkinColours(ini_);
        ReadTitleButtons();
        ReadButtons();
        ReadTitle();
        ReadProgress();
        d_.ProgressChunk = ReadElement(Section("Progress.Chunk"));
        ReadMenuBar();
        d_.GroupBoxEdge = ReadElement(Section("GroupBoxEdge"));
        ReadGroupBox();
        d_.Tabs = ReadTwoPictures(Section("Tabs"), &KeyIn(TabsKeys, "Border"));
        d_.StatusBarEdges = ReadElement(Section("StatusBarEdges"));
        d_.TabPane = ReadElement(Section("Tab.Pane"));
        d_.ToolBars = ReadElement(Section("ToolBars"));
        d_.ComboButton = ReadTwoPictures(Section("ComboButton"), nullptr);
        d_.SunkEdge = ReadElement(Section("SunkEdge"));
        MirrorComboButton();
        d_.ExtraImages = ReadElement(Section("ExtraImages"));
        d_.Headerbar = ReadElement(Section("Headerbar"));
        d_.MenuItem = ReadElement(Section("MenuItem"));
        d_.MenuBackground = ReadElement(Section("MenuBackground"));
        d_.Scrollbar = ReadElement(Section("Scrollbar"));
        d_.HorzScroll = ReadElement(Section("HorzScroll"));
        d_.VertScroll = ReadElement(Section("VertScroll"));
        d_.HorzScrollThumb = ReadElement(Section("HorzScrollThumb"));
        d_.VertScrollThumb = ReadElement(Section("VertScrollThumb"));
        d_.ThumbHorz = ReadElement(Section("Trackbar.ThumbHorz"));
        d_.ThumbVert = ReadElement(Section("Trackbar.ThumbVert"));
        d_.ThumbLeft = ReadElement(Section("Trackbar.ThumbLeft"));
        d_.ThumbRight = ReadElement(Section("Trackbar.ThumbRight"));
        d_.ThumbUp = ReadElement(Section("Trackbar.ThumbUp"));
        d_.ThumbDown = ReadElement(Section("Trackbar.ThumbDown"));
        d_.UpDownHorz = ReadTwoPictures(Section("UpDown.Horz"), &KeyIn(UpDownKeys, "GlyphImage"));
        d_.UpDownVert = ReadTwoPictures(Section("UpDown.Vert"), &KeyIn(UpDownKeys, "GlyphImage"));
        d_.Track = ReadTrack(Section("Track"), false);
        d_.TrackVert = ReadTrack(Section("TRACKVERT"), true);
        LimitTabPaneMargins();
        SetFrameCounts();
        BuildComboComposite();
        BuildComboxArrow();
        d_.TitleSampleColour = SampleTitleColour();
        BuildToolbar();
        d_.ButtonFaceBrush = std::make_unique<ui::TBrush>();
        d_.ButtonFaceBrush->SetColor(d_.Colours.ButtonFace);
    }

private:
    // A key's value, or the default the key table gives it.
    int Int(std::string_view section, const TSkinKey& key) const
    {
        return ini_.ReadInteger(section, key.Name, key.Default);
    }
    int Size(std::string_view section, const TSkinKey& key) const
    {
        return ReadSkinSize(ini_, section, key.Name, key.Default);
    }
    int Offset(std::string_view section, const TSkinKey& key) const
    {
        return ReadSkinOffset(ini_, section, key.Name, key.Default);
    }
    int Frames(std::string_view section, const TSkinKey& key) const
    {
        return ReadFrameCount(ini_, section, key.Name, key.Default);
    }
    std::string Text(std::string_view section, const TSkinKey& key) const
    {
        return ini_.ReadString(section, key.Name, "");
    }

    // Fills `bitmap` with the picture a key value names, or empties it. A
    // picture that cannot be decoded counts as missing: its element is drawn
    // the ordinary way and the rest of the skin still loads.
    void LoadSkinImage(TBitmap& bitmap, std::string_view value) const
    {
        std::vector<std::uint8_t> bytes;
        const std::string entry = SkinImageEntryName(value);
        if (!entry.empty())
            package_.ExtractEntry(entry, bytes);
        if (bytes.empty() || !TryLoadPicture(bitmap, bytes))
            bitmap.SetSize(0, 0);
    }

    // Loads BMP data into `bitmap`; false, leaving it as it was, for data
    // that the BMP reader refuses. The decoded size counts towards the
    // skin's whole: a tiny run-length picture may decode to hundreds of
    // megabytes, and many elements may name it.
    bool TryLoadPicture(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) const
    {
        try {
            const ui::TBmpLayout layout = ui::ReadBmpLayout(bytes.data(), bytes.size());
            pictureBytes_ += ui::DibStride(layout.Width, layout.DecodedBytesPerPixel()) *
                             static_cast<std::uint64_t>(layout.Height);
            if (pictureBytes_ > MaxSkinPictureBytes)
                throw ESkinPackageError("Broken skin package: its pictures take more than the " +
                                        std::to_string(MaxSkinPictureBytes) + " bytes a skin may use when decoded");
            bitmap.LoadFromBytes(bytes.data(), bytes.size());
            return true;
        } catch (const ui::EInvalidGraphic&) {
            return false;
        }
    }

    void ReadMarginsAndTrans(TDataSkinObject& m, std::string_view s) const
    {
        m.LeftWidth = Size(s, KeyIn(MarginKeys, "LeftWidth"));
        m.RightWidth = Size(s, KeyIn(MarginKeys, "RightWidth"));
        m.TopHeight = Size(s, KeyIn(MarginKeys, "TopHeight"));
        m.BottomHeight = Size(s, KeyIn(MarginKeys, "BottomHeight"));
        m.Trans = Int(s, KeyIn(MarginKeys, "Trans"));
    }

    // The keys every element reader shares: style, margins, flags and colours.
    void ReadLook(TDataSkinObject& m, std::string_view s) const
    {
        m.Style = Int(s, KeyIn(StyleKeys, "Style"));
        ReadMarginsAndTrans(m, s);
        m.Tile = Int(s, KeyIn(TileKeys, "Tile"));
        if (m.Tile > 1)
            m.Tile = 0;
        m.NormalColour = Int(s, KeyIn(TextColourKeys, "NormalColour"));
        m.MouseOverColour = Int(s, KeyIn(TextColourKeys, "MouseOverColour"));
        m.PressedColour = Int(s, KeyIn(TextColourKeys, "PressedColour"));
        m.NormalColour2 = ReadColour(ini_, s, KeyIn(TextColourKeys, "NormalColour2").Name, d_.Colours.ButtonText);
        m.MouseOverColour2 = ReadColour(ini_, s, KeyIn(TextColourKeys, "MouseOverColour2").Name, d_.Colours.ButtonText);
        m.PressedColour2 = ReadColour(ini_, s, KeyIn(TextColourKeys, "PressedColour2").Name, d_.Colours.ButtonText);
    }

    // A record of class R named after section `s` with the picture of `key`,
    // or null when the key names none.
    template <class R>
    std::unique_ptr<R> NewPictured(std::string_view s, const TSkinKey& key) const
    {
        const std::string picture = Text(s, key);
        if (picture.empty())
            return nullptr;
        auto m = std::make_unique<R>(std::string(s));
        LoadSkinImage(*m->Image, picture);
        return m;
    }

    // The same with the picture of key "Image" and the shared look.
    template <class R>
    std::unique_ptr<R> NewElement(std::string_view s) const
    {
        auto m = NewPictured<R>(s, KeyIn(PictureKeys, "Image"));
        if (m)
            ReadLook(*m, s);
        return m;
    }

    std::unique_ptr<TDataSkinObject> ReadElement(std::string_view s) const
    {
        auto m = NewElement<TDataSkinObject>(s);
        if (m)
            m->FrameCount = Frames(s, KeyIn(FrameKeys, "Frame"));
        return m;
    }

    // An element with a second picture under `secondKey` (none when null).
    std::unique_ptr<TDataSkinBorder> ReadTwoPictures(std::string_view s, const TSkinKey* secondKey) const
    {
        auto m = NewElement<TDataSkinBorder>(s);
        if (m && secondKey) {
            const std::string second = Text(s, *secondKey);
            if (!second.empty())
                LoadSkinImage(*m->Image2, second);
        }
        return m;
    }

    void ReadGroupBox()
    {
        constexpr std::string_view s = Section("GroupBox");
        d_.GroupBox = NewElement<TDataSkinBoxLabel>(s);
        if (!d_.GroupBox)
            return;
        d_.GroupBox->BackgroundAlignment = Int(s, KeyIn(GroupBoxKeys, "BackgroundAlignment"));
        d_.GroupBox->BackgroundLeftShift = Offset(s, KeyIn(GroupBoxKeys, "BackgroundLeftShift"));
        d_.GroupBox->BackgroundRightShift = Offset(s, KeyIn(GroupBoxKeys, "BackgroundRightShift"));
    }

    // The progress bar's trough: key "Bitmap", no colours, and a Tile above
    // 1 means tiled.
    void ReadProgress()
    {
        constexpr std::string_view s = Section("Progress");
        d_.Progress = NewPictured<TDataSkinBorder>(s, KeyIn(ProgressKeys, "Bitmap"));
        if (!d_.Progress)
            return;
        TDataSkinBorder* m = d_.Progress.get();
        m->Style = Int(s, KeyIn(ProgressKeys, "Style"));
        ReadMarginsAndTrans(*m, s);
        m->Tile = std::min(Int(s, KeyIn(ProgressKeys, "Tile")), 1);
    }

    // A frame border's keys are its name followed by a word ("TopFrame"),
    // in the order of TBorderKey. The top and bottom borders keep fixed left
    // and right ends, the left and right borders fixed top and bottom ends.
    void ReadFrameBorder(TDataSkinBorder& m, TSkinKeys keys, bool horizontal) const
    {
        constexpr std::string_view s = Section("Personality");
        const int32_t first = Size(s, keys[BorderFirstEnd]), last = Size(s, keys[BorderLastEnd]);
        m.LeftWidth = horizontal ? first : 0;
        m.RightWidth = horizontal ? last : 0;
        m.TopHeight = horizontal ? 0 : first;
        m.BottomHeight = horizontal ? 0 : last;
        m.FrameCount = Frames(s, keys[BorderFrames]);
        m.Tile = std::min(Int(s, keys[BorderStretch]), 1);
        m.Trans = Int(s, keys[BorderTrans]);
        LoadSkinImage(*m.Image, Text(s, keys[BorderPicture]));
    }

    void ReadTitle()
    {
        constexpr std::string_view s = Section("Personality");
        TDataSkinTitle& t = *d_.Title;
        LoadSkinImage(*t.Image, Text(s, KeyIn(TitleKeys, "TextBack")));
        t.LeftWidth = Offset(s, KeyIn(TitleKeys, "TextShift"));
        t.TopHeight = Offset(s, KeyIn(TitleKeys, "TextShiftVert"));
        t.RightWidth = Offset(s, KeyIn(TitleKeys, "TextRightClip"));
        t.BottomHeight = 0;
        t.TextAlignment = Int(s, KeyIn(TitleKeys, "TextAlignment"));
        t.Textbackground = Int(s, KeyIn(TitleKeys, "Textbackground"));
        t.TXTBackleft = Size(s, KeyIn(TitleKeys, "TXTBackleft"));
        t.TXTBackRight = Size(s, KeyIn(TitleKeys, "TXTBackRight"));
        t.FontHeight = Offset(Section("Fonts"), KeyIn(FontsKeys, "FontHeight"));
        t.ActiveTextColour = ReadTextColour(KeyIn(TitleKeys, "ActiveTextR"), KeyIn(TitleKeys, "ActiveTextG"),
                                            KeyIn(TitleKeys, "ActiveTextB"));
        t.InactiveTextColour = ReadTextColour(KeyIn(TitleKeys, "InActiveTextR"), KeyIn(TitleKeys, "InActiveTextG"),
                                              KeyIn(TitleKeys, "InActiveTextB"));
    }

    // Three keys, red, green and blue: a colour only when all three are given.
    ui::TColor ReadTextColour(const TSkinKey& red, const TSkinKey& green, const TSkinKey& blue) const
    {
        constexpr std::string_view s = Section("Personality");
        const int32_t r = Int(s, red), g = Int(s, green), b = Int(s, blue);
        if (r < 0 || g < 0 || b < 0)
            return ui::clNone;
        return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16;
    }

    void ReadButtons()
    {
        constexpr std::string_view s = Section("Buttons");
        TDataSkinButton& b = *d_.Buttons;
        ReadMarginsAndTrans(b, s);
        LoadSkinImage(*b.Image, Text(s, KeyIn(ButtonsKeys, "Bitmap")));
        b.Tile = Int(s, KeyIn(TileKeys, "Tile"));
        if (b.Tile > 1)
            b.Tile = 0;
        LoadSkinImage(*b.CheckImage, Text(s, KeyIn(ButtonsKeys, "CheckButton")));
        LoadSkinImage(*b.RadioImage, Text(s, KeyIn(ButtonsKeys, "RadioButton")));
        b.NormalColour = Int(s, KeyIn(TextColourKeys, "NormalColour"));
        b.MouseOverColour = Int(s, KeyIn(TextColourKeys, "MouseOverColour"));
        b.PressedColour = Int(s, KeyIn(TextColourKeys, "PressedColour"));
        b.RadioFrameCount = Frames(s, KeyIn(ButtonsKeys, "RadioButtonFrame"));
        b.CheckFrameCount = Frames(s, KeyIn(ButtonsKeys, "CheckButtonFrame"));
        const auto textColour = [&](const TSkinKey& key, bool& given, ui::TColor& colour) {
            const std::string value = Text(s, key);
            given = !value.empty();
            colour = ReadColour(value, d_.Colours.ButtonText);
        };
        textColour(KeyIn(TextColourKeys, "NormalColour2"), b.HasNormalColour2, b.NormalColour2);
        textColour(KeyIn(TextColourKeys, "MouseOverColour2"), b.HasMouseOverColour2, b.MouseOverColour2);
        textColour(KeyIn(TextColourKeys, "PressedColour2"), b.HasPressedColour2, b.PressedColour2);
    }

    void ReadMenuBar()
    {
        constexpr std::string_view s = Section("Personality");
        d_.MenuBar = NewPictured<TDataSkinObject>(s, KeyIn(MenuBarKeys, "menuBar"));
        if (!d_.MenuBar)
            return;
        TDataSkinObject* m = d_.MenuBar.get();
        m->TopHeight = m->BottomHeight = 0;
        m->Tile = std::min(Int(s, KeyIn(MenuBarKeys, "TileMenu")), 1);
        m->LeftWidth = Offset(s, KeyIn(MenuBarKeys, "TileLeftMenu"));    // the fixed ends of the
        m->RightWidth = Offset(s, KeyIn(MenuBarKeys, "TileRightMenu"));  // picture, in pixels
    }

    void ReadTitleButtons()
    {
        d_.TitleButtons.clear();
        int32_t maxX = 0, maxY = 0;  // where the maximise button of Visibility 2 sits
        for (const std::string& s : CaptionButtonSections(ini_)) {
            auto b = std::make_unique<TDataSkinSysButton>(AsciiUpperCase(s));
            b->Action = Int(s, KeyIn(CaptionButtonKeys, "Action"));
            b->Align = Int(s, KeyIn(CaptionButtonKeys, "Align"));
            b->Xcoord = Offset(s, KeyIn(CaptionButtonKeys, "Xcoord"));
            b->Ycoord = Offset(s, KeyIn(CaptionButtonKeys, "Ycoord"));
            b->Visibility = Int(s, KeyIn(CaptionButtonKeys, "Visibility"));
            b->Visibility1 =
                ini_.ReadInteger(s, KeyIn(CaptionButtonKeys, "Visibility1").Name, b->Action == -1 ? -1 : 0);
            b->CombineOp = Int(s, KeyIn(CaptionButtonKeys, "CombineOp"));
            b->FrameCount = Frames(s, KeyIn(CaptionButtonKeys, "frame"));
            LoadSkinImage(*b->Image, Text(s, KeyIn(CaptionButtonKeys, "ButtonImage")));
            if (b->Action == 1 && b->Visibility == 2) {
                maxX = b->Xcoord;
                maxY = b->Ycoord;
            } else if (b->Action == 4) {
                b->Xcoord = maxX;
                b->Ycoord = maxY;
            }
            if (b->FrameCount == 0) {
                b->FrameCount = CaptionButtonFrameCount(b->Action, b->Image->Width(), b->Image->Height());
                if (b->Action == 3 || b->Action == 11)  // the window icon is drawn instead
                    b->Image->SetSize(0, 0);
            }
            d_.TitleButtons.push_back(std::move(b));
        }
        AddMdiButtons();
    }

    // The close, restore and minimise buttons of a maximised MDI child, cut
    // from the picture of section "MDICONTROLS" when it has one.
    void AddMdiButtons()
    {
        TBitmap picture;
        LoadSkinImage(picture, Text(Section("MDICONTROLS"), KeyIn(MdiControlsKeys, "Image")));
        const int w = picture.Width() / 12;
        for (int i = 0; i < 3; ++i) {
            auto b = std::make_unique<TDataSkinSysButton>(std::string(Section("MDICONTROLS")));
            b->Action = 7 + i;
            b->Align = b->Visibility = b->Visibility1 = 100;
            b->FrameCount = 4;
            if (!picture.Empty()) {
                b->Image = CopyPart(picture, {4 * w * i, 0, 4 * w * (i + 1), picture.Height()});
                b->Xcoord = (w + 4) * (3 - i);
            }
            d_.TitleButtons.push_back(std::move(b));
        }
    }

    // The combo button facing the other way, for combo boxes with the button
    // on the left.
    void MirrorComboButton()
    {
        if (!d_.ComboButton || d_.ComboButton->Image->Empty())
            return;
        d_.ComboButton->Image2->Assign(*d_.ComboButton->Image);
        d_.ComboButton->Image2->SetPixelFormat(ui::TPixelFormat::pf24bit);
        MirrorFramesInPlace(*d_.ComboButton->Image2, ComboButtonFrames);
    }

    // The skin's track channel, or the built-in one when it has no section.
    std::unique_ptr<TDataSkinObject> ReadTrack(std::string_view s, bool vertical) const
    {
        if (ini_.FindSection(s) >= 0)
            return ReadElement(s);
        auto m = std::make_unique<TDataSkinObject>(std::string(s));
        m->Image = MakeTrackPicture(vertical);
        m->LeftWidth = m->TopHeight = m->RightWidth = m->BottomHeight = 3;
        m->Tile = 0;
        m->FrameCount = 1;
        return m;
    }

    void LimitTabPaneMargins()
    {
        if (!d_.TabPane)
            return;
        for (int32_t* margin : {&d_.TabPane->LeftWidth, &d_.TabPane->TopHeight, &d_.TabPane->RightWidth,
                                &d_.TabPane->BottomHeight})
            *margin = std::min(*margin, 4);
    }

    void SetFrameCounts()
    {
        const auto set = [](const auto& m, int32_t count) {
            if (m)
                m->FrameCount = count;
        };
        set(d_.Title, 2);
        set(d_.Buttons, 5);
        set(d_.MenuBar, 2);
        set(d_.Progress, d_.Progress && d_.Progress->Style != 0 ? 1 : 2);
        set(d_.GroupBoxEdge, 2);
        set(d_.GroupBox, 1);
        set(d_.Tabs, 5);
        set(d_.StatusBarEdges, 3);
        set(d_.TabPane, 1);
        set(d_.ToolBars, 5);
        set(d_.ComboButton, ComboButtonFrames);
        set(d_.SunkEdge, 4);
        set(d_.ExtraImages, 5);
        if (d_.Headerbar && d_.Headerbar->FrameCount == 0)
            d_.Headerbar->FrameCount = 5;
        set(d_.MenuItem, 5);
        set(d_.MenuBackground, 1);
        set(d_.Scrollbar, 23);
        set(d_.HorzScroll, 4);
        set(d_.VertScroll, 4);
        set(d_.HorzScrollThumb, Frames(Section("HorzScrollThumb"), KeyIn(ThumbKeys, "FrameCount")));
        set(d_.VertScrollThumb, Frames(Section("VertScrollThumb"), KeyIn(ThumbKeys, "FrameCount")));
        for (const auto* thumb : {&d_.ThumbHorz, &d_.ThumbVert, &d_.ThumbLeft, &d_.ThumbRight, &d_.ThumbUp,
                                  &d_.ThumbDown})
            set(*thumb, 5);
        set(d_.UpDownHorz, 8);
        set(d_.UpDownVert, 8);
        TDataSkinButton& b = *d_.Buttons;
        b.RadioFrameCount = PictureFrameCount(b.RadioFrameCount, *b.RadioImage);
        b.CheckFrameCount = PictureFrameCount(b.CheckFrameCount, *b.CheckImage);
    }

    // A check box or radio button strip without a frame key has frames
    // 13 pixels wide when it is lower than 16 pixels, else 16; at least 4.
    static int32_t PictureFrameCount(int32_t given, const TBitmap& strip)
    {
        if (given != 0)
            return given;
        return std::max(strip.Width() / (strip.Height() < 16 ? 13 : 16), 4);
    }

    // The edit box of a combo box and its button drawn together, one frame
    // per SunkEdge state, with the edit's inside left transparent; the
    // combo button takes the strip, SunkEdge the strip with every frame
    // mirrored, for combo boxes with the button on the left.
    void BuildComboComposite()
    {
        if (!d_.SunkEdge || !d_.ComboButton)
            return;
        TDataSkinObject& sunk = *d_.SunkEdge;
        TDataSkinBorder& button = *d_.ComboButton;
        const int n = std::max(sunk.FrameCount, 1);
        const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
        auto strip = FilledBitmap(ComboWidth * n, ComboHeight, ui::clFuchsia);
        TBitmap scratch(ComboWidth, ComboHeight);
        const HDC dc = scratch.Canvas()->Handle();
        const RECT whole{0, 0, ComboWidth, ComboHeight}, arrow{ComboWidth - b, 0, ComboWidth, ComboHeight};
        for (int k = 1; k <= n; ++k) {
            FillSolid(dc, whole, ui::clFuchsia);
            DrawElement(dc, whole, n, k, sunk);
            const auto face =
                BuildElementBitmap(arrow, *button.Image, button.Margins(), false, button.Tile != 0, button.FrameCount, k);
            TransparentBlit(dc, arrow, *face, ui::clFuchsia);
            if (d_.ExtraImages)
                DrawFrameCentred(dc, arrow, *d_.ExtraImages->Image, d_.ExtraImages->Trans != 0,
                                 d_.ExtraImages->FrameCount, k);
            FillSolid(dc, {2, 2, ComboWidth - 1 - b, 18}, ui::clFuchsia);
            BitBlt(strip->Canvas()->Handle(), ComboWidth * (k - 1), 0, ComboWidth, ComboHeight, dc, 0, 0, SRCCOPY);
        }
        button.Style = 2;
        button.TopHeight = sunk.TopHeight;
        button.BottomHeight = sunk.BottomHeight;
        button.LeftWidth = 2;
        button.RightWidth = b + 2;
        sunk.Image = std::make_unique<TBitmap>();
        sunk.Image->Assign(*strip);
        MirrorFramesInPlace(*sunk.Image, n);
        sunk.LeftWidth = b + 2;
        sunk.RightWidth = 2;
        button.Image = std::move(strip);
    }

    // The arrow button alone: cut from the combo composite, or, without an
    // edit picture, the combo button with its transparent pixels painted in
    // the button face colour.
    void BuildComboxArrow()
    {
        if (!d_.ComboxArrow)
            d_.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
        TDataSkinObject& arrow = *d_.ComboxArrow;
        if (!d_.ComboButton)
            return;
        TDataSkinBorder& button = *d_.ComboButton;
        if (!d_.SunkEdge) {
            arrow.Image = std::make_unique<TBitmap>();
            arrow.Image->Assign(*button.Image);
            ReplaceKeyColour(*arrow.Image, d_.Colours.ButtonFace);
            arrow.FrameCount = button.FrameCount;
        } else if (button.Style == 2) {
            const int n = std::max(d_.SunkEdge->FrameCount, 1);
            const int w = button.Image->Width() / n;
            arrow.Image = FilledBitmap(ArrowSize * n, ArrowSize, ui::clFuchsia);
            for (int i = 0; i < n; ++i)
                BitBlt(arrow.Image->Canvas()->Handle(), ArrowSize * i, 0, ArrowSize, ArrowSize,
                       button.Image->Canvas()->Handle(), w * (i + 1) - 19, 2, SRCCOPY);
            arrow.FrameCount = n;
        }
    }

    // A 10 x 40 vertical gradient from a whitened button face down to a
    // colour taken from the title bar, for tool bar backgrounds.
    void BuildToolbar()
    {
        if (!d_.Toolbar)
            d_.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
        const ui::TColor sample = d_.TitleSampleColour;
        const ui::TColor top = MixColours(d_.Colours.ButtonFace, ui::clWhite, 150);
        ui::TColor bottom = MixColours(ui::clGray, sample, 150);
        const int saturation = Saturation(sample);
        if (saturation > 110)
            bottom = MixColours(sample, ui::clWhite, (5625 - 25 * saturation) / 140 + 50);
        d_.Toolbar->Image = std::make_unique<TBitmap>(10, 40);
        GradientFill(d_.Toolbar->Image->Canvas()->Handle(), {0, 0, 10, 40}, top, true, bottom);
        d_.Toolbar->FrameCount = 1;
    }

    // A pixel a third into the top border's first frame, else the button face.
    ui::TColor SampleTitleColour() const
    {
        const TBitmap& top = *d_.BorderTop->Image;
        if (top.Empty())
            return d_.Colours.ButtonFace;
        const int frames = std::max(d_.BorderTop->FrameCount, 1);
        return PixelOf(top, top.Width() / 3, top.Height() / frames / 3);
    }

    TSkinData& d_;
    const TSkinReader& package_;
    const TQuickIni& ini_;
    mutable std::uint64_t pictureBytes_ = 0;  // decoded so far, counted by the const readers
};

} // namespace

void TSkinData::LoadSkinSections(const TSkinReader& package, const TQuickIni& ini)
{
    TSectionReader(*this, package, ini).Run();
    empty_ = false;
}

} // namespace skin
