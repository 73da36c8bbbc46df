// The version resource and the manifest both carry the one project version.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "util/version.h"
#include "util/version_info_win.h"

namespace velquor {
namespace {

std::string ManifestOfThisProgram() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (!found) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(bytes, SizeofResource(nullptr, found));
}

std::wstring FileVersionOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
    std::string data(size, '\0');
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, data.data())) {
        return {};
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        return {};
    }
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionLS));
}

TEST(VersionResourcesTest, ManifestAndVersionResourceCarryTheProjectVersion) {
    const std::string project =
        std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
        std::to_string(kVersionPatch) + "." + std::to_string(kVersionRevision);
    EXPECT_EQ(FileVersionOfThisProgram(), std::wstring(project.begin(), project.end()));

    const std::string manifest = ManifestOfThisProgram();
    const std::string identity = "name=\"Morvane.Velquor\" version=\"";
    const std::size_t at = manifest.find(identity);
    ASSERT_NE(at, std::string::npos) << manifest;
    const std::size_t from = at + identity.size();
    EXPECT_EQ(manifest.substr(from, manifest.find('"', from) - from), project);
}

TEST(VersionResourcesTest, TheVersionTextsComeFromTheResourceAndTheRunningWindows) {
    EXPECT_EQ(ProgramVersionText(kVersionAlone, VersionOfThisProgram()), L"1.7.2");
    EXPECT_EQ(ProgramVersionText(kRevisionAsLetter, VersionOfThisProgram()), L" (V1.7)");
    // The manifest's supportedOS entries make the record the true version, as ntdll has it;
    // without them Windows 8.1 and later would claim to be 6.2.
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto trueVersion = reinterpret_cast<GetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(trueVersion, nullptr);
    OSVERSIONINFOW expected{};
    expected.dwOSVersionInfoSize = sizeof expected;
    ASSERT_EQ(trueVersion(&expected), 0);
    const OsVersionRecord running = RunningWindowsVersion();
    EXPECT_EQ(running.major, expected.dwMajorVersion);
    EXPECT_EQ(running.minor, expected.dwMinorVersion);
    EXPECT_EQ(running.build, expected.dwBuildNumber);
    EXPECT_EQ(running.platformId, 2u);
}

}  // namespace
}  // namespace velquor
