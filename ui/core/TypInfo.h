// Published properties: each class declares a table of the properties that
// can be read and written by name (by the form reader, by the skin engine's
// GetIntPropByName / SetPropByName family, and by tests). Look-up walks the
// class chain, so a class sees the properties of its ancestors.
//
// Platform-neutral.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ui/core/SysUtils.h"

namespace ui {

class TObject;
class TPersistent;
class TComponent;
struct TClassInfo;

enum class TTypeKind { Integer, Enumeration, Set, AnsiString, WideString, Class, Method };

// A bound event handler as stored in an event property: the callable (an
// std::function of the event's signature, type-erased) and the handler's name
// in the form file, kept so that forms can be written back.
struct TMethod {
    std::any Code;
    std::string Name;
    bool Assigned() const { return Code.has_value(); }
};

// An event property's value: a callable of one signature plus the handler
// name it was bound from. Calling an unassigned event does nothing.
template <class Sig>
struct TEvent;

template <class R, class... Args>
struct TEvent<R(Args...)> {
    using Function = std::function<R(Args...)>;
    Function Fn;
    std::string Name;

    TEvent() = default;
    TEvent(Function fn, std::string name = {}) : Fn(std::move(fn)), Name(std::move(name)) {}
    explicit operator bool() const { return static_cast<bool>(Fn); }
    R operator()(Args... args) const
    {
        if constexpr (std::is_void_v<R>) {
            if (Fn)
                Fn(std::forward<Args>(args)...);
        } else {
            return Fn ? Fn(std::forward<Args>(args)...) : R{};
        }
    }
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// A form's handler table entry: a handler name and its method of C.
template <class C>
struct THandler {
    const char* Name;
    std::function<TMethod(C*)> Bind;
};

template <class C, class R, class... A>
THandler<C> Handler(const char* name, R (C::*fn)(A...))
{
    return {name, [name, fn](C* self) {
                using Function = typename TEvent<R(A...)>::Function;
                return TMethod{Function([self, fn](A... a) -> R { return (self->*fn)(std::forward<A>(a)...); }),
                               name};
            }};
}

// The handler of that name in table, bound to self; unassigned if absent.
template <class C>
TMethod FindHandler(C* self, std::string_view name, std::initializer_list<THandler<C>> table)
{
    for (const THandler<C>& h : table)
        if (name == h.Name)
            return h.Bind(self);
    return {};
}

// Named constants that an Integer property also accepts, as colour
// properties take clBtnFace: ToInt finds the value of a name (false when the
// name is unknown), ToIdent the name of a value (false when it has none).
struct TIdentMap {
    bool (*ToInt)(std::string_view ident, std::int64_t& value);
    bool (*ToIdent)(std::int64_t value, std::string& ident);
};

// One published property. Only the accessors of its kind are set:
// ordinal ones for Integer, Enumeration and Set (a set is a bit mask, bit n
// for member n), Ansi for AnsiString (UTF-8 text), Wide for WideString,
// Object for Class, Method for Method.
struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::Integer;
    std::vector<std::string> ValueNames;  // enumeration values / set members
    // The class of a Class property, asked for when needed: a class may
    // refer to its own kind (a menu item to its parent item).
    const TClassInfo& (*ObjectClass)() = nullptr;
    // A Class property that refers to a component held elsewhere (a form's
    // Menu): form files name the component, and setting it replaces the
    // reference instead of assigning into the object.
    bool Reference = false;
    const TIdentMap* Idents = nullptr;        // named constants of an Integer property

    std::function<std::int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, std::int64_t)> SetOrd;
    std::function<std::string(const TObject&)> GetAnsi;
    std::function<void(TObject&, const std::string&)> SetAnsi;
    std::function<std::wstring(const TObject&)> GetWide;
    std::function<void(TObject&, const std::wstring&)> SetWide;
    std::function<TPersistent*(const TObject&)> GetObject;
    std::function<void(TObject&, TPersistent*)> SetObject;
    std::function<TMethod(const TObject&)> GetMethod;
    std::function<void(TObject&, const TMethod&)> SetMethod;

    // Enumeration value or set member by name (case-insensitive), -1 if none.
    int ValueOf(std::string_view name) const;
};

using TComponentFactory = TComponent* (*)(TComponent* owner);

// Run-time class information: name, parent class, published properties and,
// for classes the form reader may create, a factory.
struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Props;
    TComponentFactory Create = nullptr;

    const TPropInfo* FindProp(std::string_view name) const;  // walks the chain
    bool InheritsFrom(const TClassInfo& other) const;
    // Every published property of the class chain, ancestors' first.
    std::vector<const TPropInfo*> AllProps() const;
};

// Classes the form reader can create by name.
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);

bool SameText(std::string_view a, std::string_view b);

// Builds a class's property table from member functions of C.
template <class C>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo* parent)
    {
        info_.Name = std::move(name);
        info_.Parent = parent;
    }

    template <class V>
    TClassBuilder& Int(std::string name, V (C::*get)() const, void (C::*set)(V))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Integer);
        BindOrd(p, get, set);
        return Add(std::move(p));
    }
    // An integer property that form files may also give as a named constant.
    template <class V>
    TClassBuilder& Int(std::string name, V (C::*get)() const, void (C::*set)(V), const TIdentMap& idents)
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Integer);
        p.Idents = &idents;
        BindOrd(p, get, set);
        return Add(std::move(p));
    }
    TClassBuilder& Bool(std::string name, bool (C::*get)() const, void (C::*set)(bool))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Enumeration);
        p.ValueNames = {"False", "True"};
        BindOrd(p, get, set);
        return Add(std::move(p));
    }
    template <class E>
    TClassBuilder& Enum(std::string name, std::vector<std::string> values, E (C::*get)() const,
                        void (C::*set)(E))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Enumeration);
        p.ValueNames = std::move(values);
        BindOrd(p, get, set);
        return Add(std::move(p));
    }
    // A set stored as a bit mask: bit n stands for member n.
    template <class S>
    TClassBuilder& Set(std::string name, std::vector<std::string> members, S (C::*get)() const,
                       void (C::*set)(S))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Set);
        p.ValueNames = std::move(members);
        BindOrd(p, get, set);
        return Add(std::move(p));
    }
    TClassBuilder& Ansi(std::string name, std::string (C::*get)() const,
                        void (C::*set)(const std::string&))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::AnsiString);
        p.GetAnsi = [get](const TObject& o) { return (Self(o).*get)(); };
        p.SetAnsi = [set](TObject& o, const std::string& v) { (Self(o).*set)(v); };
        return Add(std::move(p));
    }
    TClassBuilder& Wide(std::string name, std::wstring (C::*get)() const,
                        void (C::*set)(const std::wstring&))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::WideString);
        p.GetWide = [get](const TObject& o) { return (Self(o).*get)(); };
        p.SetWide = [set](TObject& o, const std::wstring& v) { (Self(o).*set)(v); };
        return Add(std::move(p));
    }
    // A persistent object owned by C; setting it assigns into it.
    template <class P>
    TClassBuilder& Object(std::string name, P* (C::*get)() const, void (C::*set)(P*))
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Class);
        p.ObjectClass = &P::StaticClass;
        p.GetObject = [get](const TObject& o) -> TPersistent* { return (Self(o).*get)(); };
        p.SetObject = [set](TObject& o, TPersistent* v) { (Self(o).*set)(CheckedCast<P>(v)); };
        return Add(std::move(p));
    }
    // A reference to another component, named in form files (Menu = MainMenu1).
    template <class P>
    TClassBuilder& Reference(std::string name, P* (C::*get)() const, void (C::*set)(P*))
    {
        TClassBuilder& self = Object(std::move(name), get, set);
        info_.Props.back().Reference = true;
        return self;
    }
    template <class Sig>
    TClassBuilder& Event(std::string name, TEvent<Sig> C::*field)
    {
        TPropInfo p = Named(std::move(name), TTypeKind::Method);
        p.GetMethod = [field](const TObject& o) {
            const TEvent<Sig>& e = Self(o).*field;
            return e ? TMethod{e.Fn, e.Name} : TMethod{};
        };
        p.SetMethod = [field, n = p.Name](TObject& o, const TMethod& m) {
            TEvent<Sig>& e = Self(o).*field;
            if (!m.Assigned()) {
                e = {};
                return;
            }
            const auto* fn = std::any_cast<typename TEvent<Sig>::Function>(&m.Code);
            if (!fn)
                throw EPropertyError("Event handler " + m.Name + " does not fit " + n);
            e = TEvent<Sig>(*fn, m.Name);
        };
        return Add(std::move(p));
    }
    // Lets the form reader create the class by name.
    TClassBuilder& Creatable()
    {
        info_.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
        return *this;
    }
    TClassInfo Done() { return std::move(info_); }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    template <class P>
    static P* CheckedCast(TPersistent* v);

    static TPropInfo Named(std::string name, TTypeKind kind)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        return p;
    }
    template <class V>
    static void BindOrd(TPropInfo& p, V (C::*get)() const, void (C::*set)(V))
    {
        p.GetOrd = [get](const TObject& o) { return static_cast<std::int64_t>((Self(o).*get)()); };
        p.SetOrd = [set](TObject& o, std::int64_t v) { (Self(o).*set)(static_cast<V>(v)); };
    }
    TClassBuilder& Add(TPropInfo p)
    {
        info_.Props.push_back(std::move(p));
        return *this;
    }

    TClassInfo info_;
};

// Property access by name on any object with published properties. Reading
// or writing a property that does not exist, or is of another kind, raises
// EPropertyError; the Find/Is helpers ask first.
const TPropInfo* FindPropInfo(const TObject& obj, std::string_view name);
bool IsPublishedProp(const TObject& obj, std::string_view name);
std::int64_t GetOrdProp(const TObject& obj, std::string_view name);
void SetOrdProp(TObject& obj, std::string_view name, std::int64_t value);
std::string GetEnumProp(const TObject& obj, std::string_view name);
void SetEnumProp(TObject& obj, std::string_view name, std::string_view value);
std::string GetAnsiProp(const TObject& obj, std::string_view name);
void SetAnsiProp(TObject& obj, std::string_view name, const std::string& value);
std::wstring GetWideProp(const TObject& obj, std::string_view name);
void SetWideProp(TObject& obj, std::string_view name, const std::wstring& value);
TPersistent* GetObjectProp(const TObject& obj, std::string_view name);
void SetObjectProp(TObject& obj, std::string_view name, TPersistent* value);
TMethod GetMethodProp(const TObject& obj, std::string_view name);
void SetMethodProp(TObject& obj, std::string_view name, const TMethod& value);

} // namespace ui
