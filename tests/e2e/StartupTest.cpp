// Start-up of tessaly.exe when its main window cannot be built: the error is
// shown and the program ends with its error exit code, no window of its own
// ever shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProcessDriver.h"

using namespace e2e;

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found)
{
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

// Puts text in place of the stored form resource of that name (in every
// language the program holds it in).
void ReplaceStoredForm(const std::wstring& exe, const wchar_t* name, const std::string& text)
{
    std::vector<WORD> languages;
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(image);
    EnumResourceLanguagesW(image, RT_RCDATA, name, CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    FreeLibrary(image);
    ASSERT_FALSE(languages.empty());
    HANDLE update = BeginUpdateResourceW(exe.c_str(), FALSE);
    ASSERT_TRUE(update);
    for (WORD language : languages)
        ASSERT_TRUE(UpdateResourceW(update, RT_RCDATA, name, language, const_cast<char*>(text.data()),
                                    static_cast<DWORD>(text.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
}

} // namespace

TEST(Startup, AMainWindowThatCannotBeBuiltIsReportedAndEndsTheProgram)
{
    TTempDir dir;
    TTessaly app(dir);
    ReplaceStoredForm(app.ExePath(), L"TFORM_MAIN", "object Form_main: TForm_main\n  Left = 10\n  Nonsense = 1\nend\n");
    app.Start();
    const TMessageBox box = app.WaitForMessageBox();
    ASSERT_TRUE(box.Window);
    EXPECT_NE(box.Text.find(L"line 3"), std::wstring::npos) << "the reader's own words: " << testing::PrintToString(box.Text);
    EXPECT_NE(box.Text.find(L"Nonsense"), std::wstring::npos);
    EXPECT_EQ(app.FindWindowOfClass(L"TForm_main"), nullptr);
    EXPECT_EQ(app.FindWindowOfClass(L"TForm_mm"), nullptr) << "the login dialog never comes";
    TTessaly::AnswerMessageBox(box);
    EXPECT_EQ(app.WaitForExit(), 1u) << "the error exit code, not an abnormal end";
}
