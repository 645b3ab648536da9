// Date-time pickers on real windows: moments and their calendar records,
// the parts form files write, and the user's changes through the window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/DateTimePicker.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0)
{
    SYSTEMTIME t{};
    t.wYear = year, t.wMonth = month, t.wDay = day, t.wHour = hour, t.wMinute = minute, t.wSecond = second;
    return t;
}

bool SameMoment(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

class TPickerForm : public TForm {
    UI_CLASS(TPickerForm)
public:
    explicit TPickerForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Changes;
    void Changed(TObject* sender) { Changes.push_back(dynamic_cast<TComponent*>(sender)->Name()); }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TPickerForm>(this, name, {Handler("Changed", &TPickerForm::Changed)});
    }
};

const TClassInfo& TPickerForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPickerForm>("TPickerForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const PickerForm = R"(object Pickers: TPickerForm
  Left = 40
  Top = 40
  ClientWidth = 300
  ClientHeight = 160
  Position = poDesigned
  object Date1: TDateTimePicker
    Left = 10
    Top = 10
    Date = '2026-12-10'
    Time = '13:45:00'
    OnChange = Changed
  end
  object Time1: TDateTimePicker
    Left = 10
    Top = 50
    Kind = dtkTime
    Time = '08:30:15'
    OnChange = Changed
  end
  object Spin1: TDateTimePicker
    Left = 10
    Top = 90
    DateMode = dmUpDown
    DateFormat = dfLong
    Date = '2000-02-29'
  end
end
)";

} // namespace

// Days since 30 December 1899, the fraction the time of day, both ways.
TEST(DateTimes, AMomentIsDaysSinceTheLastDaysOf1899)
{
    const struct {
        SYSTEMTIME Time;
        TDateTime Value;
    } cases[] = {
        {Moment(1899, 12, 30), 0.0},
        {Moment(1900, 1, 1), 2.0},
        {Moment(1899, 12, 29, 6), -0.75},
        {Moment(2026, 12, 10, 12), 46366.5},
        {Moment(2000, 2, 29, 18), 36585.75},
        {Moment(1601, 1, 1), -109205.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(SystemTimeToDateTime(c.Time), c.Value) << c.Value;
        SYSTEMTIME back = DateTimeToSystemTime(c.Value);
        back.wDayOfWeek = 0;
        EXPECT_TRUE(SameMoment(back, c.Time)) << c.Value;
    }
    EXPECT_THROW(DateTimeToSystemTime(-109206.0), Exception) << "before 1601";
    EXPECT_THROW(DateTimeToSystemTime(1e12), Exception);
}

// Form files write the parts as text; anything else is refused with an
// error that names it.
TEST(DateTimes, DatesAndTimesReadAsFormFilesWriteThem)
{
    EXPECT_DOUBLE_EQ(ParseDate(L"2026-12-10"), 46366.0);
    EXPECT_DOUBLE_EQ(ParseTime(L"18:00:00"), 0.75);
    EXPECT_EQ(FormatDate(46366.75), L"2026-12-10");
    EXPECT_EQ(FormatTime(46366.75), L"18:00:00");
    for (const wchar_t* bad : {L"", L"2026-02-30", L"2026-13-01", L"1600-06-01", L"2026-12-10x", L"20261210"})
        EXPECT_THROW(ParseDate(bad), Exception) << std::wstring(bad).size();
    for (const wchar_t* bad : {L"", L"24:00:00", L"12:60:00", L"12:00:60", L"12:00", L"-1:00:00"})
        EXPECT_THROW(ParseTime(bad), Exception) << std::wstring(bad).size();
    try {
        ParseDate(L"2026-02-30");
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("2026-02-30"), std::string::npos);
    }
}

class DateTimePickers : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TPickerForm(nullptr);
        ReadComponent(PickerForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
    }
    void TearDown() override { delete form; }

    TDateTimePicker* Get(const char* name) { return FindComponentOf<TDateTimePicker>(*form, name); }
    static SYSTEMTIME Shown(TDateTimePicker* picker)
    {
        SYSTEMTIME t{};
        EXPECT_EQ(SendMessageW(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)), GDT_VALID);
        t.wDayOfWeek = 0;
        return t;
    }

    TPickerForm* form = nullptr;
};

// Each kind and mode is its window's style, and the window shows the moment
// the form gave, both parts of it.
TEST_F(DateTimePickers, EachKindShowsTheMomentTheFormGave)
{
    EXPECT_DOUBLE_EQ(Get("Date1")->DateTime(), 46366.0 + (13 * 60 + 45) / 1440.0);
    EXPECT_TRUE(SameMoment(Shown(Get("Date1")), Moment(2026, 12, 10, 13, 45)));
    EXPECT_EQ(Get("Time1")->TimeText(), L"08:30:15");
    EXPECT_EQ(Get("Spin1")->DateText(), L"2000-02-29");

    const struct {
        const char* Name;
        LONG_PTR Style;
    } cases[] = {{"Date1", 0}, {"Time1", DTS_TIMEFORMAT}, {"Spin1", DTS_UPDOWN | DTS_LONGDATEFORMAT}};
    for (const auto& c : cases)
        EXPECT_EQ(GetWindowLongPtrW(Get(c.Name)->Handle(), GWL_STYLE) &
                      (DTS_TIMEFORMAT | DTS_UPDOWN | DTS_LONGDATEFORMAT),
                  c.Style)
            << c.Name;
}

// Setting one part keeps the other; a bad value changes nothing; the
// moment outlives a remade window.
TEST_F(DateTimePickers, ThePartsAreSetApart)
{
    TDateTimePicker* picker = Get("Date1");
    picker->SetDate(ParseDate(L"2027-01-31") + 0.9);
    EXPECT_EQ(picker->DateText(), L"2027-01-31");
    EXPECT_EQ(picker->TimeText(), L"13:45:00");
    picker->SetTime(0.5);
    EXPECT_TRUE(SameMoment(Shown(picker), Moment(2027, 1, 31, 12)));
    EXPECT_THROW(picker->SetDateText(L"2027-02-29"), Exception);
    EXPECT_THROW(picker->SetDateTime(-200000.0), Exception);
    EXPECT_EQ(picker->DateText(), L"2027-01-31");
    picker->SetKind(TDateTimeKind::dtkTime);
    EXPECT_TRUE(SameMoment(Shown(picker), Moment(2027, 1, 31, 12)));
    EXPECT_TRUE(form->Changes.empty()) << "the program's changes run no OnChange";
}

// The user's change in the window (a field stepped with an arrow key)
// becomes the control's moment and runs OnChange once.
TEST_F(DateTimePickers, TheUsersChangeIsTheNewMoment)
{
    TDateTimePicker* picker = Get("Time1");
    SetForegroundWindow(form->Handle());
    picker->SetFocus();
    ASSERT_TRUE(tests::PumpUntil([&] { return GetFocus() == picker->Handle(); }));
    const SYSTEMTIME before = Shown(picker);
    // A click on the hours chooses that field, the arrow steps it.
    const LPARAM hours = MAKELPARAM(8, picker->ClientHeight() / 2);
    SendMessageW(picker->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, hours);
    SendMessageW(picker->Handle(), WM_LBUTTONUP, 0, hours);
    SendMessageW(picker->Handle(), WM_KEYDOWN, VK_UP, 1);
    SendMessageW(picker->Handle(), WM_KEYUP, VK_UP, 0xC0000001);
    const SYSTEMTIME after = Shown(picker);
    ASSERT_FALSE(SameMoment(before, after)) << "the window took no key";
    EXPECT_DOUBLE_EQ(picker->DateTime(), SystemTimeToDateTime(after));
    EXPECT_EQ(form->Changes, (std::vector<std::string>{"Time1"}));
}

// A date a calendar does not have stops the form with an error naming it.
TEST(DateTimePickerForms, ABadDateInAFormIsRefused)
{
    RegisterFrameworkClasses();
    TForm form(nullptr);
    try {
        ReadComponent("object F: TForm\n  object D: TDateTimePicker\n    Date = '2026-02-30'\n  end\nend\n", form);
        FAIL() << "read";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("2026-02-30"), std::string::npos) << e.Message();
    }
}
