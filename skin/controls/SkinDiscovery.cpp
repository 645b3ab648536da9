#include "skin/controls/SkinDiscovery.h"

#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinCombo.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinDatePicker.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinGlyphStrips.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinPlayer.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/Controls.h"
#include "ui/controls/Tabs.h"
#include "ui/core/TypInfo.h"
#include "ui/forms/Forms.h"

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string>

namespace skin {

using namespace ui;

namespace {

// What a rule does with the control it matched.
enum class TDecision {
    None,         // left alone
    Button,
    BitButton,
    SpeedButton,
    MenuButton,
    CheckBox,
    RadioButton,
    MediaPlayer,   // an overlay with the player's buttons on the skin's faces
    GlyphCheck,    // a glyph strip for a check box: nine frames
    GlyphRadio,    // six frames for a radio button
    GlyphCheckSix, // six frames for a check box's Properties.Glyph
    Box,          // the skin's face colour
    PanelBox,     // the children, then the skin's face colour
    Children,     // the children only
    GroupBox,     // the children, then the group box's face
    GroupFace,    // the group box's face on the skin's colour
    RadioGroup,   // every child a radio button, then the group's face
    CheckGroup,   // every child a check box, then the group's face
    Progress,
    TrackBar,
    ScrollBars,    // the window's own scroll bars
    ListView,      // the window's scroll bars and its header
    ScrollControl, // a scroll bar control
    Edit,
    UpDown,
    Combo,
    ComboEx,      // an extended combo box: its combo box child
    DatePicker,   // a calendar that drops down: an arrow over its button; arrows: an edit's border
    StatusBar,
    Header,
    ToolBar,      // flat, on the skin's colour, its buttons on the skin's faces
    CoolBar,      // its bands on the skin's colour
    Tab,          // a tab control: tab faces, or button faces in button style
    TabButtons,
    TabSet,
    TabSheet,     // a page: the skin's face colour
    AdvPage,      // a page control that paints its tabs from pictures it publishes
    Frame,        // the frame's components
    Form,         // an embedded form: its colour, then its components
    DialogBox,    // a dialog inside a bare window: its children, then its background
    PanelColour,  // a bare window of a framework panel: its children, then its colour
};

constexpr int NoSwitch = -1;

// A rule of the mapping: a framework class (its descendants match too), a
// Skin3rd kind or a window class, the SkinControls switch it needs, the
// decision, and for some rules a further condition on the control. Where a
// class has two names (the framework's and the common ancestor of other
// libraries), either matches.
struct TSkinRule {
    const char* Names[2];
    int Switch;
    TDecision Decision;
    bool (*Applies)(const TControl&) = nullptr;
};

// A control whose window has scroll bars of its own.
bool HasScrollStyle(const TControl& control)
{
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    return windowed && windowed->HandleAllocated() &&
           (GetWindowLongPtrW(windowed->WindowHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

constexpr TSkinRule PanelRule{{"TCustomPanel", "TPanel"}, xcPanel, TDecision::PanelBox};

// Framework classes, first match wins. A picture button with xcBitBtn off
// stays unskinned, whatever xcButton says.
constexpr TSkinRule TypeRules[] = {
    {{"TCustomTabControl", nullptr}, xcTab, TDecision::Tab},
    {{"TTabSet", nullptr}, xcTab, TDecision::TabSet},
    {{"TTabSheet", nullptr}, xcTab, TDecision::TabSheet},
    {{"TCoolBar", nullptr}, xcToolbar, TDecision::CoolBar},
    {{"THeaderControl", nullptr}, xcPanel, TDecision::Header},
    {{"TRzCheckBox", "TRzDBCheckBox"}, xcCheckBox, TDecision::GlyphCheck},
    {{"TRzRadioButton", "TRzDBRadioButton"}, xcRadioButton, TDecision::GlyphRadio},
    {{"TcxCheckBox", "TcxDBCheckBox"}, xcCheckBox, TDecision::GlyphCheckSix},
    {{"TCustomCheckBox", "TCheckBox"}, xcCheckBox, TDecision::CheckBox},
    {{"TCustomRadioGroup", "TRadioGroup"}, xcRadioButton, TDecision::RadioGroup},
    {{"TCustomGroupBox", "TGroupBox"}, xcPanel, TDecision::GroupBox},
    {{"TRadioButton", nullptr}, xcRadioButton, TDecision::RadioButton},
    {{"TTrackBar", nullptr}, xcTrackBar, TDecision::TrackBar},
    {{"TUpDown", "TSpinButton"}, xcSpin, TDecision::UpDown},
    {{"TMediaPlayer", nullptr}, xcButton, TDecision::MediaPlayer},
    {{"TToolBar", nullptr}, xcToolbar, TDecision::ToolBar},
    {{"TCustomStatusBar", "TStatusBar"}, xcStatusBar, TDecision::StatusBar},
    {{"TProgressBar", nullptr}, xcProgress, TDecision::Progress},
    {{"TScrollBar", nullptr}, xcScrollbar, TDecision::ScrollControl},
    {{"TCustomComboBox", "TComboBox"}, xcCombo, TDecision::Combo},
    {{"TDateTimePicker", nullptr}, xcEdit, TDecision::DatePicker},
    {{"TBitBtn", nullptr}, xcBitBtn, TDecision::BitButton},
    {{"TBitBtn", nullptr}, NoSwitch, TDecision::None},
    {{"TSpeedButton", nullptr}, xcSpeedButton, TDecision::SpeedButton},
    PanelRule,
    {{"TCustomListView", "TListView"}, xcScrollbar, TDecision::ListView},
    {{"TCustomMemo", "TMemo"}, xcScrollbar, TDecision::ScrollBars},
    {{"TCustomListBox", "TListBox"}, xcScrollbar, TDecision::ScrollBars},
    {{"TCustomGrid", "TCustomTreeView"}, xcScrollbar, TDecision::ScrollBars},
    {{"TScrollBox", nullptr}, xcScrollbar, TDecision::ScrollBars},
    {{"TWinControl", nullptr}, xcScrollbar, TDecision::ScrollBars, HasScrollStyle},
    {{"TButton", nullptr}, xcButton, TDecision::Button},
    {{"TCustomEdit", "TEdit"}, xcEdit, TDecision::Edit},
    {{"TCustomFrame", "TFrame"}, NoSwitch, TDecision::Frame},
    {{"TCustomForm", "TForm"}, NoSwitch, TDecision::Form},
};

// The kinds of the Skin3rd list ("class=kind"). A listed class is decided
// by its row alone: a kind whose switch is off, or that is not here, leaves
// it unskinned.
constexpr TSkinRule ThirdPartyKinds[] = {
    {{"nil", nullptr}, NoSwitch, TDecision::None},
    {{"button", nullptr}, xcButton, TDecision::Button},
    {{"bitbtn", "pngbitbtn"}, xcButton, TDecision::BitButton},
    {{"speedbutton", nullptr}, xcSpeedButton, TDecision::SpeedButton},
    {{"menubtn", nullptr}, xcButton, TDecision::MenuButton},
    {{"checkbox", nullptr}, xcCheckBox, TDecision::CheckBox},
    {{"progress", nullptr}, xcProgress, TDecision::Progress},
    {{"trackbar", nullptr}, xcButton, TDecision::TrackBar},
    {{"radiobutton", nullptr}, xcRadioButton, TDecision::RadioButton},
    {{"mediaplayer", nullptr}, xcButton, TDecision::MediaPlayer},
    {{"tab", nullptr}, xcTab, TDecision::Tab},
    {{"advpagecontrol", nullptr}, xcTab, TDecision::AdvPage},
    {{"panel", nullptr}, xcPanel, TDecision::Box},
    {{"container", nullptr}, NoSwitch, TDecision::Children},
    {{"scrollbar", nullptr}, xcScrollbar, TDecision::ScrollBars},
    {{"edit", nullptr}, xcEdit, TDecision::Edit},
    {{"groupbox", nullptr}, xcGroupBox, TDecision::GroupFace},
    {{"radiogroup", nullptr}, xcGroupBox, TDecision::RadioGroup},
    {{"checkgroup", nullptr}, xcPanel, TDecision::CheckGroup},
    {{"combobox", nullptr}, xcCombo, TDecision::Combo},
    {{"datetimepicker", nullptr}, xcCombo, TDecision::DatePicker},
};

// Window classes of bare windows (lower case), after the system's buttons.
constexpr TSkinRule WindowClassRules[] = {
    {{"#32770", nullptr}, NoSwitch, TDecision::DialogBox},
    {{"tpanel", "tsilentpaintpanel"}, NoSwitch, TDecision::PanelColour},
    {{"tcheckbox", nullptr}, xcCheckBox, TDecision::CheckBox},
    {{"tbutton", nullptr}, xcButton, TDecision::Button},
    {{"tprogressbar", nullptr}, NoSwitch, TDecision::Progress},
    {{"systabcontrol32", nullptr}, xcTab, TDecision::Tab},
    {{"combobox", "tcombobox"}, xcCombo, TDecision::Combo},
    {{"comboboxex32", nullptr}, xcCombo, TDecision::ComboEx},
};

// Classes other libraries use for windows that must keep their own look.
constexpr const char* NeverSkinned[] = {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool NamedBy(const TSkinRule& rule, std::string_view name)
{
    return std::any_of(std::begin(rule.Names), std::end(rule.Names),
                       [name](const char* n) { return n && SameText(n, name); });
}

// Whether the control's class, or one of its ancestors, is named by the rule.
bool ClassMatches(const TControl& control, const TSkinRule& rule)
{
    for (const TClassInfo* c = &control.ClassInfo(); c; c = c->Parent)
        if (NamedBy(rule, c->Name))
            return true;
    return false;
}

// Class names and kinds are plain ASCII; anything else cannot match a rule.
std::string LowerNarrow(std::wstring_view text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += static_cast<char>(c < 128 ? std::towlower(c) : L'?');
    return narrow;
}

std::string WindowClassOf(HWND window)
{
    wchar_t name[100]{};
    GetClassNameW(window, name, 100);
    return LowerNarrow(name);
}

// The decision for a bare button window, by its style alone.
TDecision ButtonDecision(DWORD style)
{
    if (style & BS_BITMAP)
        return TDecision::None;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return TDecision::Button;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return TDecision::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return TDecision::RadioButton;
    default: return TDecision::None;  // group boxes, owner-drawn and other kinds
    }
}

int SwitchOfDecision(TDecision decision)
{
    switch (decision) {
    case TDecision::Button: return xcButton;
    case TDecision::CheckBox: return xcCheckBox;
    case TDecision::RadioButton: return xcRadioButton;
    default: return NoSwitch;
    }
}

// One discovery pass over the controls of one skinned window.
class TDiscovery {
public:
    explicit TDiscovery(TWinSkinForm& controller) : controller_(controller), data_(*controller.SkinData) {}

    void SkinForm(TForm& form)
    {
        controller_.FreeClosedSkinners();
        SkinComponents(form);
        for (TWinControl* control : form.TabOrderList())
            if (!IsHandleSkinned(*control))
                SkinControl(*control, &form);
    }

    void SkinChildWindows(HWND window)
    {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
                SkinWindowByClass(child);
    }

    void SkinWindowByClass(HWND window)
    {
        if (!window || controller_.FindSkinnerOfWindow(window))
            return;
        const std::string cls = WindowClassOf(window);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        TDecision decision = TDecision::None;
        if (cls == "button") {
            decision = ButtonDecision(style);
        } else if (const TSkinRule* rule = Find(WindowClassRules, cls)) {
            decision = SwitchOn(rule->Switch) ? rule->Decision : TDecision::None;
            if (decision == TDecision::DialogBox && (style & WS_TABSTOP))
                decision = TDecision::None;
            if (decision == TDecision::Tab)
                decision = style & TCS_OWNERDRAWFIXED ? TDecision::None : TabDecision(style);
            if (cls == "combobox" && (style & 3) == CBS_SIMPLE)  // its list is no drop-down
                decision = TDecision::None;
        }
        if (!SwitchOn(SwitchOfDecision(decision)))
            return;
        switch (decision) {
        case TDecision::DialogBox:
            SkinChildWindows(window);
            break;
        case TDecision::PanelColour:
            SkinChildWindows(window);
            if (TControl* control = FindControlOfWindow(window))
                control->SetColor(data_.Colours.ButtonFace);
            return;
        case TDecision::ComboEx:
            window = GetWindow(window, GW_CHILD);
            if (!window || controller_.FindSkinnerOfWindow(window))
                return;
            decision = TDecision::Combo;
            break;
        default: break;
        }
        if (std::unique_ptr<TSkinControl> skinner = MakeSkinner(decision, &controller_)) {
            skinner->InitWindow(window, data_, controller_);
            skinner.release();  // owned by the controller
        }
    }

private:
    template <std::size_t N>
    static const TSkinRule* Find(const TSkinRule (&rules)[N], std::string_view name)
    {
        const auto found = std::find_if(std::begin(rules), std::end(rules),
                                        [name](const TSkinRule& r) { return NamedBy(r, name); });
        return found == std::end(rules) ? nullptr : found;
    }

    bool SwitchOn(int member) const
    {
        return member == NoSwitch || (data_.SkinControls() & SetOf(member)) != 0;
    }

    static std::unique_ptr<TSkinControl> MakeSkinner(TDecision decision, TComponent* owner)
    {
        switch (decision) {
        case TDecision::Button: return std::make_unique<TSkinButton>(owner);
        case TDecision::BitButton: return std::make_unique<TSkinBitButton>(owner);
        case TDecision::SpeedButton: return std::make_unique<TSkinSpeedButton>(owner);
        case TDecision::MenuButton: return std::make_unique<TSkinMenuButton>(owner);
        case TDecision::CheckBox: return std::make_unique<TSkinCheckBox>(owner);
        case TDecision::RadioButton: return std::make_unique<TSkinRadioButton>(owner);
        case TDecision::MediaPlayer: return std::make_unique<TSkinMP>(owner);
        case TDecision::GlyphCheck: return GlyphStrips(owner, TGlyphStripKind::CheckNine);
        case TDecision::GlyphRadio: return GlyphStrips(owner, TGlyphStripKind::RadioSix);
        case TDecision::GlyphCheckSix: return GlyphStrips(owner, TGlyphStripKind::CheckSix);
        case TDecision::Progress: return std::make_unique<TSkinProgress>(owner);
        case TDecision::TrackBar: return std::make_unique<TSkinTrackBar>(owner);
        case TDecision::ScrollBars: return std::make_unique<TSkinScrollbar>(owner);
        case TDecision::ListView: return std::make_unique<TSkinListView>(owner);
        case TDecision::ScrollControl: return std::make_unique<TSkinScControl>(owner);
        case TDecision::Edit: return std::make_unique<TSkinEdit>(owner);
        case TDecision::UpDown: return std::make_unique<TSkinUpDown>(owner);
        case TDecision::Combo: return std::make_unique<TSkinComBox>(owner);
        case TDecision::DatePicker: return std::make_unique<TSkinDateTime>(owner);
        case TDecision::StatusBar: return std::make_unique<TSkinStatusBar>(owner);
        case TDecision::Header: return std::make_unique<TSkinHeader>(owner);
        case TDecision::Tab: return std::make_unique<TSkinTab>(owner);
        case TDecision::TabButtons: return std::make_unique<TSkinTabBtn>(owner);
        case TDecision::TabSet: return std::make_unique<TSkinTab31>(owner);
        case TDecision::AdvPage: {
            auto skinner = std::make_unique<TSkinAdvPage>(owner);
            skinner->Kind = TSkinAdvPage::KindTabPictures;
            return skinner;
        }
        case TDecision::TabSheet:
        case TDecision::ToolBar: return std::make_unique<TSkinToolBar>(owner);
        case TDecision::CoolBar: return std::make_unique<TSkinCoolBar>(owner);
        case TDecision::Box:
        case TDecision::PanelBox:
        case TDecision::Form: return std::make_unique<TSkinBox>(owner);
        case TDecision::DialogBox: return std::make_unique<TSkinBoxH>(owner);
        case TDecision::GroupBox:
        case TDecision::GroupFace:
        case TDecision::RadioGroup:
        case TDecision::CheckGroup: return std::make_unique<TSkinGroupBox>(owner);
        default: return nullptr;
        }
    }

    // A glyph strip adapter of `kind`.
    static std::unique_ptr<TSkinControl> GlyphStrips(TComponent* owner, TGlyphStripKind kind)
    {
        auto skinner = std::make_unique<TSkinObjImage>(owner);
        skinner->Kind = kind;
        return skinner;
    }

    // Tab controls are skinned only while the skin has tab faces; one in
    // button or flat-button style wears the button faces.
    TDecision TabDecision(DWORD style) const
    {
        if (!SkinHasTabFaces(data_))
            return TDecision::None;
        return style & TCS_BUTTONS ? TDecision::TabButtons : TDecision::Tab;
    }

    // Attaches a new skinner to the control; the control owns it.
    void Attach(TControl& control, TDecision decision, bool takeColour, int variant = 0)
    {
        if (std::unique_ptr<TSkinControl> skinner = MakeSkinner(decision, &control)) {
            skinner->Variant = variant;
            skinner->InitControl(controller_, data_, takeColour);
            skinner.release();
        }
    }

    void SkinComponents(TComponent& owner)
    {
        for (int i = 0; i < owner.ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(owner.Components(i)))
                SkinControl(*control, &owner);
    }

    void SkinChildControls(TWinControl& parent)
    {
        for (int i = 0; i < parent.ControlCount(); ++i)
            SkinControl(*parent.Controls(i), &parent);
    }

    void SkinEveryChild(TControl& control, TDecision decision, bool takeColour = false)
    {
        if (auto* parent = dynamic_cast<TWinControl*>(&control))
            for (int i = 0; i < parent->ControlCount(); ++i)
                if (!IsControlSkinned(parent->Controls(i)))
                    Attach(*parent->Controls(i), decision, takeColour);
    }

    bool AnswersSkinQuery(TControl& control) const
    {
        auto* windowed = dynamic_cast<TWinControl*>(&control);
        return windowed && windowed->HandleAllocated() &&
               SendMessageW(windowed->WindowHandle(), WM_SKINQUERY, 0, 0) == 1;
    }

    bool IsControlSkinned(TControl* control) const
    {
        if (!control)
            return false;
        return AnswersSkinQuery(*control) ||
               std::any_of(controller_.Skinners.begin(), controller_.Skinners.end(),
                           [control](const TFormSkinner* s) { return s->Control == control; });
    }

    bool IsHandleSkinned(TWinControl& control) const
    {
        return !control.HandleAllocated() || control.Tag() == data_.DisableTag() || AnswersSkinQuery(control) ||
               controller_.FindSkinnerOfWindow(control.WindowHandle());
    }

    // Whether a check or radio group (its upper-case class name) is of the
    // library whose buttons paint from glyph strips.
    static bool StripGroup(const std::string& cls) { return cls.find("TRZ") != std::string::npos; }

    // A radio or check group left alone keeps its buttons unskinned too.
    void TagGroupChildren(TControl& control)
    {
        auto* group = dynamic_cast<TWinControl*>(&control);
        const std::string cls = Lower(control.ClassName());
        if (!group || (cls.find("radiogroup") == std::string::npos && cls.find("checkgroup") == std::string::npos))
            return;
        for (int i = 0; i < group->ControlCount(); ++i)
            group->Controls(i)->SetTag(data_.DisableTag());
    }

    void SkinControl(TControl& control, TComponent* parent)
    {
        if (control.Tag() == data_.DisableTag()) {
            TagGroupChildren(control);
            return;
        }
        if (!control.Parent() || IsControlSkinned(&control))
            return;
        const std::string cls = Upper(control.ClassName());
        if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
            try {
                windowed->HandleNeeded();
            } catch (const std::exception&) {
                return;  // a control without a window stays as it is
            }
        }
        if (SkinnedByEvent(control, parent, cls) || SkinnedByThirdPartyList(control, cls))
            return;
        if (std::any_of(std::begin(NeverSkinned), std::end(NeverSkinned),
                        [&cls](const char* name) { return cls == name; }))
            return;
        const auto rule = std::find_if(std::begin(TypeRules), std::end(TypeRules), [&](const TSkinRule& r) {
            return ClassMatches(control, r) && SwitchOn(r.Switch) && (!r.Applies || r.Applies(control));
        });
        if (rule != std::end(TypeRules))
            Act(control, rule->Decision, cls);
    }

    // OnSkinControl may hand back a skinner of its own, which then treats
    // the control instead of every rule.
    bool SkinnedByEvent(TControl& control, TComponent* parent, const std::string& cls)
    {
        if (!data_.OnSkinControl)
            return false;
        TComponent* handedBack = nullptr;
        data_.OnSkinControl(&controller_, &data_, dynamic_cast<TControl*>(parent), &control, cls, handedBack);
        auto* skinner = dynamic_cast<TSkinControl*>(handedBack);
        if (!skinner)
            return false;
        if (!controller_.AddSkinner(skinner)) {
            skinner->InitControl(controller_, data_, skinner->TakeColour);
            if (ClassMatches(control, PanelRule))  // a panel's children are skinned as well
                SkinChildControls(static_cast<TWinControl&>(control));
        }
        return true;
    }

    bool SkinnedByThirdPartyList(TControl& control, const std::string& cls)
    {
        const std::string key = Lower(cls) + "=";
        TStrings* rows = data_.Skin3rd();
        for (int i = 0; rows && i < rows->Count(); ++i) {
            const std::string row = LowerNarrow(rows->Get(i));
            if (row.rfind(key, 0) != 0)
                continue;
            const std::string kind = row.substr(key.size(), 50);
            const TSkinRule* rule = Find(ThirdPartyKinds, kind);
            if (rule && SwitchOn(rule->Switch)) {
                const bool seeThrough = rule->Decision == TDecision::Box || rule->Decision == TDecision::TrackBar;
                if (seeThrough && IsPublishedProp(control, "Transparent"))
                    SetEnumProp(control, "Transparent", "True");
                Act(control, rule->Decision, cls);
            }
            return true;
        }
        return false;
    }

    void Act(TControl& control, TDecision decision, const std::string& cls)
    {
        switch (decision) {
        case TDecision::None: return;
        case TDecision::Children: SkinChildControls(static_cast<TWinControl&>(control)); return;
        case TDecision::Frame: SkinComponents(control); return;
        case TDecision::GroupBox:
            SkinChildControls(static_cast<TWinControl&>(control));
            Attach(control, decision, false);
            return;
        case TDecision::RadioGroup:
            // The buttons of a group of the library whose buttons paint from
            // glyph strips get strips.
            if (SwitchOn(xcRadioButton))
                SkinEveryChild(control, StripGroup(cls) ? TDecision::GlyphRadio : TDecision::RadioButton,
                               StripGroup(cls));
            Attach(control, decision, true);
            return;
        case TDecision::CheckGroup:
            if (SwitchOn(xcRadioButton))
                SkinEveryChild(control, StripGroup(cls) ? TDecision::GlyphCheck : TDecision::CheckBox,
                               StripGroup(cls));
            if (SwitchOn(xcGroupBox))
                Attach(control, decision, true);
            return;
        case TDecision::PanelBox:
            SkinChildControls(static_cast<TWinControl&>(control));
            Attach(control, decision, true);
            return;
        case TDecision::Box:
        case TDecision::GroupFace:
        case TDecision::AdvPage:
        case TDecision::GlyphCheck:
        case TDecision::GlyphRadio:
        case TDecision::GlyphCheckSix:
            Attach(control, decision, true);
            return;
        case TDecision::Form:
            Attach(control, decision, true);
            SkinComponents(control);
            return;
        case TDecision::Tab: {
            // A tab control that is not a page control paints its windowless
            // children over the pane (variant 2).
            auto* windowed = dynamic_cast<TWinControl*>(&control);
            if (!windowed)
                return;
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(windowed->WindowHandle(), GWL_STYLE));
            Attach(control, TabDecision(style), false, dynamic_cast<TPageControl*>(&control) ? 0 : 2);
            return;
        }
        case TDecision::DatePicker: {
            // Arrows instead of a calendar: the picker is an edit with arrows.
            const bool arrows =
                GetEnumPropByName(&control, "DateMode") == "dmupdown" || GetEnumPropByName(&control, "Kind") == "dtktime";
            Attach(control, arrows ? TDecision::Edit : decision, false);
            return;
        }
        case TDecision::TabSet:
        case TDecision::TabSheet:
            if (SkinHasTabFaces(data_))
                Attach(control, decision, decision == TDecision::TabSheet);
            return;
        default: Attach(control, decision, false); return;
        }
    }

    TWinSkinForm& controller_;
    TSkinData& data_;
};

} // namespace

void InstallControlSkinning()
{
    TSkinParts& parts = SkinParts();
    parts.SkinFormControls = [](TWinSkinForm& controller, TForm& form) { TDiscovery(controller).SkinForm(form); };
    parts.SkinChildWindows = [](TWinSkinForm& controller, HWND window) {
        TDiscovery(controller).SkinChildWindows(window);
    };
    parts.SkinWindowByClass = [](TWinSkinForm& controller, HWND window) {
        TDiscovery(controller).SkinWindowByClass(window);
    };
}

} // namespace skin
