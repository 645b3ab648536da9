#include "skin/data/WinSkinData.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/format/LZH.h"
#include "skin/format/SkinReader.h"
#include "skin/format/WinSkinIni.h"
#include "skin/window/SkinManage.h"
#include "ui/core/FormReader.h"
#include "ui/core/Utf8.h"
#include "ui/forms/Forms.h"

namespace skin {

using namespace ui;

namespace {

// The class names of the skin manager's exclusions (AskFormSkin).
constexpr const wchar_t* MonthCalendarClass = L"SysMonthCal32";
constexpr std::wstring_view ReportDesignerPrefix = L"Tfr";

// Shows why a skin could not be loaded; the program goes on unskinned.
void ReportLoadError(const std::string& message)
{
    Application()->HandleException(ESkinLoadError(message));
}

// Why a load failed, for the error report: our own errors say it
// themselves; the library's say little a user can act on.
std::string FailureText(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
        return "there is not enough memory for it";
    return e.what();
}

std::vector<std::uint8_t> ReadSkinFile(const std::wstring& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(path), error);
    if (error)
        throw EInOutError(SFileAccessError);
    if (size > MaxSkinFileSize)
        throw ESkinPackageError("the file of " + std::to_string(size) + " bytes is larger than the " +
                                std::to_string(MaxSkinFileSize) + " bytes a skin file can hold");
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(bytes.size()))
        throw EInOutError(SFileAccessError);
    return bytes;
}

} // namespace

const std::vector<std::wstring>& DefaultSkin3rd()
{
    static const std::vector<std::wstring> rows = {
    L"TCategoryButtons=scrollbar", L"TPngBitBtn=pngbitbtn", L"TVirtualStringTree=scrollbar",
    L"TVirtualDrawTree=scrollbar", L"TTBXDockablePanel=Panel", L"TAdvPanelGroup=scrollbar", L"TComboboxex=combobox",
    L"TRxSpeedButton=speedbutton", L"THTMLViewer=scrollbar", L"TDBCtrlGrid=scrollbar", L"TfrSpeedButton=speedbutton",
    L"TfrTBButton=speedbutton", L"TControlBar=Panel", L"TTBDock=Panel", L"TTBToolbar=Panel",
    L"TImageEnMView=scrollbar", L"TImageEnView=scrollbar", L"TAdvMemo=scrollbar", L"TDBAdvMemo=scrollbar",
    L"TcxDBLookupComboBox=combobox", L"TcxDBComboBox=combobox", L"TcxDBDateEdit=combobox",
    L"TcxDBImageComboBox=combobox", L"TcxDBCalcEdit=combobox", L"TcxDBBlobEdit=combobox", L"TcxDBPopupEdit=combobox",
    L"TcxDBFontNameComboBox=combobox", L"TcxDBShellComboBox=combobox", L"TRxLookupEdit=combobox",
    L"TRxDBLookupCombo=combobox", L"TRzGroup=panel", L"TRzButton=button", L"TRzBitbtn=bitbtn",
    L"TRzMenuButton=menubtn", L"TRzCheckGroup=CheckGroup", L"TRzRadioGroup=Radiogroup", L"TRzButtonEdit=Edit",
    L"TRzDBRadioGroup=Radiogroup", L"TRzDBRadioButton=Radiobutton", L"TRzDateTimeEdit=combobox",
    L"TRzColorEdit=combobox", L"TRzDateTimePicker=combobox", L"TRzDBDateTimeEdit=combobox",
    L"TRzDbColorEdit=combobox", L"TRzDBDateTimePicker=combobox", L"TLMDButton=bitbtn", L"TLMDGroupBox=Groupbox",
    L"TDBCheckboxEh=Checkbox", L"TDBCheckboxEh=Checkbox", L"TLMDCHECKBOX=Checkbox", L"TLMDDBCHECKBOX=Checkbox",
    L"TLMDRadiobutton=Radiobutton", L"TLMDCalculator=panel", L"TLMDGROUPBOX=Panel", L"TLMDSIMPLEPANEL=Panel",
    L"TLMDDBCalendar=Panel", L"TLMDButtonPanel=Panel", L"TLMDLMDCalculator=Panel", L"TLMDHeaderPanel=Panel",
    L"TLMDTechnicalLine=Panel", L"TLMDLMDClock=Panel", L"TLMDTrackbar=panel", L"TLMDListCombobox=combobox",
    L"TLMDCheckListCombobox=combobox", L"TLMDHeaderListCombobox=combobox", L"TLMDImageCombobox=combobox",
    L"TLMDColorCombobox=combobox", L"TLMDFontCombobox=combobox", L"TLMDFontSizeCombobox=combobox",
    L"TLMDFontSizeCombobox=combobox", L"TLMDPrinterCombobox=combobox", L"TLMDDriveCombobox=combobox",
    L"TLMDCalculatorComboBox=combobox", L"TLMDTrackBarComboBox=combobox", L"TLMDCalendarComboBox=combobox",
    L"TLMDTreeComboBox=combobox", L"TLMDRADIOGROUP=radiogroup", L"TLMDCheckGroup=CheckGroup",
    L"TLMDDBRADIOGROUP=radiogroup", L"TLMDDBCheckGroup=CheckGroup", L"TLMDCalculatorEdit=edit", L"TLMDEDIT=Edit",
    L"TLMDMASKEDIT=Edit", L"TLMDBROWSEEDIT=Edit", L"TLMDEXTSPINEDIT=Edit", L"TLMDCALENDAREDIT=Edit",
    L"TLMDFILEOPENEDIT=Edit", L"TLMDFILESAVEEDIT=Edit", L"TLMDCOLOREDIT=Edit", L"TLMDDBEDIT=Edit",
    L"TLMDDBMASKEDIT=Edit", L"TLMDDBEXTSPINEDIT=Edit", L"TLMDDBSPINEDIT=Edit", L"TLMDDBEDITDBLookup=Edit",
    L"TLMDEDITDBLookup=Edit", L"TDBLookupCombobox=Combobox", L"TWWDBCombobox=Combobox", L"TWWDBLookupCombo=Combobox",
    L"TWWDBCombobox=Combobox", L"TWWKeyCombo=Combobox", L"TWWTempKeyCombo=combobox", L"TWWDBDateTimePicker=Combobox",
    L"TWWRADIOGROUP=radiogroup", L"TWWDBEDIT=Edit", L"TcxButton=bitbtn", L"TcxDBRadioGroup=radiogroup",
    L"TcxRadioGroup=radiogroup", L"TcxGroupbox=groupbox", L"TOVCPICTUREFIELD=Edit", L"TOVCDBPICTUREFIELD=Edit",
    L"TOVCSLIDEREDIT=Edit", L"TOVCDBSLIDEREDIT=Edit", L"TOVCSIMPLEFIELD=Edit", L"TOVCDBSIMPLEFIELD=Edit",
    L"TO32DBFLEXEDIT=Edit", L"TOVCNUMERICFIELD=Edit", L"TOVCDBNUMERICFIELD=Edit",
    };
    return rows;
}

std::string FormBinaryText(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    constexpr size_t BytesPerLine = 32;
    std::string text = "{";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % BytesPerLine == 0)
            text += '\n';
        text += Hex[bytes[i] >> 4];
        text += Hex[bytes[i] & 0xF];
    }
    return text + "}";
}

const TClassInfo& TSkinData::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinData>("TSkinData", &TComponent::StaticClass())
            .Bool("Active", &TSkinData::Active, &TSkinData::SetActive)
            .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
            .Set("SkinControls",
                 {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
                  "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton",
                  "xcSpin", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu",
                  "xcFastReport"},
                 &TSkinData::SkinControls, &TSkinData::SetSkinControls)
            .Set("Options",
                 {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
                  "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG",
                  "xoFormScrollbar"},
                 &TSkinData::Options, &TSkinData::SetOptions)
            .Object("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd)
            .Wide("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Ansi("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
            .Enum("SkinFormtype", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}, &TSkinData::SkinFormtype,
                  &TSkinData::SetSkinFormtype)
            .Ansi("Version", &TSkinData::Version, &TSkinData::SetVersion)
            .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
            .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
            .Event("OnFormSkin", &TSkinData::OnFormSkin)
            .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
            .Event("OnSkinControl", &TSkinData::OnSkinControl)
            .Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
            .Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
            .Creatable()
            .Done();
    return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      BorderLeft(std::make_unique<TDataSkinBorder>("Left")),
      BorderRight(std::make_unique<TDataSkinBorder>("Right")),
      BorderTop(std::make_unique<TDataSkinBorder>("Top")),
      BorderBottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Title(std::make_unique<TDataSkinTitle>("Title")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")),
      CaptionFont(std::make_unique<TFont>()),
      AppIcon(std::make_unique<TBitmap>()),
      MaxWidth(GetSystemMetrics(SM_CXMAXIMIZED)),
      MaxHeight(GetSystemMetrics(SM_CYMAXIMIZED)),
      skin3rd_(std::make_unique<TStringList>())
{
    for (const std::wstring& row : DefaultSkin3rd())
        skin3rd_->Add(row);
}

TSkinData::~TSkinData()
{
    if (TSkinManage* manager = GlobalSkinManage())
        manager->UnregisterSkinData(this);
}

void TSkinData::SetActive(bool value)
{
    if (value == active_)
        return;
    active_ = value;
    // While the form is read the value is only stored; Loaded acts on it.
    if (Loading())
        return;
    switch (skinFormtype_) {
    case TSkinFormType::sfMainform:
        if (value && empty_)
            return;
        RequestAction(value ? TSkinAction::SkinAll : TSkinAction::UnskinAll);
        if (value)
            GlobalSkinManage()->State = TManageState::Running;
        return;
    case TSkinFormType::sfOnlyThisForm:
        if (value && empty_)
            return;
        RequestAction(value ? TSkinAction::SkinAll : TSkinAction::UnskinAll);
        return;
    case TSkinFormType::sfDialog:
    case TSkinFormType::sfDLL: return;
    }
}

// Makes this the skin data whose action the manager runs next, 250 ms later.
void TSkinData::RequestAction(TSkinAction action)
{
    TSkinManage& manager = CreateGlobalSkinManage();
    manager.PendingSkinData = this;
    manager.ScheduleAction(action, SkinActionDelayMs);
}

void TSkinData::RefreshSkin()
{
    if (Loading())
        return;
    if (!GlobalSkinManage())
        Loaded();
    TSkinManage& manager = *GlobalSkinManage();
    manager.PendingSkinData = this;
    manager.RefreshSkinData();
    if (manager.State == TManageState::Running)
        manager.ScheduleAction(TSkinAction::Reload, SkinActionDelayMs);
}

void TSkinData::SetSkin3rd(TStrings* rows)
{
    if (rows)
        skin3rd_->Assign(*rows);
    else
        skin3rd_->Clear();
}

void TSkinData::SetSkinFile(const std::wstring& path)
{
    empty_ = true;
    skinFile_ = path;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(std::filesystem::path(path), error))
        return;
    try {
        package_ = ReadSkinFile(path);
    } catch (const std::exception& e) {
        ReportLoadError(WideToUtf8(path) + ": " + FailureText(e));
        return;
    }
    // The skinned windows' caption buttons point into the records the load
    // replaces: they go first, so that no paint meanwhile (an error box
    // pumps messages) reaches records that are gone.
    if (TSkinManage* manager = GlobalSkinManage()) {
        manager->PendingSkinData = this;
        manager->RefreshSkinData();
    }
    if (LoadSkin())
        RefreshSkin();
}

std::vector<std::uint8_t> TSkinData::SkinStreamValue() const
{
    return FrameSkinStream(package_);
}

bool TSkinData::ReadDefinedProperty(const std::string& name, const TFormValue& value)
{
    if (!SameText(name, "SkinStream"))
        return TComponent::ReadDefinedProperty(name, value);
    const auto* bytes = std::get_if<TFormBinary>(&value.Data);
    if (!bytes)
        throw EReadError("Form data, line " + std::to_string(value.Line) + ": SkinStream is binary data");
    package_.clear();
    try {
        const std::span<const std::uint8_t> held = UnframeSkinStream(*bytes);
        package_.assign(held.begin(), held.end());
    } catch (const ESkinPackageError& e) {
        empty_ = true;
        ReportLoadError("The stored skin is damaged: " + e.Message());
        return true;
    }
    LoadSkin();
    return true;
}

bool TSkinData::LoadSkin()
{
    empty_ = true;
    if (package_.empty())
        return false;
    try {
        TSkinReader reader;
        if (!reader.LoadPackage(package_)) {
            ReportLoadError(SOlderSkinFile);
            return false;
        }
        std::vector<std::uint8_t> description;
        std::string descriptionName;
        reader.ExtractEntryContaining(".ini", description, descriptionName);
        TQuickIni ini;
        ini.LoadFromStream(description);
        LoadSkinSections(reader, ini);
        return true;
    } catch (const std::exception& e) {
        empty_ = true;
        ReportLoadError("The skin cannot be loaded: " + FailureText(e));
        return false;
    }
}

void TSkinData::Loaded()
{
    TComponent::Loaded();
    if (!OptionalEntryPoints().GetScrollBarInfo)
        skinControls_ &= ~SetOf(xcScrollbar);
    TSkinManage& manager = CreateGlobalSkinManage();
    manager.RegisterSkinData(this);
    ReadSystemCaptionFont(*CaptionFont);
    if (skinFormtype_ != TSkinFormType::sfMainform) {
        StartOwnSkinning(manager);
        return;
    }
    manager.InstallCreationHook();
    if (active_ && empty_)
        active_ = false;
    else if (active_)
        RequestAction(TSkinAction::SkinAll);
    if (skinControls_ & SetOf(xcMainMenu))
        skinControls_ &= ~SetOf(xcMenuItem);
    else
        skinControls_ &= ~SetOf(xcSystemMenu);
    BuildAppIcon();
}

// A skin data of a kind other than sfMainform serves its own form: the
// manager is switched on and the form, when it has its window already, is
// skinned at once (otherwise when it is first activated).
void TSkinData::StartOwnSkinning(TSkinManage& manager)
{
    manager.Active = true;
    if (manager.State == TManageState::Created)
        manager.State = TManageState::Running;
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (active_ && owner && owner->HandleAllocated())
        manager.TrySkinWindow(owner->Handle());
}

void TSkinData::BuildAppIcon()
{
    const HWND app = Application()->Handle();
    auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    if (!icon)  // the program's own icon, as its forms show it
        icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!icon) {
        AppIcon->SetSize(0, 0);
        return;
    }
    DrawKeyedIcon(icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), *AppIcon);
    AppIcon->SetTransparentColor(clFuchsia);
    AppIcon->SetTransparent(true);
}

void TSkinData::AskFormSkin(HWND handle, const std::wstring& className, bool& DoSkin)
{
    askedWindow_ = handle;
    if (OnFormSkin) {
        OnFormSkin(this, className, DoSkin);
        return;
    }
    if (className == MonthCalendarClass)
        DoSkin = false;
    if ((skinControls_ & SetOf(xcFastReport)) && className.starts_with(ReportDesignerPrefix))
        DoSkin = false;
}

void ReadSystemCaptionFont(TFont& font)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return;  // the default font stays
    const LOGFONTW& lf = metrics.lfCaptionFont;
    font.SetName(lf.lfFaceName);
    font.SetHeight(lf.lfHeight);
    font.SetCharset(lf.lfCharSet);
    TFontStyles style = 0;
    if (lf.lfWeight >= FW_BOLD)
        style |= 1u << fsBold;
    if (lf.lfItalic)
        style |= 1u << fsItalic;
    if (lf.lfUnderline)
        style |= 1u << fsUnderline;
    if (lf.lfStrikeOut)
        style |= 1u << fsStrikeOut;
    font.SetStyle(style);
}

void RegisterSkinClasses()
{
    RegisterComponentClass(TSkinData::StaticClass());
}

} // namespace skin
