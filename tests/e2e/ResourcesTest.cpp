// The resources of the built tessaly.exe, read from the file as data: the
// manifest declares the architecture of this build and the project's version,
// and the version resource carries the project's version in its numbers and
// its strings. TESSALY_VERSION comes from the top CMakeLists.txt.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ProcessDriver.h"

using namespace e2e;

namespace {

// The architecture a manifest names for a program built like this test
// program: the test expects the program of its own tree.
#if defined(__x86_64__) || defined(_M_X64)
constexpr char BuildArchitecture[] = "amd64";
#elif defined(__i386__) || defined(_M_IX86)
constexpr char BuildArchitecture[] = "x86";
#else
#error "no manifest architecture known for this target"
#endif

// tessaly.exe mapped as an image of resources, never run.
class TResourceImage {
public:
    TResourceImage()
        : module_(LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~TResourceImage()
    {
        if (module_)
            FreeLibrary(module_);
    }
    TResourceImage(const TResourceImage&) = delete;
    TResourceImage& operator=(const TResourceImage&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // A copy of the resource's bytes; empty when the image has no such resource.
    std::vector<BYTE> Resource(LPCWSTR type, LPCWSTR name) const
    {
        const HRSRC found = FindResourceW(module_, name, type);
        const HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
        const auto* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        if (!bytes)
            return {};
        return std::vector<BYTE>(bytes, bytes + SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

// The value of an attribute (in double quotes) of the first element of that
// name; empty when there is none.
std::string AttributeOf(const std::string& xml, const std::string& element, const std::string& attribute)
{
    const auto start = xml.find("<" + element + " ");
    if (start == std::string::npos)
        return {};
    const std::string tag = xml.substr(start, xml.find('>', start) - start);
    const std::string key = " " + attribute + "=\"";
    const auto at = tag.find(key);
    if (at == std::string::npos)
        return {};
    const auto value = at + key.size();
    return tag.substr(value, tag.find('"', value) - value);
}

std::string DottedVersion(DWORD high, DWORD low)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", static_cast<unsigned>(HIWORD(high)),
                  static_cast<unsigned>(LOWORD(high)), static_cast<unsigned>(HIWORD(low)),
                  static_cast<unsigned>(LOWORD(low)));
    return text;
}

// A string of the version resource's first language, as ASCII; empty when
// absent.
std::string VersionString(std::vector<BYTE>& info, const wchar_t* name)
{
    struct TTranslation {
        WORD Language, CodePage;
    };
    TTranslation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof *translation)
        return {};
    wchar_t path[64];
    std::swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->Language, translation->CodePage, name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &size) || !value)
        return {};
    std::string ascii;
    for (const wchar_t* c = value; *c; ++c)
        ascii += *c < 0x80 ? static_cast<char>(*c) : '?';
    return ascii;
}

} // namespace

TEST(Resources, TheManifestDeclaresTheArchitectureOfThisBuildAndTheProjectVersion)
{
    const TResourceImage image;
    ASSERT_TRUE(image.Loaded()) << "cannot map tessaly.exe as data, error " << GetLastError();
    const std::vector<BYTE> bytes = image.Resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(bytes.empty()) << "no manifest resource 1";
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_EQ(AttributeOf(manifest, "assemblyIdentity", "processorArchitecture"), BuildArchitecture) << manifest;
    EXPECT_EQ(AttributeOf(manifest, "assemblyIdentity", "version"), TESSALY_VERSION) << manifest;
    EXPECT_EQ(AttributeOf(manifest, "requestedExecutionLevel", "level"), "asInvoker") << manifest;
}

TEST(Resources, TheVersionResourceCarriesTheProjectVersion)
{
    const TResourceImage image;
    ASSERT_TRUE(image.Loaded()) << "cannot map tessaly.exe as data, error " << GetLastError();
    std::vector<BYTE> info = image.Resource(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
    ASSERT_FALSE(info.empty()) << "no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    ASSERT_GE(size, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(DottedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS), TESSALY_VERSION);
    EXPECT_EQ(DottedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS), TESSALY_VERSION);
    EXPECT_EQ(VersionString(info, L"FileVersion"), TESSALY_VERSION);
    EXPECT_EQ(VersionString(info, L"ProductVersion"), TESSALY_VERSION);
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), "tessaly.exe");
}
