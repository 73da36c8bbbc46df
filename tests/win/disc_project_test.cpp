#include "disc/disc_project_win.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/temp_folder_win.h"
#include "util/file_services.h"
#include "util/run_time_error.h"
#include "util/unique_handle_win.h"

namespace velquor {
namespace {

using testing::AppearsWithin;
using testing::ListNames;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ReadDiscListingTest, ListsNamesSizesAttributesAndLocalTimesInExplorersOrder) {
    TempFolder dir;
    CreateDirectoryW((dir / L"Ελληνικά").c_str(), nullptr);
    CreateDirectoryW((dir / L"leer").c_str(), nullptr);
    WriteBytes(dir / L"Ελληνικά\\b.txt", "12345");
    WriteBytes(dir / L"a.txt", "");
    WriteBytes(dir / L"B.txt", std::string(70000, 'b'));
    WriteBytes(dir / L".versteckt", "x");  // dot files are what Wine reports hidden
    {
        const UniqueFile file(CreateFileW((dir / L"a.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
        const FILETIME may2004{0x10072D80, 0x01C43996};  // 14.05.2004 09:30:15 UTC
        SetFileTime(file.Get(), nullptr, nullptr, &may2004);
    }
    const DiscListing listing = ReadDiscListing(dir.Path());
    std::wstring seen;
    for (const DiscEntry& e : listing.root.children) {
        seen += e.name + L"," + std::to_wstring(e.size) + (e.isFolder ? L",d" : L"") +
                (e.hidden ? L",h" : L"") + L";";
    }
    EXPECT_EQ(seen, L".versteckt,1,h;a.txt,0;B.txt,70000;leer,0,d;Ελληνικά,0,d;");
    ASSERT_EQ(listing.root.children.back().children.size(), 1u);
    EXPECT_EQ(listing.root.children.back().children[0].size, 5u);
    const DiscTimestamp t = listing.root.children[1].modified;
    EXPECT_EQ(t.utcOffsetMinutes % 15, 0);
    const int minutesAfterUtcMidnight = t.hour * 60 + t.minute - t.utcOffsetMinutes;
    EXPECT_EQ((minutesAfterUtcMidnight + 24 * 60) % (24 * 60), 9 * 60 + 30);
    EXPECT_EQ(t.second, 15);

    try {
        ReadDiscListing(dir / L"fehlt\\");
        ADD_FAILURE() << "a missing root was read";
    } catch (const RunTimeError& error) {
        EXPECT_TRUE(error.Description().starts_with(dir / L"fehlt\\: ")) << error.Description();
    }
}

std::string UnixPath(const std::wstring& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* const name = unixName ? unixName(path.c_str()) : nullptr;
    const std::string unix = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

// Wine starts a Unix program as it is, its command line split as Windows splits one. What the
// handle says of its end does not tell when the program has done its work: wait for that.
void RunUnixProgram(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::string program = commandLine.substr(0, commandLine.find(' '));
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// Read by several threads at once: every folder whole and in its place, at any depth, and a
// link that leads back up read as an empty folder instead of forever.
TEST(ReadDiscListingTest, ReadsAWideAndDeepTreeWholeAndStopsAtALinkBackUp) {
    constexpr int kDepth = 12, kWidth = 30;
    const auto name = [](int i) { return (i < 10 ? L"d0" : L"d") + std::to_wstring(i); };
    TempFolder dir;
    std::wstring folder = dir.Path();
    for (int depth = 0; depth < kDepth; ++depth, folder += name(0) + L"\\") {
        for (int i = 0; i < kWidth; ++i) {
            CreateDirectoryW((folder + name(i)).c_str(), nullptr);
            WriteBytes(folder + name(i) + L"\\f", std::string(i, 'x'));
        }
    }
    // Wine's own symbolic links do nothing: a Unix one, as a user's file manager makes it.
    const std::string link = "\"" + UnixPath(folder) + "hinauf\"";
    RunUnixProgram("/bin/ln -s \"" + UnixPath(dir.Path()) + "\" " + link);
    ASSERT_TRUE(AppearsWithin(folder + L"hinauf", 10000));
    // Each level as "d00(...f0)d01(f1)...": the first folder holds the next level.
    std::wstring level, first = L"f0hinauf()";
    for (int depth = kDepth - 1; depth >= 0; --depth, first = level + L"f0") {
        level.clear();
        for (int i = 0; i < kWidth; ++i) {
            level += name(i) + L"(" + (i == 0 ? first : L"f" + std::to_wstring(i)) + L")";
        }
    }
    const std::function<std::wstring(const DiscEntry&)> show = [&](const DiscEntry& folder) {
        std::wstring text;
        for (const DiscEntry& e : folder.children) {
            text += e.isFolder ? e.name + L"(" + show(e) + L")" : e.name + std::to_wstring(e.size);
        }
        return text;
    };
    const std::wstring seen = show(ReadDiscListing(dir.Path()).root);
    RunUnixProgram("/bin/rm " + link);  // the folder's removal leaves links alone
    for (int wait = 0;
         wait < 200 && GetFileAttributesW((folder + L"hinauf").c_str()) != INVALID_FILE_ATTRIBUTES;
         ++wait) {
        Sleep(50);
    }
    EXPECT_EQ(seen, level);
}

TEST(ReadDiscAutorunFilesTest, ReadsTheAutorunFileInEitherEncodingAndTheIconItNames) {
    const struct {
        std::wstring text;
        bool namesIcon;
    } kCases[] = {
        {L"[autorun]\r\nopen = Orbeno.Exe \"Über.htm\"\r\nicon = AutoRun.Ico\r\n", true},
        {L"[autorun]\r\nopen = Orbeno.Exe \"Ελληνικά.htm\"\r\n", false},
    };
    for (const auto& c : kCases) {
        TempFolder dir;
        WriteTextFile(dir / L"AutoRun.Inf", c.text);  // ANSI, or UTF-16 for the Greek
        WriteBytes(dir / L"AutoRun.Ico", "icon bytes");
        const DiscAutorunFiles files =
            ReadDiscAutorunFiles(dir.Path(), ReadDiscListing(dir.Path()));
        EXPECT_EQ(files.autorunText, c.text);
        EXPECT_EQ(files.iconFile.has_value(), c.namesIcon);
        if (files.iconFile) {
            EXPECT_EQ(std::string(files.iconFile->begin(), files.iconFile->end()), "icon bytes");
        }
    }
}

// However the writing ends short of the image, the folder keeps the old image as it was and
// no temporary file.
TEST(WriteDiscImageFileTest, AStopLeavesTheOldImageAndNoTemporaryFile) {
    TempFolder project;
    TempFolder images;
    WriteBytes(project / L"a.txt", std::string(300000, 'a'));
    const std::wstring image = images / L"cd.iso";
    const DiscListing listing = ReadDiscListing(project.Path());
    DiscListing changed = listing;
    changed.root.children[0].size += 1;
    DiscListing missing = listing;
    missing.root.children[0].name = L"fehlt.txt";
    UniqueFile lock;
    const struct {
        const char* what;
        const DiscListing& listing;
        IsoWriteProgress progress;
        std::function<void()> prepare;
        std::wstring failureNames;  // empty: a cancel, no failure
    } kCases[] = {
        {"cancel", listing, [](auto written, auto) { return written < 100000; }, {}, {}},
        {"file shorter than listed", changed, {}, {}, L"?"},
        {"file missing", missing, {}, {}, project / L"fehlt.txt: "},
        {"image held open",
         listing,
         {},
         [&] {
             lock.Reset(
                 CreateFileW(image.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         },
         image + L": "},
    };
    for (const auto& c : kCases) {
        WriteBytes(image, "alt");
        if (c.prepare) {
            c.prepare();
        }
        std::wstring failure;
        try {
            EXPECT_EQ(WriteDiscImageFile(project.Path(), c.listing, {L"CD", {}}, image, c.progress),
                      IsoWriteResult::kCancelled)
                << c.what;
        } catch (const RunTimeError& error) {
            failure = error.Description();
        } catch (const IsoFileChanged&) {
            failure = L"?";
        }
        lock.Reset();
        EXPECT_TRUE(failure.starts_with(c.failureNames) &&
                    failure.empty() == c.failureNames.empty())
            << c.what << ": " << failure;
        EXPECT_EQ(ListNames(images.Path()), L"cd.iso") << c.what;
        EXPECT_EQ(ReadBytes(image), "alt") << c.what;
    }
    EXPECT_THROW(
        WriteDiscImageFile(project.Path(), listing, {L"CD", {}}, images / L"fehlt\\cd.iso"),
        RunTimeError);
    EXPECT_EQ(ListNames(images.Path()), L"cd.iso");
}

TEST(DiscImagePlaceTest, FindsTheImageInsideTheProjectAndItsDefaultPlace) {
    TempFolder dir;
    const std::wstring root = dir / L"Langer Projektordner\\";
    CreateDirectoryW(root.c_str(), nullptr);
    wchar_t shortRoot[MAX_PATH];
    ASSERT_NE(GetShortPathNameW(root.c_str(), shortRoot, MAX_PATH), 0u);
    const struct {
        std::wstring image;
        bool inside;
    } kCases[] = {
        {root + L"cd.iso", true},
        {std::wstring(shortRoot) + L"Daten\\..\\cd.iso", true},
        {dir / L"LANGER PROJEKTORDNER\\cd.iso", true},
        {dir / L"Langer Projektordner2\\cd.iso", false},
        {dir / L"Langer Projektordner.iso", false},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ImageLiesInsideProject(root, c.image), c.inside) << c.image;
    }
    EXPECT_EQ(DefaultImagePath(root), dir / L"Langer Projektordner.iso");
    EXPECT_EQ(DefaultVolumeName(root), L"Langer Projektordner");
}

}  // namespace
}  // namespace velquor
