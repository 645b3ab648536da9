// Strings kept in memory that tell their user of every change.
#pragma once

#include <functional>

#include "ui/core/Classes.h"

namespace ui {

// A string list that tells its user of every change (a control that shows
// the strings).
class TNotifyStringList : public TStringList {
    UI_CLASS(TNotifyStringList)
public:
    explicit TNotifyStringList(std::function<void()> changed) : changed_(std::move(changed)) {}
    void Put(int index, const std::wstring& s) override;
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    std::function<void()> changed_;
};

} // namespace ui
