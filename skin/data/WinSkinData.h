// TSkinData: the non-visual component a window carries to get a skinned
// look. It stores the compressed skin package with the window's form data
// (the binary property SkinStream), unpacks and loads it when the form is
// read, holds the loaded element records and colours, and carries the
// switches that say what is skinned.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/BuiltinPictures.h"
#include "skin/data/SkinRecords.h"
#include "skin/format/SkinDescription.h"
#include "ui/core/Classes.h"
#include "ui/graphics/Graphics.h"

namespace ui {
class TControl;
}

namespace skin {

// What the skin takes over; bit n of TSkinControlTypes is member n.
enum TSkinControlType {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport
};
using TSkinControlTypes = std::uint32_t;

enum TSkinOption {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoFormScrollbar
};
using TSkinOptions = std::uint16_t;

// sfMainform skins the whole application, sfOnlyThisForm the owner form.
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

template <class E>
constexpr std::uint32_t SetOf(E member)
{
    return std::uint32_t{1} << member;
}

// Everything but xcMenuItem and xcFastReport.
inline constexpr TSkinControlTypes DefaultSkinControls = 0x1FFFFB;
// xoPreview and xoToolbarBK.
inline constexpr TSkinOptions DefaultSkinOptions = 72;
inline constexpr int DefaultDisableTag = 99;
inline constexpr const char* SkinDataVersion = "4.86.06.13";

class TSkinData;
class TSkinManage;
class TSkinReader;
enum class TSkinAction : int;

// Asked before a window is skinned: DoSkin false keeps it unskinned.
using TOnFormSkin = ui::TEvent<void(ui::TObject* Sender, const std::wstring& aName, bool& DoSkin)>;
// Raised before and after the skin takes over a window.
using TOnSkinForm = ui::TEvent<void(ui::TObject* Sender, HWND ahwnd, const std::wstring& aName)>;
// Raised for each control a skinned window holds; a handler may hand back the
// skinner that treats it.
using TOnSkinControl = ui::TEvent<void(ui::TComponent* Sender, TSkinData* SkinData, ui::TControl* Form,
                                       ui::TControl* Control, const std::string& ControlClass,
                                       ui::TComponent*& SkinnedControl)>;

// The classes of other component libraries and the kind of skinner that
// treats each, as "class name=kind" rows.
const std::vector<std::wstring>& DefaultSkin3rd();

// The form-file text of a binary value: hex digits in lines of 64 between
// braces, as the form reader reads them.
std::string FormBinaryText(const std::vector<std::uint8_t>& bytes);


// Raised (and shown) when a held skin package cannot be loaded.
class ESkinLoadError : public ui::Exception {
public:
    using Exception::Exception;
};

class TSkinData : public ui::TComponent {
    UI_CLASS(TSkinData)
public:
    explicit TSkinData(ui::TComponent* owner);
    // Unregisters from the skin manager.
    ~TSkinData() override;

    // ---- Published properties ----
    bool Active() const { return active_; }
    void SetActive(bool value);
    int DisableTag() const { return disableTag_; }  // controls with this Tag stay unskinned
    void SetDisableTag(int tag) { disableTag_ = tag; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes controls) { skinControls_ = controls; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions options) { options_ = options; }
    ui::TStrings* Skin3rd() const { return skin3rd_.get(); }
    void SetSkin3rd(ui::TStrings* rows);  // copies the rows
    std::wstring SkinFile() const { return skinFile_; }
    // Loads the skin file at `path` (a compressed package) in place of the
    // held one and re-applies it to the skinned windows. A missing file
    // leaves the loaded records but marks them Empty; one that cannot be
    // read or loaded, or is larger than MaxSkinFileSize, is shown as an
    // error, also leaves them Empty and changes no window.
    void SetSkinFile(const std::wstring& path);
    std::string SkinStore() const { return "(none)"; }
    void SetSkinStore(const std::string&) {}  // stored in form files, never taken
    TSkinFormType SkinFormtype() const { return skinFormtype_; }
    void SetSkinFormtype(TSkinFormType type) { skinFormtype_ = type; }
    std::string Version() const { return SkinDataVersion; }
    void SetVersion(const std::string&) {}  // stored in form files, never taken
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool on) { menuUpdate_ = on; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool on) { menuMerge_ = on; }

    TOnFormSkin OnFormSkin;
    ui::TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // ---- The held package (the SkinStream property) ----
    // The compressed package: the content of a skin file.
    const std::vector<std::uint8_t>& SkinPackage() const { return package_; }
    void SetSkinPackage(std::vector<std::uint8_t> package) { package_ = std::move(package); }
    // The SkinStream value: the package's length, then the package.
    std::vector<std::uint8_t> SkinStreamValue() const;
    // Reads "SkinStream = { ... }" and loads the skin from it.
    bool ReadDefinedProperty(const std::string& name, const ui::TFormValue& value) override;

    // Unpacks the held package and loads every element from it; true when a
    // skin was loaded. A broken package (a decoder error, a bad layout, an
    // unknown version, a description with too many lines, pictures that
    // take more than MaxSkinPictureBytes together) or any other
    // failure, running out of memory included, loads nothing: the error is
    // shown through the application's error handling and Empty stays true.
    // A picture that cannot be decoded is not an error: it counts as missing.
    bool LoadSkin();
    // Finishes set-up once the owner's form data is read: drops the switches
    // the platform cannot serve, takes the caption font and the application
    // icon, and switches Active off when no skin is loaded. Then hands over
    // to the skin manager (made here when it does not exist yet): registers,
    // and for sfMainform starts its window hook and, when active, asks it to
    // skin every form 250 ms later; another kind switches the manager on and
    // skins its owner's window at once when active.
    void Loaded() override;
    // Re-applies the current skin to the windows that use this component.
    void RefreshSkin();
    // The gate asked before a window is skinned: OnFormSkin when assigned,
    // else month calendars (and, with xcFastReport, report designer windows)
    // are left alone.
    void AskFormSkin(HWND handle, const std::wstring& className, bool& DoSkin);
    HWND AskedWindow() const { return askedWindow_; }
    void FireSkinChanged() { OnSkinChanged(this); }

    bool Empty() const { return empty_; }
    // Fills every element from the description `ini` and the pictures of
    // `package`, then derives the composite pictures; Empty becomes false.
    // A picture that cannot be decoded is taken as missing.
    void LoadSkinSections(const TSkinReader& package, const TQuickIni& ini);

    // ---- The loaded skin ----
    std::string SkinName;
    std::unique_ptr<TDataSkinBorder> BorderLeft, BorderRight, BorderTop, BorderBottom;  // always present
    std::unique_ptr<TDataSkinTitle> Title;                                            // always present
    std::unique_ptr<TDataSkinButton> Buttons;                                         // always present
    std::vector<std::unique_ptr<TDataSkinSysButton>> TitleButtons;
    // The members below are null when the skin does not describe them.
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll, VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb, VertScrollThumb;
    std::unique_ptr<TDataSkinObject> ThumbHorz, ThumbVert, ThumbLeft, ThumbRight, ThumbUp, ThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;
    std::unique_ptr<TDataSkinObject> Track, TrackVert;  // built-in channels when the skin has none
    // Derived pictures, made by the first load and kept.
    std::unique_ptr<TDataSkinObject> Toolbar;      // a vertical gradient for tool bars
    std::unique_ptr<TDataSkinObject> ComboxArrow;  // the combo box arrow button
    // Section "Colours", the numbered colour sections and the custom colours.
    TSkinColours Colours;
    ui::TColor TitleSampleColour = ui::clBtnFace;  // a pixel of the top border
    std::unique_ptr<ui::TBrush> ButtonFaceBrush;
    // Whether skinned frames paint; off only while a form's menu changes.
    bool FramePaintEnabled = true;

    // ---- Taken from the platform ----
    TMenuGlyphs MenuGlyphs;
    std::unique_ptr<ui::TFont> CaptionFont;
    // The application's small icon on a magenta (transparent) background.
    std::unique_ptr<ui::TBitmap> AppIcon;
    int MaxWidth = 0;
    int MaxHeight = 0;

private:
    void BuildAppIcon();
    void RequestAction(TSkinAction action);
    void StartOwnSkinning(TSkinManage& manager);

    bool active_ = false;
    int disableTag_ = DefaultDisableTag;
    TSkinControlTypes skinControls_ = DefaultSkinControls;
    TSkinOptions options_ = DefaultSkinOptions;
    std::unique_ptr<ui::TStringList> skin3rd_;
    std::wstring skinFile_;
    TSkinFormType skinFormtype_ = TSkinFormType::sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;
    std::vector<std::uint8_t> package_;
    bool empty_ = true;
    HWND askedWindow_ = nullptr;
};

// Makes font the system's caption font (from the non-client metrics); the
// font stays as it is when the platform does not tell.
void ReadSystemCaptionFont(ui::TFont& font);

// Registers TSkinData with the form reader.
void RegisterSkinClasses();

} // namespace skin
