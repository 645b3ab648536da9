#include "ui/core/NotifyStrings.h"

namespace ui {

const TClassInfo& TNotifyStringList::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TNotifyStringList>("TNotifyStringList", &TStringList::StaticClass()).Done();
    return info;
}

void TNotifyStringList::Put(int index, const std::wstring& s)
{
    TStringList::Put(index, s);
    changed_();
}

void TNotifyStringList::Insert(int index, const std::wstring& s)
{
    TStringList::Insert(index, s);
    changed_();
}

void TNotifyStringList::Delete(int index)
{
    TStringList::Delete(index);
    changed_();
}

void TNotifyStringList::Clear()
{
    TStringList::Clear();
    changed_();
}

} // namespace ui
