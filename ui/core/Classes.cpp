#include "ui/core/Classes.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "ui/core/FormReader.h"
#include "ui/core/Utf8.h"

namespace ui {

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info{"TObject", nullptr, {}, nullptr};
    return info;
}

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass()).Done();
    return info;
}

void TPersistent::Assign(const TPersistent& source)
{
    throw EPropertyError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

bool TPersistent::ReadDefinedProperty(const std::string&, const TFormValue&)
{
    return false;
}

// ---- TComponent

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                       .Ansi("Name", &TComponent::Name, &TComponent::SetName)
                                       .Int("Tag", &TComponent::Tag, &TComponent::SetTag)
                                       .Done();
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->Insert(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    while (!freeNotifies_.empty()) {
        TComponent* c = freeNotifies_.back();
        RemoveFreeNotification(c);
        c->Notification(this, TOperation::opRemove);
    }
    // Owned components go last-created first, each telling the others.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        delete c;  // its destructor removes it from components_
    }
    if (owner_)
        owner_->Remove(this);
}

void TComponent::Insert(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
    for (TComponent* c : components_)
        if (c != component)
            c->Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component)
{
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
    Notification(component, TOperation::opRemove);
    for (TComponent* c : components_)
        c->Notification(component, TOperation::opRemove);
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EPropertyError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::Loaded() {}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this ||
        std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end())
        return;
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::SetParentComponent(TComponent*) {}

TMethod TComponent::FindMethod(std::string_view)
{
    return {};
}

// ---- TStrings

const TClassInfo& TStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass()).Done();
    return info;
}

void TStrings::Put(int index, const std::wstring& s)
{
    Delete(index);
    Insert(index, s);
}

int TStrings::Add(const std::wstring& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::IndexOf(const std::wstring& s) const
{
    const auto lower = [](std::wstring v) {
        for (auto& ch : v)
            ch = static_cast<wchar_t>(std::towlower(ch));
        return v;
    };
    const std::wstring key = lower(s);
    for (int i = 0; i < Count(); ++i)
        if (lower(Get(i)) == key)
            return i;
    return -1;
}

std::wstring TStrings::Names(int index) const
{
    const std::wstring line = Get(index);
    const auto eq = line.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : line.substr(0, eq);
}

std::wstring TStrings::Value(const std::wstring& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::wstring line = Get(i);
        const auto eq = line.find(L'=');
        if (eq != std::wstring::npos && eq == name.size() &&
            std::equal(name.begin(), name.end(), line.begin(),
                       [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
            return line.substr(eq + 1);
    }
    return {};
}

std::wstring TStrings::Text() const
{
    std::wstring out;
    for (int i = 0; i < Count(); ++i)
        out += Get(i) + L"\r\n";
    return out;
}

void TStrings::SetText(const std::wstring& text)
{
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        Add(text.substr(start, end - start));
        if (end < text.size() && text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n')
            ++end;
        start = end + 1;
    }
}

std::vector<std::wstring> TStrings::ToVector() const
{
    std::vector<std::wstring> out;
    for (int i = 0; i < Count(); ++i)
        out.push_back(Get(i));
    return out;
}

void TStrings::AddStrings(const TStrings& other)
{
    for (const std::wstring& s : other.ToVector())
        Add(s);
}

void TStrings::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TStrings*>(&source);
    if (!other)
        return TPersistent::Assign(source);
    if (other == this)
        return;
    Clear();
    AddStrings(*other);
}

bool TStrings::ReadDefinedProperty(const std::string& name, const TFormValue& value)
{
    const auto* list = std::get_if<TFormList>(&value.Data);
    if (!SameText(name, "Strings") || !list)
        return false;
    Clear();
    for (const TFormValue& item : *list) {
        const auto* text = std::get_if<std::string>(&item.Data);
        if (!text)
            throw EReadError("Line " + std::to_string(item.Line) + ": a string list holds only texts");
        Add(Utf8ToWide(*text));
    }
    return true;
}

// ---- TStringList

const TClassInfo& TStringList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClass()).Done();
    return info;
}

void TStrings::CheckIndex(int index, bool allowEnd) const
{
    const int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

std::wstring TStringList::Get(int index) const
{
    CheckIndex(index, false);
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::wstring& s)
{
    CheckIndex(index, false);
    items_[static_cast<std::size_t>(index)] = s;
}

void TStringList::Insert(int index, const std::wstring& s)
{
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, s);
}

void TStringList::Delete(int index)
{
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
}

// ---- streams

std::int64_t TStream::Size()
{
    const std::int64_t pos = Position();
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    SetPosition(pos);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count > 0 && Read(buffer, count) != count)
        throw EReadError(SReadBeyondEnd);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count > 0 && Write(buffer, count) != count)
        throw EStreamError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> chunk(64 * 1024);
    std::int64_t left = count;
    while (left > 0) {
        const std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t size = Size();
    if (count <= 0 || pos_ >= size)
        return 0;
    const std::int64_t n = std::min(count, size - pos_);
    std::memcpy(buffer, data_.data() + pos_, static_cast<std::size_t>(n));
    pos_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    if (pos_ + count > Size())
        data_.resize(static_cast<std::size_t>(pos_ + count));
    std::memcpy(data_.data() + pos_, buffer, static_cast<std::size_t>(count));
    pos_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? pos_ : Size();
    if (base + offset < 0)
        throw EStreamError("Seek before the start of a stream");
    pos_ = base + offset;
    return pos_;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    data_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    pos_ = std::min(pos_, Size());
}

void TMemoryStream::Clear()
{
    data_.clear();
    pos_ = 0;
}

// ---- TCollection

const TClassInfo& TCollectionItem::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass()).Done();
    return info;
}

int TCollectionItem::Index() const
{
    const auto& items = collection_.items_;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

void TCollectionItem::Changed()
{
    collection_.Update(this);
}

const TClassInfo& TCollection::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass()).Done();
    return info;
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception("Collection index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)].get();
}

TCollectionItem* TCollection::Add()
{
    items_.push_back(NewItem());
    Update(nullptr);
    return items_.back().get();
}

void TCollection::Delete(int index)
{
    Items(index);  // checks the index
    items_.erase(items_.begin() + index);
    Update(nullptr);
}

void TCollection::Clear()
{
    items_.clear();
    Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

} // namespace ui
