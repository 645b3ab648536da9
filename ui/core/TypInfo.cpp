#include "ui/core/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "ui/core/Classes.h"

namespace ui {

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int TPropInfo::ValueOf(std::string_view name) const
{
    for (std::size_t i = 0; i < ValueNames.size(); ++i)
        if (SameText(ValueNames[i], name))
            return static_cast<int>(i);
    return -1;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const
{
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent)
        chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->Props)
            out.push_back(&p);
    return out;
}

namespace {

struct Caseless {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    }
};

std::map<std::string, const TClassInfo*, Caseless>& Registry()
{
    static std::map<std::string, const TClassInfo*, Caseless> registry;
    return registry;
}

const char* KindName(TTypeKind kind)
{
    switch (kind) {
    case TTypeKind::Integer: return "integer";
    case TTypeKind::Enumeration: return "enumeration";
    case TTypeKind::Set: return "set";
    case TTypeKind::AnsiString: return "ANSI string";
    case TTypeKind::WideString: return "wide string";
    case TTypeKind::Class: return "class";
    case TTypeKind::Method: return "event";
    }
    return "?";
}

bool IsOrdinal(TTypeKind kind)
{
    return kind == TTypeKind::Integer || kind == TTypeKind::Enumeration || kind == TTypeKind::Set;
}

// The property of that name, checked to be of an accepted kind.
const TPropInfo& Checked(const TObject& obj, std::string_view name, bool (*accepts)(TTypeKind),
                         const char* wanted)
{
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p)
        throw EPropertyError("Property " + std::string(name) + " does not exist in " + obj.ClassName());
    if (!accepts(p->Kind))
        throw EPropertyError("Property " + p->Name + " of " + obj.ClassName() + " is of kind " +
                             KindName(p->Kind) + ", not " + wanted);
    return *p;
}

template <TTypeKind K>
bool Is(TTypeKind kind)
{
    return kind == K;
}

} // namespace

void RegisterComponentClass(const TClassInfo& info)
{
    Registry()[info.Name] = &info;
}

const TClassInfo* FindClass(std::string_view name)
{
    auto& r = Registry();
    auto it = r.find(std::string(name));
    return it == r.end() ? nullptr : it->second;
}

const TPropInfo* FindPropInfo(const TObject& obj, std::string_view name)
{
    return obj.ClassInfo().FindProp(name);
}

bool IsPublishedProp(const TObject& obj, std::string_view name)
{
    return FindPropInfo(obj, name) != nullptr;
}

std::int64_t GetOrdProp(const TObject& obj, std::string_view name)
{
    return Checked(obj, name, IsOrdinal, "ordinal").GetOrd(obj);
}

void SetOrdProp(TObject& obj, std::string_view name, std::int64_t value)
{
    Checked(obj, name, IsOrdinal, "ordinal").SetOrd(obj, value);
}

std::string GetEnumProp(const TObject& obj, std::string_view name)
{
    const TPropInfo& p = Checked(obj, name, Is<TTypeKind::Enumeration>, "enumeration");
    const std::int64_t v = p.GetOrd(obj);
    if (v < 0 || v >= static_cast<std::int64_t>(p.ValueNames.size()))
        throw EPropertyError("Property " + p.Name + " holds no named value");
    return p.ValueNames[static_cast<std::size_t>(v)];
}

void SetEnumProp(TObject& obj, std::string_view name, std::string_view value)
{
    const TPropInfo& p = Checked(obj, name, Is<TTypeKind::Enumeration>, "enumeration");
    const int v = p.ValueOf(value);
    if (v < 0)
        throw EPropertyError("Invalid property value " + std::string(value) + " for " + p.Name);
    p.SetOrd(obj, v);
}

std::string GetAnsiProp(const TObject& obj, std::string_view name)
{
    return Checked(obj, name, Is<TTypeKind::AnsiString>, "ANSI string").GetAnsi(obj);
}

void SetAnsiProp(TObject& obj, std::string_view name, const std::string& value)
{
    Checked(obj, name, Is<TTypeKind::AnsiString>, "ANSI string").SetAnsi(obj, value);
}

std::wstring GetWideProp(const TObject& obj, std::string_view name)
{
    return Checked(obj, name, Is<TTypeKind::WideString>, "wide string").GetWide(obj);
}

void SetWideProp(TObject& obj, std::string_view name, const std::wstring& value)
{
    Checked(obj, name, Is<TTypeKind::WideString>, "wide string").SetWide(obj, value);
}

TPersistent* GetObjectProp(const TObject& obj, std::string_view name)
{
    return Checked(obj, name, Is<TTypeKind::Class>, "class").GetObject(obj);
}

void SetObjectProp(TObject& obj, std::string_view name, TPersistent* value)
{
    Checked(obj, name, Is<TTypeKind::Class>, "class").SetObject(obj, value);
}

TMethod GetMethodProp(const TObject& obj, std::string_view name)
{
    return Checked(obj, name, Is<TTypeKind::Method>, "event").GetMethod(obj);
}

void SetMethodProp(TObject& obj, std::string_view name, const TMethod& value)
{
    Checked(obj, name, Is<TTypeKind::Method>, "event").SetMethod(obj, value);
}

} // namespace ui
