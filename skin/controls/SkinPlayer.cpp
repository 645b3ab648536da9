#include "skin/controls/SkinPlayer.h"

#include "skin/controls/SkinButtons.h"
#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "ui/core/TypInfo.h"

// After the engine's headers: it defines macros named like their members.
#include <windowsx.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace skin {

using namespace ui;

namespace {

constexpr const wchar_t* ButtonNames[PlayerButtonCount] = {L"MPPLAY", L"MPPAUSE", L"MPSTOP",   L"MPNEXT", L"MPPREV",
                                                           L"MPSTEP", L"MPBACK",  L"MPRECORD", L"MPEJECT"};
constexpr const wchar_t* LookPrefixes[] = {L"EN", L"DI", L"CL"};

bool Has(unsigned set, int button)
{
    return (set >> button) & 1u;
}

// A set property of the player as its member bits; an absent one is empty.
unsigned ButtonSet(const TObject& player, std::string_view name)
{
    const TPropInfo* info = FindPropInfo(player, name);
    return info && info->Kind == TTypeKind::Set ? static_cast<unsigned>(GetOrdProp(player, name)) : 0;
}

// A bitmap resource of the program, or null when it has none. A bitmap
// resource is a BMP file without its file header.
std::unique_ptr<TBitmap> LoadBitmapResource(const std::wstring& name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* dib = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!dib || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, dib, sizeof header);
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = 1u << header.biBitCount;
    const DWORD masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof header ? 12 : 0;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = static_cast<DWORD>(sizeof file + size);
    file.bfOffBits = static_cast<DWORD>(sizeof file + header.biSize + masks + colours * 4);
    std::vector<std::uint8_t> bytes(sizeof file + size);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, dib, size);
    auto bitmap = std::make_unique<TBitmap>();
    try {
        bitmap->LoadFromBytes(bytes.data(), bytes.size());
    } catch (const EInvalidGraphic&) {
        return nullptr;  // a damaged glyph is drawn as none
    }
    return bitmap;
}

} // namespace

std::wstring PlayerGlyphName(int button, TPlayerGlyph look)
{
    return std::wstring(LookPrefixes[static_cast<int>(look)]) + L"_" + ButtonNames[button];
}

// ---- TWMediaPlayer

const TClassInfo& TWMediaPlayer::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWMediaPlayer>("TWMediaPlayer", &TCustomControl::StaticClass()).Done();
    return info;
}

TWMediaPlayer::TWMediaPlayer(TSkinMP& skinner, TControl& player, int tag)
    : TCustomControl(nullptr), skinner_(skinner), player_(player)
{
    SetTag(tag);
    for (int button = 0; button < PlayerButtonCount; ++button)
        for (TPlayerGlyph look : {TPlayerGlyph::Enabled, TPlayerGlyph::Disabled, TPlayerGlyph::Coloured})
            glyphs_[static_cast<std::size_t>(button)][static_cast<std::size_t>(look)] =
                LoadBitmapResource(PlayerGlyphName(button, look));
    SetParent(player.Parent());
    FollowPlayer();
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::FollowPlayer()
{
    const RECT bounds = player_.BoundsRect();
    SetBounds(bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds));
    SetVisible(player_.Visible() && skinner_.SkinEnabled);
    auto* windowed = dynamic_cast<TWinControl*>(&player_);
    if (!windowed || !windowed->HandleAllocated() || !Parent())
        return;
    // Directly above the player: behind the window that precedes it.
    HWND above = GetWindow(windowed->WindowHandle(), GW_HWNDPREV);
    if (above != Handle())
        SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int TWMediaPlayer::TButtons::VisibleCount() const
{
    int count = 0;
    for (int button = 0; button < PlayerButtonCount; ++button)
        count += Has(Visible, button);
    return count;
}

// A player that is disabled as a whole has every button disabled.
TWMediaPlayer::TButtons TWMediaPlayer::ReadButtons() const
{
    TButtons buttons;
    buttons.Visible = ButtonSet(player_, "VisibleButtons");
    buttons.Enabled = player_.Enabled() ? ButtonSet(player_, "EnabledButtons") : 0;
    buttons.Coloured = ButtonSet(player_, "ColoredButtons");
    return buttons;
}

// The visible buttons share the width from the left, each the width
// divided by their number.
RECT TWMediaPlayer::ButtonRect(int button) const
{
    const TButtons buttons = ReadButtons();
    if (button < 0 || button >= PlayerButtonCount || !Has(buttons.Visible, button))
        return {};
    const int width = Width() / buttons.VisibleCount();
    int place = 0;
    for (int i = 0; i < button; ++i)
        place += Has(buttons.Visible, i);
    return {place * width, 0, (place + 1) * width, Height()};
}

int TWMediaPlayer::HitIndex(int x) const
{
    for (int button = 0; button < PlayerButtonCount; ++button) {
        const RECT r = ButtonRect(button);
        if (r.right > r.left && x >= r.left && x < r.right)
            return button;
    }
    return NoPlayerButton;
}

// The press is held with the capture, so the release comes here wherever
// it happens; only a release on the button pressed clicks it.
void TWMediaPlayer::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;  // the paint covers everything
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Pressed(GET_X_LPARAM(m.LParam)); break;
    case WM_LBUTTONUP: Released(GET_X_LPARAM(m.LParam)); break;
    case WM_CAPTURECHANGED:
        if (mouseDown_ && reinterpret_cast<HWND>(m.LParam) != Handle()) {
            mouseDown_ = false;
            pressedIndex_ = NoPlayerButton;
            Invalidate();
        }
        break;
    default: break;
    }
    TCustomControl::Dispatch(m);
}

void TWMediaPlayer::Pressed(int x)
{
    mouseDown_ = true;
    pressedIndex_ = HitIndex(x);
    SetCapture(Handle());
    Invalidate();
}

void TWMediaPlayer::Released(int x)
{
    if (!mouseDown_)
        return;
    const int released = HitIndex(x);
    const int pressed = pressedIndex_;
    mouseDown_ = false;
    pressedIndex_ = NoPlayerButton;
    if (GetCapture() == Handle())
        ReleaseCapture();
    Invalidate();
    if (pressed != NoPlayerButton && released == pressed)
        ClickPlayer(pressed);
}

// The player gets the whole click, press and release together, in the
// middle of the button: a player holds its press with the capture, which
// would take the overlay's own release away if it had the press earlier.
void TWMediaPlayer::ClickPlayer(int button)
{
    auto* windowed = dynamic_cast<TWinControl*>(&player_);
    if (!windowed || !windowed->HandleAllocated())
        return;
    const RECT r = ButtonRect(button);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    const HWND player = windowed->WindowHandle();
    SendMessageW(player, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(player, WM_LBUTTONUP, 0, at);
}

void TWMediaPlayer::Paint()
{
    const RECT all{0, 0, Width(), Height()};
    if (RectWidth(all) <= 0 || RectHeight(all) <= 0)
        return;
    TFacePainter painter(Canvas()->Handle(), all);
    const TBrushHandle face(CreateSolidBrush(ColorToRGB(skinner_.SkinData->Colours.ButtonFace)));
    FillRect(painter.Dc(), &all, face.Get());
    const TButtons buttons = ReadButtons();
    for (int button = 0; button < PlayerButtonCount; ++button)
        if (Has(buttons.Visible, button))
            PaintButton(painter.Dc(), button, ButtonRect(button), buttons);
    painter.Show();
}

// The Buttons face of the button's state, its glyph centred on it (one
// pixel right and down while pressed), olive left out.
void TWMediaPlayer::PaintButton(HDC dc, int button, const RECT& rect, const TButtons& buttons)
{
    const bool enabled = Has(buttons.Enabled, button);
    const TPlayerFace face = !enabled                                              ? TPlayerFace::Disabled
                             : mouseDown_ && pressedIndex_ == button ? TPlayerFace::Pressed
                                                                                   : TPlayerFace::Normal;
    if (TDataSkinButton* element = skinner_.SkinData->Buttons.get(); element && element->Image)
        DrawElement(dc, rect, ButtonFaceCount, static_cast<int>(face), *element);
    const TPlayerGlyph look = !enabled                         ? TPlayerGlyph::Disabled
                            : Has(buttons.Coloured, button) ? TPlayerGlyph::Coloured
                                                            : TPlayerGlyph::Enabled;
    TBitmap* glyph = glyphs_[static_cast<std::size_t>(button)][static_cast<std::size_t>(look)].get();
    if (!glyph)
        return;
    const int shift = face == TPlayerFace::Pressed ? 1 : 0;
    const int left = rect.left + (RectWidth(rect) - glyph->Width()) / 2 + shift;
    const int top = rect.top + (RectHeight(rect) - glyph->Height()) / 2 + shift;
    TransparentBlit(dc, {left, top, left + glyph->Width(), top + glyph->Height()}, *glyph, PlayerGlyphKey);
}

// ---- TSkinMP

TSkinMP::~TSkinMP() = default;

void TSkinMP::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    if (SkinState == StateAttached)
        return;
    TSkinControl::InitControl(form, skinData, takeColour);
    if (Control && Control->Parent())
        overlay_ = std::make_unique<TWMediaPlayer>(*this, *Control, skinData.DisableTag());
}

// The overlay goes with the skinner's hold on the player, also when the
// player's window went.
void TSkinMP::RestoreControl()
{
    TSkinControl::RestoreControl();
    overlay_.reset();
}

void TSkinMP::RefreshSkin()
{
    TSkinControl::RefreshSkin();
    if (overlay_)
        overlay_->Invalidate();
}

// The player lies under the overlay: its own painting is left out, and
// whatever made it repaint (a change of its buttons) repaints the overlay.
bool TSkinMP::BeforeMessage(TMessage& m)
{
    if (overlay_ && (m.Msg == WM_PAINT || m.Msg == WM_ERASEBKGND)) {
        if (m.Msg == WM_PAINT)
            overlay_->Invalidate();
        return TakeOverPaint(m);
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinMP::SkinEnabledChanged()
{
    if (overlay_)
        overlay_->FollowPlayer();
    TSkinControl::SkinEnabledChanged();
}

void TSkinMP::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED:
        if (overlay_)
            overlay_->FollowPlayer();
        break;
    case CM_ENABLEDCHANGED:
        if (overlay_)
            overlay_->Invalidate();
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

} // namespace skin
