#include "ui/controls/MPlayer.h"

#include <windowsx.h>

#include <vector>

namespace ui {

namespace {

constexpr TColor Green = 0x008000, Olive = 0x008080, Maroon = 0x000080, Red = 0x0000FF;

// A glyph: polygons on an 8 by 8 grid, and its colour when coloured.
struct TGlyph {
    std::vector<std::vector<POINT>> Polygons;
    TColor Colour;
};

std::vector<POINT> Box(int left, int top, int right, int bottom)
{
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

const TGlyph& GlyphOf(TMPBtnType button)
{
    static const TGlyph glyphs[MPButtonCount] = {
        {{{{2, 0}, {7, 4}, {2, 8}}}, Green},                                  // play
        {{Box(1, 0, 3, 8), Box(5, 0, 7, 8)}, Olive},                          // pause
        {{Box(1, 1, 7, 7)}, Maroon},                                           // stop
        {{{{0, 0}, {5, 4}, {0, 8}}, Box(6, 0, 8, 8)}, clNavy},                  // next
        {{Box(0, 0, 2, 8), {{8, 0}, {3, 4}, {8, 8}}}, clNavy},                  // previous
        {{{{0, 0}, {4, 4}, {0, 8}}, {{4, 0}, {8, 4}, {4, 8}}}, clNavy},         // step
        {{{{4, 0}, {0, 4}, {4, 8}}, {{8, 0}, {4, 4}, {8, 8}}}, clNavy},         // back
        {{{{2, 0}, {6, 0}, {8, 2}, {8, 6}, {6, 8}, {2, 8}, {0, 6}, {0, 2}}}, Red},  // record
        {{{{0, 5}, {4, 1}, {8, 5}}, Box(0, 6, 8, 8)}, clNavy},                  // eject
    };
    return glyphs[static_cast<int>(button)];
}

bool Has(TButtonSet set, int index)
{
    return (set >> index) & 1u;
}

const std::vector<std::string> ButtonNames = {"btPlay", "btPause", "btStop",  "btNext",  "btPrev",
                                              "btStep", "btBack",  "btRecord", "btEject"};

} // namespace

const TClassInfo& TMediaPlayer::StaticClass()
{
    using P = TMediaPlayer;
    static const TClassInfo info = TClassBuilder<P>("TMediaPlayer", &TCustomControl::StaticClass())
                                       .Set("VisibleButtons", ButtonNames, &P::VisibleButtons, &P::SetVisibleButtons)
                                       .Set("EnabledButtons", ButtonNames, &P::EnabledButtons, &P::SetEnabledButtons)
                                       .Set("ColoredButtons", ButtonNames, &P::ColoredButtons, &P::SetColoredButtons)
                                       .Event("OnClick", &P::OnClick)
                                       .Creatable()
                                       .Done();
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 253, 30);
    SetColor(clBtnFace);
}

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons)
{
    visible_ = buttons & AllMPButtons;
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet buttons)
{
    enabled_ = buttons & AllMPButtons;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet buttons)
{
    colored_ = buttons & AllMPButtons;
    Invalidate();
}

int TMediaPlayer::VisibleCount() const
{
    int count = 0;
    for (int i = 0; i < MPButtonCount; ++i)
        count += Has(visible_, i);
    return count;
}

RECT TMediaPlayer::ButtonRect(TMPBtnType button) const
{
    const int index = static_cast<int>(button);
    if (!Has(visible_, index))
        return {0, 0, 0, 0};
    int place = 0;
    for (int i = 0; i < index; ++i)
        place += Has(visible_, i);
    const RECT client = ClientRect();
    const int width = client.right / VisibleCount();
    return {place * width, 0, (place + 1) * width, client.bottom};
}

bool TMediaPlayer::ButtonAt(int x, TMPBtnType& button) const
{
    for (int i = 0; i < MPButtonCount; ++i) {
        const RECT r = ButtonRect(static_cast<TMPBtnType>(i));
        if (x >= r.left && x < r.right) {
            button = static_cast<TMPBtnType>(i);
            return true;
        }
    }
    return false;
}

void TMediaPlayer::ClickButton(TMPBtnType button)
{
    const int index = static_cast<int>(button);
    if (!Enabled() || !Has(visible_, index) || !Has(enabled_, index))
        return;
    // No device is opened by this bar, so nothing is left to do by default.
    bool doDefault = true;
    OnClick(this, button, doDefault);
}

// The press is held with the capture: the button looks pressed only while
// the mouse is over it, and a release there clicks it.
void TMediaPlayer::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TMPBtnType button{};
        if (ButtonAt(GET_X_LPARAM(m.LParam), button) && Has(enabled_, static_cast<int>(button))) {
            pressed_ = static_cast<int>(button);
            over_ = true;
            SetCapture(Handle());
            Invalidate();
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (pressed_ >= 0) {
            TMPBtnType button{};
            const bool over = ButtonAt(GET_X_LPARAM(m.LParam), button) && static_cast<int>(button) == pressed_ &&
                              GET_Y_LPARAM(m.LParam) >= 0 && GET_Y_LPARAM(m.LParam) < ClientHeight();
            if (over != over_) {
                over_ = over;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (pressed_ >= 0) {
            const auto button = static_cast<TMPBtnType>(pressed_);
            const bool click = m.Msg == WM_LBUTTONUP && over_;
            pressed_ = -1;
            over_ = false;
            if (GetCapture() == Handle())
                ReleaseCapture();
            Invalidate();
            if (click)
                ClickButton(button);
        }
        break;
    default: break;
    }
    TCustomControl::Dispatch(m);
}

void TMediaPlayer::Paint()
{
    TCanvas& c = *Canvas();
    c.FillRect(ClientRect());
    for (int i = 0; i < MPButtonCount; ++i) {
        if (!Has(visible_, i))
            continue;
        RECT r = ButtonRect(static_cast<TMPBtnType>(i));
        const bool pressed = i == pressed_ && over_;
        DrawFrameControl(c.Handle(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        DrawGlyph(static_cast<TMPBtnType>(i), r, pressed);
    }
}

// The glyph is 9 pixels square in the middle of the button, one pixel
// lower and righter while pressed.
void TMediaPlayer::DrawGlyph(TMPBtnType button, const RECT& rect, bool pressed)
{
    const int index = static_cast<int>(button);
    const TGlyph& glyph = GlyphOf(button);
    const bool enabled = Enabled() && Has(enabled_, index);
    const TColor colour = !enabled ? clGrayText : Has(colored_, index) ? glyph.Colour : clBtnText;
    const int left = (rect.left + rect.right) / 2 - 4 + pressed, top = (rect.top + rect.bottom) / 2 - 4 + pressed;
    TBrush brush;
    brush.SetColor(colour);
    TPen pen;
    pen.SetColor(colour);
    TSavedDC saved(Canvas()->Handle());
    saved.Select(brush.Handle());
    saved.Select(pen.Handle());
    for (const auto& polygon : glyph.Polygons) {
        std::vector<POINT> points;
        for (POINT p : polygon)
            points.push_back({left + p.x, top + p.y});
        Polygon(Canvas()->Handle(), points.data(), static_cast<int>(points.size()));
    }
}

} // namespace ui
