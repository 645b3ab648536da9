// Fuzz target: form text. It is parsed, then read into a small tree of
// components whose classes publish a property of every kind the reader sets
// (integers with named constants, enumerations, sets, both kinds of text,
// class properties, events, string lists and binary data).
#include "FuzzSupport.h"
#include "ui/core/Classes.h"
#include "ui/core/FormReader.h"

#include <utility>

namespace {

using namespace ui;

// Integer constants a form may name, as colours have clXxx names.
constexpr std::pair<const char*, std::int64_t> LevelNames[] = {{"lvLow", 1}, {"lvHigh", 0x7FFFFFFF}};

const TIdentMap LevelIdents = {
    [](std::string_view ident, std::int64_t& value) {
        for (const auto& [name, v] : LevelNames)
            if (SameText(name, ident))
                return value = v, true;
        return false;
    },
    [](std::int64_t, std::string&) { return false; },
};

enum class TDock { dkNone, dkTop, dkClient };

class TFuzzFont : public TPersistent {
    UI_CLASS(TFuzzFont)
public:
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    std::string Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }

private:
    int height_ = 0;
    std::string name_;
};

const TClassInfo& TFuzzFont::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFuzzFont>("TFuzzFont", &TPersistent::StaticClass())
                                       .Int("Height", &TFuzzFont::Height, &TFuzzFont::SetHeight)
                                       .Ansi("Name", &TFuzzFont::Name, &TFuzzFont::SetName)
                                       .Done();
    return info;
}

class TFuzzControl : public TComponent {
    UI_CLASS(TFuzzControl)
public:
    explicit TFuzzControl(TComponent* owner) : TComponent(owner) {}

    int Level() const { return level_; }
    void SetLevel(int value) { level_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    TDock Dock() const { return dock_; }
    void SetDock(TDock value) { dock_ = value; }
    unsigned Anchors() const { return anchors_; }
    void SetAnchors(unsigned value) { anchors_ = value; }
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& value) { caption_ = value; }
    TFuzzFont* Font() const { return font_.get(); }
    void SetFont(TFuzzFont*) {}
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* value) { items_->Assign(*value); }

    TNotifyEvent OnClick;

    bool ReadDefinedProperty(const std::string& name, const TFormValue& value) override
    {
        const auto* bytes = std::get_if<TFormBinary>(&value.Data);
        if (name != "Data" || !bytes)
            return TComponent::ReadDefinedProperty(name, value);
        data_ = *bytes;
        return true;
    }

private:
    int level_ = 0;
    bool visible_ = true;
    TDock dock_ = TDock::dkNone;
    unsigned anchors_ = 0;
    std::wstring caption_;
    std::unique_ptr<TFuzzFont> font_ = std::make_unique<TFuzzFont>();
    std::unique_ptr<TStringList> items_ = std::make_unique<TStringList>();
    TFormBinary data_;
};

const TClassInfo& TFuzzControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFuzzControl>("TFuzzControl", &TComponent::StaticClass())
            .Int("Level", &TFuzzControl::Level, &TFuzzControl::SetLevel, LevelIdents)
            .Bool("Visible", &TFuzzControl::Visible, &TFuzzControl::SetVisible)
            .Enum("Dock", {"dkNone", "dkTop", "dkClient"}, &TFuzzControl::Dock, &TFuzzControl::SetDock)
            .Set("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TFuzzControl::Anchors,
                 &TFuzzControl::SetAnchors)
            .Wide("Caption", &TFuzzControl::Caption, &TFuzzControl::SetCaption)
            .Object("Font", &TFuzzControl::Font, &TFuzzControl::SetFont)
            .Object("Items", &TFuzzControl::Items, &TFuzzControl::SetItems)
            .Event("OnClick", &TFuzzControl::OnClick)
            .Creatable()
            .Done();
    return info;
}

// The root class of a fuzzed form, with one event handler.
class TFuzzForm : public TFuzzControl {
    UI_CLASS(TFuzzForm)
public:
    explicit TFuzzForm(TComponent* owner) : TFuzzControl(owner) {}

    TMethod FindMethod(std::string_view name) override
    {
        if (name != "Clicked")
            return {};
        return {TNotifyEvent::Function([](TObject*) {}), "Clicked"};
    }
};

const TClassInfo& TFuzzForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFuzzForm>("TFuzzForm", &TFuzzControl::StaticClass()).Done();
    return info;
}

} // namespace

const std::size_t fuzz::TargetMaxLen = 8192;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    // Nested objects are created by registered class name.
    RegisterComponentClass(TFuzzControl::StaticClass());
    const std::string_view text = fuzz::AsText(input);
    try {
        ParseForm(text);
        TFuzzForm root(nullptr);
        ReadComponent(text, root);
    } catch (const Exception&) {
        // A clear error is the promised outcome for bad form text.
    }
}
