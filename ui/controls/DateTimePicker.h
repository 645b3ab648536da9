// The date-time picker: a field showing a date (with a calendar that drops
// down, or arrows) or a time of day (with arrows), on the platform's control.
#pragma once

#include <windows.h>

#include "ui/controls/Controls.h"

namespace ui {

// A moment as days since 30 December 1899: the whole part is the date, the
// fraction the time of day.
using TDateTime = double;

// Conversions between a moment and the platform's calendar record, to the
// millisecond; moments before 1601 are refused with an error.
SYSTEMTIME DateTimeToSystemTime(TDateTime value);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
// Moments as form files write them: "2026-12-10" and "13:45:00". Text that is
// no date or time of day is refused with an error.
TDateTime ParseDate(const std::wstring& text);
TDateTime ParseTime(const std::wstring& text);
std::wstring FormatDate(TDateTime value);
std::wstring FormatTime(TDateTime value);

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };
enum class TDTDateFormat { dfShort, dfLong };

// Kind dtkDate shows Date (with a drop-down calendar, or arrows in
// dmUpDown), dtkTime shows Time with arrows. The control keeps the whole
// moment (DateTime); Date and Time set only their part of it. OnChange runs
// whenever the user changes the moment.
class TDateTimePicker : public TWinControl {
    UI_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* owner);
    TDateTime DateTime() const { return value_; }
    void SetDateTime(TDateTime value);
    TDateTime Date() const;
    void SetDate(TDateTime value);
    TDateTime Time() const;
    void SetTime(TDateTime value);
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat format);
    // The parts as form files write them.
    std::wstring DateText() const { return FormatDate(value_); }
    void SetDateText(const std::wstring& text) { SetDate(ParseDate(text)); }
    std::wstring TimeText() const { return FormatTime(value_); }
    void SetTimeText(const std::wstring& text) { SetTime(ParseTime(text)); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    void ShowValue();
    void RemakeWindow();
    TDateTime value_;
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateMode dateMode_ = TDTDateMode::dmComboBox;
    TDTDateFormat dateFormat_ = TDTDateFormat::dfShort;
};

} // namespace ui
