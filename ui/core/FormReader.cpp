#include "ui/core/FormReader.h"

#include <cctype>

#include "ui/core/Classes.h"
#include "ui/core/Utf8.h"

namespace ui {

namespace {

// A small recursive-descent parser over the form text, line-aware so that
// errors can say where they are.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    TFormObject Root()
    {
        TFormObject root = Object();
        SkipSpace();
        if (pos_ < text_.size())
            Fail("text after the last 'end'");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EReadError("Form data, line " + std::to_string(line_) + ": " + what);
    }

    // Counts one level of nesting while an object, a list or a collection is
    // read: all are read by recursion, and the bound keeps the stack safe.
    class TNestingLevel {
    public:
        explicit TNestingLevel(Parser& parser) : parser_(parser)
        {
            if (++parser_.depth_ > MaxFormNesting)
                parser_.Fail("objects and lists nested more than " + std::to_string(MaxFormNesting) + " deep");
        }
        ~TNestingLevel() { --parser_.depth_; }
        TNestingLevel(const TNestingLevel&) = delete;
        TNestingLevel& operator=(const TNestingLevel&) = delete;

    private:
        Parser& parser_;
    };

    void SkipSpace()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n')
                ++line_;
            if (!std::isspace(static_cast<unsigned char>(c)))
                break;
            ++pos_;
        }
    }

    bool Peek(char c)
    {
        SkipSpace();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    void Expect(char c)
    {
        if (!Peek(c))
            Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

    std::string Ident()
    {
        SkipSpace();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IdentChar(text_[pos_]))
            ++pos_;
        if (start == pos_ || std::isdigit(static_cast<unsigned char>(text_[start])))
            Fail("a name expected");
        return std::string(text_.substr(start, pos_ - start));
    }

    bool AtKeyword(std::string_view word)
    {
        SkipSpace();
        if (text_.substr(pos_, word.size()) != word)
            return false;
        const std::size_t after = pos_ + word.size();
        return after >= text_.size() || !IdentChar(text_[after]);
    }

    TFormObject Object()
    {
        if (!AtKeyword("object"))
            Fail("'object' expected");
        const TNestingLevel level(*this);
        TFormObject obj;
        obj.Line = line_;
        pos_ += 6;
        obj.Name = Ident();
        Expect(':');
        obj.ClassName = Ident();
        while (!AtKeyword("end")) {
            if (pos_ >= text_.size())
                Fail("'end' missing for object " + obj.Name);
            if (AtKeyword("object")) {
                obj.Children.push_back(Object());
                continue;
            }
            if (!obj.Children.empty())
                Fail("properties of " + obj.Name + " must come before its nested objects");
            TFormProperty prop;
            prop.Name = Ident();
            Expect('=');
            prop.Value = Value();
            obj.Properties.push_back(std::move(prop));
        }
        pos_ += 3;
        return obj;
    }

    TFormValue Value()
    {
        SkipSpace();
        TFormValue v;
        v.Line = line_;
        if (pos_ >= text_.size())
            Fail("a value expected");
        const char c = text_[pos_];
        if (c == '\'' || c == '#')
            v.Data = Text();
        else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c)))
            v.Data = Number();
        else if (c == '[')
            v.Data = SetValue();
        else if (c == '(')
            v.Data = List();
        else if (c == '{')
            v.Data = Binary();
        else if (c == '<')
            v.Data = Collection();
        else
            v.Data = TFormIdent{Ident()};
        return v;
    }

    // 'text' pieces and #code characters, joined with '+' across lines.
    std::string Text()
    {
        std::string out;
        for (;;) {
            SkipSpace();
            if (pos_ < text_.size() && text_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n')
                        Fail("unterminated text");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            out += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    out += text_[pos_++];
                }
            } else if (pos_ < text_.size() && text_[pos_] == '#') {
                ++pos_;
                const std::int64_t code = Number();
                if (code < 0 || code > 0x10FFFF)
                    Fail("character code out of range");
                out += WideToUtf8(std::wstring(1, static_cast<wchar_t>(code)));
            } else {
                break;
            }
            // Pieces written side by side ('a'#13'b') or joined by '+' form
            // one text; a piece after white space is the next value.
            const bool adjacent = pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#');
            if (Peek('+'))
                ++pos_;
            else if (!adjacent)
                break;
        }
        return out;
    }

    std::int64_t Number()
    {
        SkipSpace();
        const std::size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
            ++pos_;
        const std::size_t digits = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
        if (digits == pos_ || pos_ - digits > 18)
            Fail("a whole number expected");
        return std::stoll(std::string(text_.substr(start, pos_ - start)));
    }

    TFormSet SetValue()
    {
        Expect('[');
        TFormSet set;
        while (!Peek(']')) {
            set.Members.push_back(Ident());
            if (Peek(','))
                ++pos_;
            else if (!Peek(']'))
                Fail("',' or ']' expected");
        }
        ++pos_;
        return set;
    }

    TFormList List()
    {
        Expect('(');
        const TNestingLevel level(*this);
        TFormList list;
        while (!Peek(')')) {
            if (pos_ >= text_.size())
                Fail("')' missing");
            list.push_back(Value());
        }
        ++pos_;
        return list;
    }

    // "<" then any number of "item" (properties) "end", then ">".
    TFormCollection Collection()
    {
        Expect('<');
        const TNestingLevel level(*this);
        TFormCollection items;
        while (!Peek('>')) {
            if (pos_ >= text_.size())
                Fail("'>' missing");
            if (!AtKeyword("item"))
                Fail("'item' or '>' expected");
            pos_ += 4;
            TFormItem item;
            item.Line = line_;
            while (!AtKeyword("end")) {
                if (pos_ >= text_.size() || Peek('>'))
                    Fail("'end' missing for a collection item");
                TFormProperty prop;
                prop.Name = Ident();
                Expect('=');
                prop.Value = Value();
                item.Properties.push_back(std::move(prop));
            }
            pos_ += 3;
            items.push_back(std::move(item));
        }
        ++pos_;
        return items;
    }

    TFormBinary Binary()
    {
        Expect('{');
        TFormBinary bytes;
        int high = -1;
        for (;;) {
            SkipSpace();
            if (pos_ >= text_.size())
                Fail("'}' missing");
            const char c = text_[pos_++];
            if (c == '}')
                break;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                Fail("hex digit expected in binary data");
            const int nibble = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10);
            if (high < 0) {
                high = nibble;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(high << 4 | nibble));
                high = -1;
            }
        }
        if (high >= 0)
            Fail("odd number of hex digits in binary data");
        return bytes;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int depth_ = 0;  // objects and lists being read
};

[[noreturn]] void BadValue(const TPropInfo& p, const TFormValue& v, const std::string& why)
{
    throw EReadError("Form data, line " + std::to_string(v.Line) + ": invalid value for " + p.Name + ": " + why);
}

std::int64_t OrdinalValue(const TPropInfo& p, const TFormValue& v)
{
    if (const auto* n = std::get_if<std::int64_t>(&v.Data)) {
        if (p.Kind != TTypeKind::Integer)
            BadValue(p, v, "a name expected");
        return *n;
    }
    if (const auto* id = std::get_if<TFormIdent>(&v.Data)) {
        std::int64_t named = 0;
        if (p.Kind == TTypeKind::Integer && p.Idents && p.Idents->ToInt(id->Name, named))
            return named;
        const int index = p.ValueOf(id->Name);
        if (p.Kind != TTypeKind::Enumeration || index < 0)
            BadValue(p, v, id->Name);
        return index;
    }
    if (const auto* set = std::get_if<TFormSet>(&v.Data)) {
        if (p.Kind != TTypeKind::Set)
            BadValue(p, v, "not a set");
        std::int64_t mask = 0;
        for (const std::string& m : set->Members) {
            const int bit = p.ValueOf(m);
            if (bit < 0)
                BadValue(p, v, m);
            mask |= std::int64_t{1} << bit;
        }
        return mask;
    }
    BadValue(p, v, "wrong kind of value");
}

const std::string& TextValue(const TPropInfo& p, const TFormValue& v)
{
    const auto* s = std::get_if<std::string>(&v.Data);
    if (!s)
        BadValue(p, v, "a text expected");
    return *s;
}

// A reference named in the form, set once every component of the form exists
// (references usually name components that come later in the text).
struct TReferenceFixup {
    TObject* Target;
    const TPropInfo* Prop;
    TFormValue Value;
};

// What setting properties needs besides the value: the root (event handlers
// and named components are looked up in it) and, while a whole form is read,
// where references wait for the components they name.
struct TReadContext {
    TComponent& Root;
    std::vector<TReferenceFixup>* Fixups = nullptr;  // null: resolve at once
};

void ResolveReference(TObject& obj, const TPropInfo& p, const TFormValue& v, TComponent& root)
{
    const auto* id = std::get_if<TFormIdent>(&v.Data);
    if (!id)
        BadValue(p, v, "a component name expected");
    TComponent* c = nullptr;
    if (!SameText(id->Name, "nil")) {
        c = SameText(id->Name, root.Name()) ? &root : root.FindComponent(id->Name);
        if (!c)
            BadValue(p, v, "no component " + id->Name);
        if (!c->InheritsFrom(p.ObjectClass()))
            BadValue(p, v, id->Name + " is not a " + p.ObjectClass().Name);
    }
    p.SetObject(obj, c);
}

void SetProperty(TObject& obj, std::string_view name, const TFormValue& value, const TReadContext& context);

// The items of a collection value replace those of the collection property.
void SetCollection(TObject& obj, const TPropInfo& p, const TFormCollection& items, const TReadContext& context)
{
    auto* collection = dynamic_cast<TCollection*>(p.GetObject(obj));
    if (!collection)
        throw EReadError("Form data: " + p.Name + " of " + obj.ClassName() + " holds no items");
    collection->Clear();
    for (const TFormItem& item : items) {
        TCollectionItem* target = collection->Add();
        for (const TFormProperty& prop : item.Properties)
            SetProperty(*target, prop.Name, prop.Value, context);
    }
}

void SetPublished(TObject& obj, const TPropInfo& p, const TFormValue& v, const TReadContext& context)
{
    switch (p.Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        p.SetOrd(obj, OrdinalValue(p, v));
        break;
    case TTypeKind::AnsiString:
        p.SetAnsi(obj, TextValue(p, v));
        break;
    case TTypeKind::WideString:
        p.SetWide(obj, Utf8ToWide(TextValue(p, v)));
        break;
    case TTypeKind::Method: {
        const auto* id = std::get_if<TFormIdent>(&v.Data);
        if (!id)
            BadValue(p, v, "an event handler name expected");
        TMethod m = context.Root.FindMethod(id->Name);
        if (!m.Assigned())
            BadValue(p, v, "no event handler " + id->Name + " in " + context.Root.ClassName());
        p.SetMethod(obj, m);
        break;
    }
    case TTypeKind::Class:
        if (p.Reference) {
            if (context.Fixups)
                context.Fixups->push_back({&obj, &p, v});
            else
                ResolveReference(obj, p, v, context.Root);
            break;
        }
        if (const auto* items = std::get_if<TFormCollection>(&v.Data))
            return SetCollection(obj, p, *items, context);
        // A class property takes its value only through its own properties
        // (Font.Name = ...) or its defined properties (Items.Strings = (...)).
        BadValue(p, v, "a class property is set through its members");
    }
}

void SetProperty(TObject& obj, std::string_view name, const TFormValue& value, const TReadContext& context)
{
    const auto dot = name.find('.');
    if (dot != std::string_view::npos) {
        const std::string_view head = name.substr(0, dot);
        const TPropInfo* p = FindPropInfo(obj, head);
        TPersistent* sub = p && p->Kind == TTypeKind::Class && !p->Reference ? p->GetObject(obj) : nullptr;
        if (!sub)
            throw EReadError("Form data, line " + std::to_string(value.Line) + ": " + obj.ClassName() +
                             " has no object property " + std::string(head));
        return SetProperty(*sub, name.substr(dot + 1), value, context);
    }
    if (const TPropInfo* p = FindPropInfo(obj, name))
        return SetPublished(obj, *p, value, context);
    auto* persistent = dynamic_cast<TPersistent*>(&obj);
    if (!persistent || !persistent->ReadDefinedProperty(std::string(name), value))
        throw EReadError("Form data, line " + std::to_string(value.Line) + ": property " + std::string(name) +
                         " does not exist in " + obj.ClassName());
}

void ReadTree(const TFormObject& node, TComponent& target, const TReadContext& context,
              std::vector<TComponent*>& order)
{
    TComponent& root = context.Root;
    target.BeginLoading();
    order.push_back(&target);
    for (const TFormProperty& prop : node.Properties)
        SetProperty(target, prop.Name, prop.Value, context);
    for (const TFormObject& child : node.Children) {
        const TClassInfo* cls = FindClass(child.ClassName);
        if (!cls || !cls->Create)
            throw EReadError("Form data, line " + std::to_string(child.Line) + ": class " + child.ClassName +
                             " not found");
        TComponent* c = cls->Create(&root);
        c->SetName(child.Name);
        c->SetParentComponent(&target);
        ReadTree(child, *c, context, order);
    }
}

// The form's name, or with "_1", "_2"... when the root's owner already has a
// component of that name (a second form read from the same data).
std::string UniqueName(const TComponent& root, const std::string& name)
{
    const TComponent* owner = root.Owner();
    std::string candidate = name;
    for (int n = 1; owner && owner->FindComponent(candidate); ++n)
        candidate = name + "_" + std::to_string(n);
    return candidate;
}

} // namespace

TFormObject ParseForm(std::string_view text)
{
    return Parser(text).Root();
}

void SetFormProperty(TObject& obj, std::string_view name, const TFormValue& value, TComponent& methodOwner)
{
    SetProperty(obj, name, value, TReadContext{methodOwner});
}

void ReadComponent(std::string_view text, TComponent& root)
{
    const TFormObject tree = ParseForm(text);
    if (!SameText(tree.ClassName, root.ClassName()))
        throw EReadError("Form data describes " + tree.ClassName + ", not " + root.ClassName());
    if (root.Name().empty())
        root.SetName(UniqueName(root, tree.Name));
    std::vector<TComponent*> order;
    std::vector<TReferenceFixup> fixups;
    ReadTree(tree, root, TReadContext{root, &fixups}, order);
    for (const TReferenceFixup& f : fixups)
        ResolveReference(*f.Target, *f.Prop, f.Value, root);
    for (TComponent* c : order)
        c->EndLoading();
    for (TComponent* c : order)
        c->Loaded();
}

} // namespace ui
