// The root classes of the component framework: objects with run-time class
// information, persistent objects with published properties, components with
// owners, string lists and streams.
//
// Platform-neutral.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/SysUtils.h"
#include "ui/core/TypInfo.h"

namespace ui {

// Declares a class's run-time information. StaticClass() is defined in the
// class's .cpp with a TClassBuilder; ClassInfo() answers for the dynamic type.
#define UI_CLASS(Name)                                                              \
public:                                                                             \
    static const ::ui::TClassInfo& StaticClass();                                   \
    const ::ui::TClassInfo& ClassInfo() const override { return StaticClass(); }    \
                                                                                    \
private:

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassInfo().Name; }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
};

struct TFormValue;

class TPersistent : public TObject {
    UI_CLASS(TPersistent)
public:
    // Copies the published state of source; classes that can be assigned
    // override it. The default refuses with EPropertyError.
    virtual void Assign(const TPersistent& source);
    // Override to read a property that has no published accessor (binary data,
    // string lists): return true when the name was handled.
    virtual bool ReadDefinedProperty(const std::string& name, const TFormValue& value);
};

template <class C>
template <class P>
P* TClassBuilder<C>::CheckedCast(TPersistent* v)
{
    if (!v)
        return nullptr;
    auto* p = dynamic_cast<P*>(v);
    if (!p)
        throw EPropertyError("Invalid property value: " + v->ClassName() + " is not " +
                             P::StaticClass().Name);
    return p;
}

enum class TOperation { opInsert, opRemove };

// A component owns the components created with it as owner and frees them
// when it is freed (last created first). The form reader creates components
// by class name, names them and calls Loaded() once the whole form is read.
class TComponent : public TPersistent {
    UI_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    TComponent* FindComponent(std::string_view name) const;

    std::string Name() const { return name_; }
    void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    bool Loading() const { return loading_; }
    bool Destroying() const { return destroying_; }

    // Called by the form reader on every component once the whole form is read.
    // Override to finish set-up that needs all stored properties; call the base.
    virtual void Loaded();
    // Tells the component that another one joined (opInsert) or is leaving
    // (opRemove) its owner; override to drop references to a leaving one.
    virtual void Notification(TComponent* component, TOperation operation);
    // The form reader's hook for nested objects: a control overrides it to
    // make parent its parent control. Override where nesting means something.
    virtual void SetParentComponent(TComponent* parent);
    // The event handler of this name bound to this object, or an unassigned
    // method. Forms override it with their handler table.
    virtual TMethod FindMethod(std::string_view name);
    // Asks for a Notification(component, opRemove) when component goes, for
    // a component that refers to another outside its owner (a form's menu, a
    // control's popup menu). Both ends forget the link when either goes.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Set by the form reader around reading.
    void BeginLoading() { loading_ = true; }
    void EndLoading() { loading_ = false; }

protected:
    void BeginDestroy() { destroying_ = true; }
    // Points a reference field at value, with the free notification that
    // clears it when value goes (the old one's is dropped).
    template <class T>
    void SetReference(T*& field, T* value)
    {
        RemoveFreeNotification(field);
        field = value;
        FreeNotification(value);
    }

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;  // linked both ways by FreeNotification
    std::string name_;
    int tag_ = 0;
    bool loading_ = false;
    bool destroying_ = false;
};

// Finds the owned component of that name and type, or raises EReadError.
template <class T>
T* FindComponentOf(const TComponent& owner, std::string_view name)
{
    auto* c = dynamic_cast<T*>(owner.FindComponent(name));
    if (!c)
        throw EReadError("Component " + std::string(name) + " of class " + T::StaticClass().Name +
                         " not found in " + owner.Name());
    return c;
}

// An ordered list of wide strings. Descendants store them elsewhere (a list
// box keeps its items in its window); TStringList keeps them in memory.
class TStrings : public TPersistent {
    UI_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    virtual std::wstring Get(int index) const = 0;
    virtual void Put(int index, const std::wstring& s);
    virtual void Insert(int index, const std::wstring& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    int Add(const std::wstring& s);
    std::wstring operator[](int index) const { return Get(index); }
    int IndexOf(const std::wstring& s) const;      // case-insensitive, -1 if absent
    std::wstring Names(int index) const;           // part before the first '='
    std::wstring Value(const std::wstring& name) const;  // after "name=", empty if absent
    std::wstring Text() const;                     // lines joined with CR LF
    void SetText(const std::wstring& text);
    std::vector<std::wstring> ToVector() const;
    void Assign(const TPersistent& source) override;
    void AddStrings(const TStrings& other);
    // Reads the form file's "Strings = ( ... )" list.
    bool ReadDefinedProperty(const std::string& name, const TFormValue& value) override;

protected:
    // Raises for an index outside the list (allowEnd: one past the end is an
    // insertion point and allowed).
    void CheckIndex(int index, bool allowEnd) const;
};

class TStringList : public TStrings {
    UI_CLASS(TStringList)
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::wstring> items) : items_(items) {}
    int Count() const override { return static_cast<int>(items_.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& s) override;
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }

private:
    std::vector<std::wstring> items_;
};

class TCollection;

// One item of a collection (a status bar's panel, a header's section). Items
// have published properties like components but no owner or name: the
// collection holds them, and form files list them inside "< item ... end >".
class TCollectionItem : public TPersistent {
    UI_CLASS(TCollectionItem)
public:
    explicit TCollectionItem(TCollection& collection) : collection_(collection) {}
    TCollection& Collection() const { return collection_; }
    int Index() const;

protected:
    // Tells the collection that the item changed, so that its user shows it.
    void Changed();

private:
    TCollection& collection_;
};

// An ordered list of items of one class, made by the collection.
class TCollection : public TPersistent {
    UI_CLASS(TCollection)
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    void Delete(int index);
    void Clear();

protected:
    // Override to make an item of the collection's kind.
    virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
    // Called after item changed, or with nullptr after items came or went.
    // Override to show the change.
    virtual void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
};

// A collection of Item whose changes go to a handler (the control that shows
// the items).
template <class Item>
class TOwnedCollection : public TCollection {
public:
    using TUpdateHandler = std::function<void(TCollectionItem* item)>;
    explicit TOwnedCollection(TUpdateHandler onUpdate) : onUpdate_(std::move(onUpdate)) {}
    Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }

protected:
    std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<Item>(*this); }
    void Update(TCollectionItem* item) override { onUpdate_(item); }

private:
    TUpdateHandler onUpdate_;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A sequence of bytes with a position. ReadBuffer and WriteBuffer transfer
// all or raise: a short read raises EReadError "读文件时超出文件结尾".
class TStream {
public:
    virtual ~TStream() = default;
    // Transfers up to count bytes; returns how many were transferred.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    virtual std::int64_t Size();
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source (all of it from its start when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t size);
    void Clear();
    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    const std::uint8_t* Memory() const { return data_.data(); }

private:
    std::vector<std::uint8_t> data_;
    std::int64_t pos_ = 0;
};

} // namespace ui
