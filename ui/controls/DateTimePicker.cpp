#include "ui/controls/DateTimePicker.h"

#include <cmath>
#include <cstdio>

#include "ui/controls/CommonControls.h"
#include "ui/core/Utf8.h"

namespace ui {

namespace {

// Days from 1 January 1601, where the platform's file times start, to
// 30 December 1899.
constexpr double FileTimeEpochDays = 109205.0;
constexpr double MillisecondsPerDay = 86400000.0;
constexpr ULONGLONG FileTimeUnitsPerMillisecond = 10000;

// The whole of text read by a scanf pattern of three numbers; false when
// anything is missing or left over.
bool ScanThree(const std::wstring& text, const wchar_t* pattern, int& a, int& b, int& c)
{
    int used = 0;
    return swscanf(text.c_str(), pattern, &a, &b, &c, &used) == 3 && used == static_cast<int>(text.size());
}

int DaysInMonth(int year, int month)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[month - 1];
}

std::wstring Printed(const wchar_t* pattern, int a, int b, int c)
{
    wchar_t buffer[32];
    swprintf(buffer, 32, pattern, a, b, c);
    return buffer;
}

} // namespace

SYSTEMTIME DateTimeToSystemTime(TDateTime value)
{
    const double ms = std::round((value + FileTimeEpochDays) * MillisecondsPerDay);
    SYSTEMTIME time{};
    // Checked before the conversion to an integer: file times end in 30828.
    if (ms >= 0 && ms < 9.2e14) {
        ULARGE_INTEGER units{};
        units.QuadPart = static_cast<ULONGLONG>(ms) * FileTimeUnitsPerMillisecond;
        const FILETIME file{units.LowPart, units.HighPart};
        if (FileTimeToSystemTime(&file, &time))
            return time;
    }
    throw Exception("The moment " + std::to_string(value) + " has no calendar date");
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time)
{
    FILETIME file{};
    if (!SystemTimeToFileTime(&time, &file))
        throw Exception("Not a calendar date");
    const ULARGE_INTEGER units{{file.dwLowDateTime, file.dwHighDateTime}};
    return static_cast<double>(units.QuadPart / FileTimeUnitsPerMillisecond) / MillisecondsPerDay - FileTimeEpochDays;
}

TDateTime ParseDate(const std::wstring& text)
{
    int year = 0, month = 0, day = 0;
    if (ScanThree(text, L"%4d-%2d-%2d%n", year, month, day) && year >= 1601 && month >= 1 && month <= 12 &&
        day >= 1 && day <= DaysInMonth(year, month)) {
        SYSTEMTIME time{};
        time.wYear = static_cast<WORD>(year), time.wMonth = static_cast<WORD>(month),
        time.wDay = static_cast<WORD>(day);
        return SystemTimeToDateTime(time);
    }
    throw Exception("'" + WideToUtf8(text) + "' is not a date (year-month-day)");
}

TDateTime ParseTime(const std::wstring& text)
{
    int hour = 0, minute = 0, second = 0;
    if (ScanThree(text, L"%2d:%2d:%2d%n", hour, minute, second) && hour >= 0 && hour < 24 && minute >= 0 &&
        minute < 60 && second >= 0 && second < 60)
        return (hour * 3600 + minute * 60 + second) / 86400.0;
    throw Exception("'" + WideToUtf8(text) + "' is not a time of day (hours:minutes:seconds)");
}

std::wstring FormatDate(TDateTime value)
{
    const SYSTEMTIME time = DateTimeToSystemTime(value);
    return Printed(L"%04d-%02d-%02d", time.wYear, time.wMonth, time.wDay);
}

std::wstring FormatTime(TDateTime value)
{
    const SYSTEMTIME time = DateTimeToSystemTime(value);
    return Printed(L"%02d:%02d:%02d", time.wHour, time.wMinute, time.wSecond);
}

const TClassInfo& TDateTimePicker::StaticClass()
{
    using P = TDateTimePicker;
    static const TClassInfo info =
        TClassBuilder<P>("TDateTimePicker", &TWinControl::StaticClass())
            .Enum("Kind", {"dtkDate", "dtkTime"}, &P::Kind, &P::SetKind)
            .Enum("DateMode", {"dmComboBox", "dmUpDown"}, &P::DateMode, &P::SetDateMode)
            .Enum("DateFormat", {"dfShort", "dfLong"}, &P::DateFormat, &P::SetDateFormat)
            .Wide("Date", &P::DateText, &P::SetDateText)
            .Wide("Time", &P::TimeText, &P::SetTimeText)
            .Event("OnChange", &P::OnChange)
            .Creatable()
            .Done();
    return info;
}

// A new picker shows the moment it was made.
TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    value_ = SystemTimeToDateTime(now);
    SetBounds(0, 0, 186, 24);
    SetTabStop(true);
}

void TDateTimePicker::SetDateTime(TDateTime value)
{
    DateTimeToSystemTime(value);  // refuses a moment the picker cannot show
    value_ = value;
    ShowValue();
}

TDateTime TDateTimePicker::Date() const
{
    return std::floor(value_);
}

void TDateTimePicker::SetDate(TDateTime value)
{
    SetDateTime(std::floor(value) + Time());
}

TDateTime TDateTimePicker::Time() const
{
    return value_ - std::floor(value_);
}

void TDateTimePicker::SetTime(TDateTime value)
{
    SetDateTime(Date() + (value - std::floor(value)));
}

void TDateTimePicker::SetKind(TDateTimeKind kind)
{
    kind_ = kind;
    RemakeWindow();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode)
{
    dateMode_ = mode;
    RemakeWindow();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format)
{
    dateFormat_ = format;
    RemakeWindow();
}

void TDateTimePicker::RemakeWindow()
{
    if (HandleAllocated())
        RecreateWnd();
}

void TDateTimePicker::ShowValue()
{
    if (!HandleAllocated())
        return;
    SYSTEMTIME time = DateTimeToSystemTime(value_);
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// A time shows arrows; a date a drop-down calendar unless it asks for
// arrows too.
void TDateTimePicker::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_DATE_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = DATETIMEPICK_CLASSW;
    if (kind_ == TDateTimeKind::dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else if (dateFormat_ == TDTDateFormat::dfLong)
        params.Style |= DTS_LONGDATEFORMAT;
    if (kind_ == TDateTimeKind::dtkDate && dateMode_ == TDTDateMode::dmUpDown)
        params.Style |= DTS_UPDOWN;
}

void TDateTimePicker::CreateWnd()
{
    TWinControl::CreateWnd();
    ShowValue();
}

// The user's changes come back as a reflected notification; the picker's
// record is the whole moment, so both parts are taken.
void TDateTimePicker::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(m.LParam)->code == DTN_DATETIMECHANGE) {
        const auto& change = *reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
        if (change.dwFlags == GDT_VALID) {
            const TDateTime now = SystemTimeToDateTime(change.st);
            if (now != value_) {
                value_ = now;
                OnChange(this);
            }
        }
        m.Result = 0;
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
