// The icon, version information and manifest, read back from zentolo.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring programPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    p.resize(p.find_last_of(L"\\/"));  // build/win/tests
    p.resize(p.find_last_of(L"\\/"));  // build/win
    return p + L"\\zentolo.exe";
}

class ProgramResources : public ::testing::Test {
protected:
    HMODULE module = nullptr;
    void SetUp() override
    {
        module = LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module) << "zentolo.exe beside the tests folder";
    }
    void TearDown() override { FreeLibrary(module); }
    std::string resource(LPCWSTR type, LPCWSTR name)
    {
        HRSRC r = FindResourceW(module, name, type);
        if (!r) return std::string();
        auto data = static_cast<const char*>(LockResource(LoadResource(module, r)));
        return std::string(data, SizeofResource(module, r));
    }
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProgramResources, IconGroupHoldsSevenPngImages)
{
    std::string group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(101));
    ASSERT_GE(group.size(), 6u);
    WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(7, count);
    ASSERT_EQ(6u + 7u * sizeof(GroupIconEntry), group.size());
    const int sizes[7] = {16, 24, 32, 48, 64, 128, 256};
    for (int i = 0; i < 7; ++i) {
        const auto* e = reinterpret_cast<const GroupIconEntry*>(group.data() + 6) + i;
        EXPECT_EQ(sizes[i] % 256, e->width);
        EXPECT_EQ(32, e->bitCount);
        std::string image = resource(RT_ICON, MAKEINTRESOURCEW(e->id));
        EXPECT_EQ(std::string("\x89PNG", 4), image.substr(0, 4)) << "image " << i << " is a PNG";
    }
}

TEST_F(ProgramResources, VersionInformation)
{
    std::wstring path = programPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), fixed->dwProductVersionLS);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0410, translation[0]);
    EXPECT_EQ(1200, translation[1]);

    const wchar_t* names[4][2] = {{L"FileDescription", L"Zentolo by Ferlan"},
                                  {L"ProductName", L"Zentolo by Ferlan"},
                                  {L"FileVersion", L"1.0.0 RC1"},
                                  {L"CompanyName", L"Ferlan"}};
    for (auto& n : names) {
        wchar_t* value = nullptr;
        std::wstring key = std::wstring(L"\\StringFileInfo\\041004B0\\") + n[0];
        ASSERT_TRUE(VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(n[1]), std::wstring(value));
    }
}

TEST_F(ProgramResources, ManifestAsksForNoElevationAndNamesFiveSystems)
{
    std::string manifest = resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
    EXPECT_NE(std::string::npos, manifest.find(">true/pm</dpiAware>"));
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"));
    for (const char* id : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"));
}

} // namespace
