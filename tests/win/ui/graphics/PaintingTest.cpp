// Painting on real windows when a control's Paint fails: the paint ends and
// its device context goes back, no canvas keeps a context that is gone, and
// the next paint works. The device-context types release what they hold
// exactly once, moved or not.
#include <gtest/gtest.h>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/forms/Forms.h"

using namespace ui;
using tests::LiveGdiObjects;
using tests::TErrorLog;

namespace {

constexpr TColor clRed = 0x0000FF;

// Fills itself red; fails after filling while Fail is set.
template <class Base>
class TPaintProbe : public Base {
public:
    explicit TPaintProbe(TComponent* owner) : Base(owner) { this->SetBounds(10, 10, 40, 30); }
    bool Fail = false;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TCanvas& c = *this->Canvas();
        c.Brush()->SetColor(clRed);
        c.FillRect({0, 0, this->Width(), this->Height()});
        if (Fail)
            throw Exception("paint failed");
    }
};

using TGraphicProbe = TPaintProbe<TGraphicControl>;
using TWindowedProbe = TPaintProbe<TCustomControl>;

// A shown form with a probe on it, painted once.
template <class Probe>
struct TProbeStage {
    TProbeStage()
    {
        form.SetBounds(100, 100, 200, 150);
        probe->SetParent(&form);
        form.Show();
        Repaint();
    }
    // Paints the whole form now, through WM_PAINT.
    void Repaint() { RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); }
    // The colour in the middle of the probe, read through the window it
    // paints on (whatever else is on the screen).
    COLORREF ProbeColour()
    {
        auto* windowed = dynamic_cast<TWinControl*>(static_cast<TControl*>(probe));
        const HWND painted = windowed ? windowed->Handle() : form.Handle();
        POINT p = probe->ClientToScreen({probe->Width() / 2, probe->Height() / 2});
        ScreenToClient(painted, &p);
        return GetPixel(TWindowDC::Client(painted).Get(), p.x, p.y);
    }

    TForm form{nullptr};
    Probe* probe = new Probe(&form);
};

} // namespace

TEST(Painting, AGraphicControlWhosePaintFailsKeepsNoContextAndPaintsAgainLater)
{
    TProbeStage<TGraphicProbe> stage;
    TErrorLog log;
    stage.probe->Fail = true;
    stage.Repaint();
    EXPECT_EQ(log.Shown, std::vector<std::string>{"paint failed"});
    EXPECT_EQ(stage.probe->Canvas()->Handle(), nullptr) << "the canvas keeps no context of the failed paint";

    stage.probe->Fail = false;
    SetPixel(TWindowDC::Client(stage.form.Handle()).Get(), 30, 25, RGB(0, 0, 0));
    const int paints = stage.probe->Paints;
    stage.Repaint();
    EXPECT_GT(stage.probe->Paints, paints);
    EXPECT_EQ(stage.ProbeColour(), ColorToRGB(clRed));
}

TEST(Painting, AWindowedControlWhosePaintFailsEndsThePaintAndDetachesItsCanvas)
{
    TProbeStage<TWindowedProbe> stage;
    TErrorLog log;
    stage.probe->Fail = true;
    stage.Repaint();  // the first failing paint makes what stays (the canvas's brush)
    const DWORD before = LiveGdiObjects();
    for (int i = 0; i < 200; ++i)
        stage.Repaint();
    EXPECT_EQ(LiveGdiObjects(), before) << "every failed paint gave its device context back";
    EXPECT_EQ(log.Shown.size(), 201u);
    EXPECT_EQ(stage.probe->Canvas()->Handle(), nullptr) << "the canvas holds no context that is gone";
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(stage.probe->Handle(), &update, FALSE)) << "the failed paint still validated";

    stage.probe->Fail = false;
    SetPixel(TWindowDC::Client(stage.probe->Handle()).Get(), 20, 15, RGB(0, 0, 0));
    stage.Repaint();
    EXPECT_EQ(stage.ProbeColour(), ColorToRGB(clRed));
}

TEST(DeviceContexts, WindowContextsCoverTheWholeWindowOrTheClientArea)
{
    TForm form(nullptr);
    form.SetBounds(120, 120, 200, 150);
    form.Show();
    tests::Pump();
    SetPixel(TWindowDC::Whole(form.Handle()).Get(), 0, 0, RGB(255, 0, 0));
    SetPixel(TWindowDC::Client(form.Handle()).Get(), 0, 0, RGB(0, 0, 255));

    // Read back through the whole window, whatever else is on the screen.
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(form.Handle(), &client);
    ASSERT_NE(client.y, window.top) << "the form has a frame";
    const TWindowDC whole = TWindowDC::Whole(form.Handle());
    EXPECT_EQ(GetPixel(whole.Get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(whole.Get(), client.x - window.left, client.y - window.top), RGB(0, 0, 255));
}

TEST(DeviceContexts, AreReleasedExactlyOnceMovedOrNot)
{
    TForm form(nullptr);
    form.Show();
    RECT painted{};
    HDC movedFrom = nullptr;
    const auto saved = form.WindowProc;
    form.WindowProc = [&](TMessage& m) {
        if (m.Msg != WM_PAINT)
            return saved(m);
        TPaintDC first(form.Handle());
        TPaintDC second = std::move(first);
        movedFrom = first.Get();
        painted = second.PaintRect();
    };
    const auto cycle = [&] {
        TWindowDC whole = TWindowDC::Whole(form.Handle());
        TWindowDC client = TWindowDC::Client(form.Handle());
        client = std::move(whole);
        const TWindowDC last = std::move(client);
        const RECT r{5, 6, 25, 26};
        InvalidateRect(form.Handle(), &r, FALSE);
        UpdateWindow(form.Handle());
    };
    cycle();
    const DWORD before = LiveGdiObjects();
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(movedFrom, nullptr);
    EXPECT_EQ(painted.left, 5);
    EXPECT_EQ(painted.bottom, 26);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(form.Handle(), &update, FALSE)) << "the moved paint context ended the paint";
    form.WindowProc = saved;
}
