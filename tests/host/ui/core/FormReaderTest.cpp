// The form reader and published properties on plain components (the window
// classes are tested under Wine).
#include "ui/core/Classes.h"
#include "ui/core/FormReader.h"
#include "ui/core/Utf8.h"

#include <gtest/gtest.h>

namespace {

using namespace ui;

// Every component of a test form appends what happens to it to one journal,
// so the order of property setting and Loaded() calls can be compared.
std::vector<std::string>* journal = nullptr;
void Note(const std::string& s)
{
    if (journal)
        journal->push_back(s);
}

enum class TShape { shCircle, shSquare, shTriangle };

// Named tints for an integer property, as colour properties have clXxx names.
const std::pair<const char*, std::int64_t> TintNames[] = {{"tiCrimson", 0x3C14DC}, {"tiSystem", -2147483633}};

const TIdentMap TintIdents = {
    [](std::string_view ident, std::int64_t& value) {
        for (auto [name, v] : TintNames)
            if (SameText(name, ident))
                return value = v, true;
        return false;
    },
    [](std::int64_t value, std::string& ident) {
        for (auto [name, v] : TintNames)
            if (v == value)
                return ident = name, true;
        return false;
    },
};

class TPen2 : public TPersistent {
    UI_CLASS(TPen2)
public:
    int Width() const { return width_; }
    void SetWidth(int w) { width_ = w; }
    std::wstring Label() const { return label_; }
    void SetLabel(const std::wstring& s) { label_ = s; }

private:
    int width_ = 1;
    std::wstring label_;
};

const TClassInfo& TPen2::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPen2>("TPen2", &TPersistent::StaticClass())
                                       .Int("Width", &TPen2::Width, &TPen2::SetWidth)
                                       .Wide("Label", &TPen2::Label, &TPen2::SetLabel)
                                       .Done();
    return info;
}

class TWidget;

// An item of a widget's collection, with a reference to a widget.
class TMark : public TCollectionItem {
    UI_CLASS(TMark)
public:
    using TCollectionItem::TCollectionItem;
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v, Changed(); }
    TWidget* Buddy() const { return buddy_; }
    void SetBuddy(TWidget* w) { buddy_ = w; }

private:
    int size_ = 0;
    TWidget* buddy_ = nullptr;
};

class TWidget : public TComponent {
    UI_CLASS(TWidget)
public:
    explicit TWidget(TComponent* owner) : TComponent(owner) {}
    ~TWidget() override { Note("free " + Name()); }

    int Size() const { return size_; }
    void SetSize(int v) { size_ = v, Note(Name() + ".Size"); }
    bool Shown() const { return shown_; }
    void SetShown(bool v) { shown_ = v, Note(Name() + ".Shown"); }
    TShape Shape() const { return shape_; }
    void SetShape(TShape v) { shape_ = v, Note(Name() + ".Shape"); }
    unsigned Styles() const { return styles_; }
    void SetStyles(unsigned v) { styles_ = v; }
    int Tint() const { return tint_; }
    void SetTint(int v) { tint_ = v; }
    std::string Key() const { return key_; }
    void SetKey(const std::string& v) { key_ = v; }
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& v) { caption_ = v, Note(Name() + ".Caption"); }
    TPen2* Pen() const { return pen_.get(); }
    void SetPen(TPen2* p) { pen_->SetWidth(p->Width()); }
    TOwnedCollection<TMark>* Marks() const { return marks_.get(); }
    void SetMarks(TOwnedCollection<TMark>*) {}
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* s) { lines_->Assign(*s); }
    // A reference to another widget, wherever it is owned.
    TWidget* Buddy() const { return buddy_; }
    void SetBuddy(TWidget* w) { SetReference(buddy_, w); }
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == buddy_)
            buddy_ = nullptr;
    }

    TNotifyEvent OnClick;
    TWidget* ParentWidget = nullptr;
    std::vector<std::uint8_t> Blob;
    bool LoadingWhenSet = false;

    void Loaded() override
    {
        TComponent::Loaded();
        Note("Loaded " + Name());
    }
    void SetParentComponent(TComponent* parent) override { ParentWidget = dynamic_cast<TWidget*>(parent); }
    bool ReadDefinedProperty(const std::string& name, const TFormValue& value) override
    {
        if (name != "Blob")
            return TComponent::ReadDefinedProperty(name, value);
        Blob = std::get<TFormBinary>(value.Data);
        LoadingWhenSet = Loading();
        Note(Name() + ".Blob");
        return true;
    }

private:
    int size_ = 0;
    bool shown_ = false;
    TShape shape_ = TShape::shCircle;
    unsigned styles_ = 0;
    int tint_ = 0;
    std::string key_;
    std::wstring caption_;
    std::unique_ptr<TPen2> pen_ = std::make_unique<TPen2>();
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TOwnedCollection<TMark>> marks_ = std::make_unique<TOwnedCollection<TMark>>(
        [this](TCollectionItem* item) { Note(Name() + (item ? ".mark " + std::to_string(item->Index()) : ".marks")); });
    TWidget* buddy_ = nullptr;
};

const TClassInfo& TMark::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMark>("TMark", &TCollectionItem::StaticClass())
                                       .Int("Size", &TMark::Size, &TMark::SetSize)
                                       .Reference("Buddy", &TMark::Buddy, &TMark::SetBuddy)
                                       .Done();
    return info;
}

const TClassInfo& TWidget::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWidget>("TWidget", &TComponent::StaticClass())
            .Int("Size", &TWidget::Size, &TWidget::SetSize)
            .Bool("Shown", &TWidget::Shown, &TWidget::SetShown)
            .Enum("Shape", {"shCircle", "shSquare", "shTriangle"}, &TWidget::Shape, &TWidget::SetShape)
            .Set("Styles", {"stBold", "stItalic", "stUnderline"}, &TWidget::Styles, &TWidget::SetStyles)
            .Int("Tint", &TWidget::Tint, &TWidget::SetTint, TintIdents)
            .Ansi("Key", &TWidget::Key, &TWidget::SetKey)
            .Wide("Caption", &TWidget::Caption, &TWidget::SetCaption)
            .Object("Pen", &TWidget::Pen, &TWidget::SetPen)
            .Object("Lines", &TWidget::Lines, &TWidget::SetLines)
            .Object("Marks", &TWidget::Marks, &TWidget::SetMarks)
            .Reference("Buddy", &TWidget::Buddy, &TWidget::SetBuddy)
            .Event("OnClick", &TWidget::OnClick)
            .Creatable()
            .Done();
    return info;
}

// The root of the test form, with a handler table.
class TTestForm : public TWidget {
    UI_CLASS(TTestForm)
public:
    explicit TTestForm(TComponent* owner) : TWidget(owner) {}
    int Clicks = 0;
    TObject* LastSender = nullptr;
    void ButtonClick(TObject* sender) { ++Clicks, LastSender = sender; }
    void WrongSignature(int) {}

    TMethod FindMethod(std::string_view name) override
    {
        if (name == "ButtonClick")
            return {TNotifyEvent::Function([this](TObject* s) { ButtonClick(s); }), "ButtonClick"};
        if (name == "WrongSignature")
            return {std::function<void(int)>([this](int v) { WrongSignature(v); }), "WrongSignature"};
        return {};
    }
};

const TClassInfo& TTestForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", &TWidget::StaticClass()).Done();
    return info;
}

class FormReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterComponentClass(TWidget::StaticClass());
        journal = &events;
    }
    void TearDown() override { journal = nullptr; }
    std::vector<std::string> events;
};

const char* const NestedForm = R"(object Form1: TTestForm
  Size = 7
  Caption = '登录 ''quoted'''
  object Outer: TWidget
    Shown = True
    Pen.Width = 3
    Pen.Label = 'pen'#33
    Size = -2
    object Inner: TWidget
      Shape = shTriangle
      Styles = [stBold, stUnderline]
      Key = 'k'
      OnClick = ButtonClick
      Blob = {
        00FF10
        7f}
      Lines.Strings = (
        'one'
        'two')
    end
  end
end
)";

TEST_F(FormReader, ReadsNestedObjectsInFileOrderThenCallsLoaded)
{
    TTestForm form(nullptr);
    ReadComponent(NestedForm, form);

    auto* outer = FindComponentOf<TWidget>(form, "Outer");
    auto* inner = FindComponentOf<TWidget>(form, "Inner");
    EXPECT_EQ(outer->Owner(), &form) << "nested objects are owned by the root";
    EXPECT_EQ(inner->Owner(), &form);
    EXPECT_EQ(outer->ParentWidget, &form);
    EXPECT_EQ(inner->ParentWidget, outer);

    const std::vector<std::string> expected = {
        "Form1.Size", "Form1.Caption", "Outer.Shown", "Outer.Size", "Inner.Shape", "Inner.Blob",
        "Loaded Form1", "Loaded Outer", "Loaded Inner",
    };
    EXPECT_EQ(events, expected);

    EXPECT_EQ(form.Caption(), Utf8ToWide("登录 'quoted'"));
    EXPECT_EQ(outer->Pen()->Width(), 3);
    EXPECT_EQ(outer->Pen()->Label(), L"pen!");
    EXPECT_EQ(outer->Size(), -2);
    EXPECT_EQ(inner->Shape(), TShape::shTriangle);
    EXPECT_EQ(inner->Styles(), 0b101u);
    EXPECT_EQ(inner->Key(), "k");
    EXPECT_EQ(inner->Blob, (std::vector<std::uint8_t>{0x00, 0xFF, 0x10, 0x7F}));
    EXPECT_TRUE(inner->LoadingWhenSet) << "binary data arrives while the component is loading";
    EXPECT_FALSE(inner->Loading());
    EXPECT_EQ(inner->Lines()->ToVector(), (std::vector<std::wstring>{L"one", L"two"}));

    ASSERT_TRUE(inner->OnClick);
    EXPECT_EQ(inner->OnClick.Name, "ButtonClick");
    inner->OnClick(inner);
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(form.LastSender, inner);
}

TEST_F(FormReader, RefusesBadFormsWithTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"object F: TTestForm\n  Size = 'x'\nend", "line 2"},
        {"object F: TTestForm\n  Nope = 1\nend", "Nope"},
        {"object F: TTestForm\n  object A: TNoSuchClass\n  end\nend", "TNoSuchClass"},
        {"object F: TTestForm\n  Shape = shOval\nend", "shOval"},
        {"object F: TTestForm\n  Styles = [stBold, stWavy]\nend", "stWavy"},
        {"object F: TTestForm\n  OnClick = Missing\nend", "Missing"},
        {"object F: TTestForm\n  OnClick = WrongSignature\nend", "WrongSignature"},
        {"object F: TTestForm\n  Caption = 'open\nend", "unterminated"},
        {"object F: TTestForm\n  Size = 1\n", "'end' missing"},
        {"object F: TTestForm\n  Blob = { 0F1 }\nend", "odd number"},
        {"object F: TWidget\nend", "describes TWidget"},
        {"object F: TTestForm\n  object A: TWidget\n  end\n  Size = 1\nend", "must come before"},
        {"object F: TTestForm\n  Tint = tiMauve\nend", "tiMauve"},
        {"object F: TTestForm\n  Size = tiCrimson\nend", "tiCrimson"},
        {"object F: TTestForm\n  Buddy = Nobody\nend", "no component Nobody"},
        {"object F: TTestForm\n  Buddy = 'A'\n  object A: TWidget\n  end\nend", "a component name expected"},
        {"object F: TTestForm\n  Pen = A\nend", "set through its members"},
        {"object F: TTestForm\n  Buddy.Size = 1\nend", "no object property Buddy"},
        {"object F: TTestForm\n  Marks = <\n  item\n    Size = 1\n  end\nend", "'item' or '>' expected"},
        {"object F: TTestForm\n  Marks = < item Size = 1 >\nend", "'end' missing for a collection item"},
        {"object F: TTestForm\n  Marks = < thing >\nend", "'item' or '>' expected"},
        {"object F: TTestForm\n  Pen = < item end >\nend", "holds no items"},
        {"object F: TTestForm\n  Marks = < item Shape = shSquare end >\nend", "Shape does not exist in TMark"},
    };
    for (auto [text, fragment] : cases) {
        TTestForm form(nullptr);
        try {
            ReadComponent(text, form);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(fragment), std::string::npos) << e.Message();
        }
    }
}

// Objects and lists are read by recursion: together they may nest
// MaxFormNesting deep, and deeper text is refused before the stack suffers.
TEST_F(FormReader, LimitsHowDeepObjectsAndListsNest)
{
    const auto nested = [](int objects, int lists) {
        std::string text;
        for (int i = 0; i < objects; ++i)
            text += "object O" + std::to_string(i) + ": TWidget\n";
        text += "Items = " + std::string(static_cast<std::size_t>(lists), '(') + "1" +
                std::string(static_cast<std::size_t>(lists), ')') + "\n";
        for (int i = 0; i < objects; ++i)
            text += "end\n";
        return text;
    };
    EXPECT_NO_THROW(ParseForm(nested(MaxFormNesting / 2, MaxFormNesting - MaxFormNesting / 2)));
    EXPECT_NO_THROW(ParseForm(nested(MaxFormNesting, 0)));
    for (const auto& [objects, lists] : {std::pair{MaxFormNesting / 2, MaxFormNesting / 2 + 1},
                                         std::pair{MaxFormNesting + 1, 0}, std::pair{1, 100000}}) {
        try {
            ParseForm(nested(objects, lists));
            ADD_FAILURE() << objects << " objects and " << lists << " lists accepted";
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("nested more than 64 deep"), std::string::npos) << e.Message();
        }
    }
}

TEST_F(FormReader, IntegerPropertiesTakeTheirNamedConstantsAndNumbers)
{
    TTestForm form(nullptr);
    ReadComponent("object F: TTestForm\n  object A: TWidget\n    Tint = TICRIMSON\n  end\n"
                  "  object B: TWidget\n    Tint = tiSystem\n  end\n"
                  "  object C: TWidget\n    Tint = -7\n  end\nend",
                  form);
    EXPECT_EQ(FindComponentOf<TWidget>(form, "A")->Tint(), 0x3C14DC);
    EXPECT_EQ(FindComponentOf<TWidget>(form, "B")->Tint(), static_cast<int>(0x8000000F));
    EXPECT_EQ(FindComponentOf<TWidget>(form, "C")->Tint(), -7);

    const TPropInfo* tint = FindPropInfo(form, "Tint");
    ASSERT_TRUE(tint && tint->Idents);
    std::string name;
    EXPECT_TRUE(tint->Idents->ToIdent(0x3C14DC, name));
    EXPECT_EQ(name, "tiCrimson");
    EXPECT_FALSE(tint->Idents->ToIdent(-7, name)) << "a value without a name is written as a number";
    EXPECT_EQ(FindPropInfo(form, "Size")->Idents, nullptr);
}

// References name components that may come later in the text, the root
// itself, or nil; they are set before any Loaded().
TEST_F(FormReader, ReferencesAreSetOnceEveryComponentExists)
{
    TTestForm form(nullptr);
    ReadComponent("object Form1: TTestForm\n  Buddy = Later\n  object Early: TWidget\n    Buddy = FORM1\n  end\n"
                  "  object Later: TWidget\n    Buddy = Early\n  end\n  object Lone: TWidget\n    Buddy = nil\n  end\nend",
                  form);
    auto* early = FindComponentOf<TWidget>(form, "Early");
    auto* later = FindComponentOf<TWidget>(form, "Later");
    EXPECT_EQ(form.Buddy(), later);
    EXPECT_EQ(early->Buddy(), &form);
    EXPECT_EQ(later->Buddy(), early);
    EXPECT_EQ(FindComponentOf<TWidget>(form, "Lone")->Buddy(), nullptr);
    EXPECT_EQ(GetObjectProp(form, "Buddy"), later);
    EXPECT_TRUE(FindPropInfo(form, "Buddy")->Reference);
    EXPECT_FALSE(FindPropInfo(form, "Pen")->Reference);
}

// A collection's items replace the ones it had; each item's properties are
// set in file order (references once the whole form exists), and the owner
// hears of every change.
TEST_F(FormReader, CollectionItemsReplaceTheOldOnesWithTheirProperties)
{
    TTestForm form(nullptr);
    form.SetName("F");
    form.Marks()->Add()->SetSize(99);
    events.clear();
    ReadComponent("object F: TTestForm\n  Marks = <\n    item\n      Size = 3\n      Buddy = Later\n    end\n"
                  "    item\n    end\n    item\n      Size = -4\n    end>\n  object Later: TWidget\n  end\nend",
                  form);
    ASSERT_EQ(form.Marks()->Count(), 3);
    EXPECT_EQ(form.Marks()->Items(0)->Size(), 3);
    EXPECT_EQ(form.Marks()->Items(0)->Buddy(), FindComponentOf<TWidget>(form, "Later"));
    EXPECT_EQ(form.Marks()->Items(1)->Size(), 0);
    EXPECT_EQ(form.Marks()->Items(1)->Buddy(), nullptr);
    EXPECT_EQ(form.Marks()->Items(2)->Size(), -4);
    EXPECT_EQ(form.Marks()->Items(2)->Index(), 2);
    const std::vector<std::string> expected = {"F.marks", "F.marks", "F.mark 0", "F.marks", "F.marks", "F.mark 2"};
    EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 6), expected);
    EXPECT_THROW(form.Marks()->Items(3), Exception);
    form.Marks()->Delete(0);
    EXPECT_EQ(form.Marks()->Items(0)->Index(), 0);
    EXPECT_EQ(form.Marks()->Count(), 2);
}

TEST_F(FormReader, FormsReadFromTheSameDataUnderOneOwnerGetNamesOfTheirOwn)
{
    TWidget owner(nullptr);
    for (const char* expected : {"Doc", "Doc_1", "Doc_2"}) {
        auto* form = new TTestForm(&owner);
        ReadComponent("object Doc: TTestForm\nend\n", *form);
        EXPECT_EQ(form->Name(), expected);
    }
    TTestForm named(&owner);
    named.SetName("Mine");
    ReadComponent("object Doc: TTestForm\nend\n", named);
    EXPECT_EQ(named.Name(), "Mine") << "a name given in code stays";
}

// A reference across owners is dropped when either end goes.
TEST(Components, FreeNotificationClearsReferencesFromEitherEnd)
{
    auto* a = new TWidget(nullptr);
    auto* b = new TWidget(nullptr);
    auto* c = new TWidget(nullptr);
    a->SetBuddy(b);
    c->SetBuddy(b);
    b->SetBuddy(a);
    delete b;
    EXPECT_EQ(a->Buddy(), nullptr);
    EXPECT_EQ(c->Buddy(), nullptr);
    a->SetBuddy(c);
    a->SetBuddy(nullptr);  // the link is gone: freeing c later tells a nothing
    a->SetBuddy(c);
    delete a;  // c keeps no link to a
    delete c;
}

TEST(PublishedProperties, EveryKindByNameWalkingTheClassChain)
{
    TTestForm form(nullptr);
    SetOrdProp(form, "size", 12);  // names are case-insensitive; Size is TWidget's
    EXPECT_EQ(GetOrdProp(form, "Size"), 12);
    SetOrdProp(form, "Tag", 99);   // TComponent's
    EXPECT_EQ(form.Tag(), 99);
    SetEnumProp(form, "Shape", "shSquare");
    EXPECT_EQ(GetEnumProp(form, "Shape"), "shSquare");
    SetEnumProp(form, "Shown", "True");
    EXPECT_TRUE(form.Shown());
    SetOrdProp(form, "Styles", 6);
    EXPECT_EQ(form.Styles(), 6u);
    SetAnsiProp(form, "Key", "abc");
    EXPECT_EQ(GetAnsiProp(form, "Key"), "abc");
    SetWideProp(form, "Caption", L"Tessaly");
    EXPECT_EQ(GetWideProp(form, "Caption"), L"Tessaly");
    TPen2 pen;
    pen.SetWidth(9);
    SetObjectProp(form, "Pen", &pen);
    EXPECT_EQ(static_cast<TPen2*>(GetObjectProp(form, "Pen"))->Width(), 9);
    SetMethodProp(form, "OnClick", form.FindMethod("ButtonClick"));
    EXPECT_EQ(GetMethodProp(form, "OnClick").Name, "ButtonClick");
    form.OnClick(&form);
    EXPECT_EQ(form.Clicks, 1);
    SetMethodProp(form, "OnClick", TMethod{});
    EXPECT_FALSE(form.OnClick);
}

TEST(PublishedProperties, AbsentOrMismatchedPropertiesRaise)
{
    TTestForm form(nullptr);
    EXPECT_FALSE(IsPublishedProp(form, "Colour"));
    EXPECT_TRUE(IsPublishedProp(form, "Name"));
    EXPECT_THROW(GetOrdProp(form, "Colour"), EPropertyError);
    EXPECT_THROW(GetOrdProp(form, "Caption"), EPropertyError);
    EXPECT_THROW(SetWideProp(form, "Size", L"1"), EPropertyError);
    EXPECT_THROW(SetEnumProp(form, "Shape", "shOval"), EPropertyError);
    TStringList notAPen;
    EXPECT_THROW(SetObjectProp(form, "Pen", &notAPen), EPropertyError);
    EXPECT_THROW(SetMethodProp(form, "OnClick", form.FindMethod("WrongSignature")), EPropertyError);
}

TEST(Components, OwnedComponentsAreFreedWithTheirOwnerLastFirst)
{
    std::vector<std::string> events;
    journal = &events;
    {
        TWidget owner(nullptr);
        owner.SetName("owner");
        auto* a = new TWidget(&owner);
        a->SetName("a");
        auto* b = new TWidget(&owner);
        b->SetName("b");
        auto* gone = new TWidget(&owner);
        gone->SetName("gone");
        delete gone;  // leaves its owner's list
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.FindComponent("B"), b);
        EXPECT_THROW(a->SetName("b"), EPropertyError) << "names are unique within an owner";
    }
    journal = nullptr;
    EXPECT_EQ(events, (std::vector<std::string>{"free gone", "free owner", "free b", "free a"}));
}

TEST(Streams, MemoryStreamReadsWritesAndRefusesShortReads)
{
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    s.SetPosition(2);
    char buf[4] = {};
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "cde");
    try {
        s.ReadBuffer(buf, 2);
        ADD_FAILURE() << "read past the end accepted";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), SReadBeyondEnd);
    }
    TMemoryStream copy;
    copy.CopyFrom(s, 0);
    EXPECT_EQ(copy.Bytes(), s.Bytes());
}

TEST(Strings, NameValueLinesAndText)
{
    TStringList list{L"TPngBitBtn=pngbitbtn", L"TCategoryButtons=scrollbar"};
    EXPECT_EQ(list.Value(L"tcategorybuttons"), L"scrollbar");
    EXPECT_EQ(list.Value(L"TCategory"), L"");
    EXPECT_EQ(list.Names(0), L"TPngBitBtn");
    EXPECT_EQ(list.IndexOf(L"tpngbitbtn=PNGBITBTN"), 0);
    list.SetText(L"a\r\nb\nc");
    EXPECT_EQ(list.ToVector(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(list.Text(), L"a\r\nb\r\nc\r\n");
    EXPECT_THROW(list.Get(3), Exception);
}

TEST(Utf8, RoundTripsAndReplacesIllFormedInput)
{
    const std::string text = "宋体 Tessaly \xF0\x9F\x93\x81";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("\xE5\xAE"), L"\uFFFD") << "a cut sequence";
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD") << "an overlong form";
}

} // namespace
