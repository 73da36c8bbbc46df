#include "disc/disc_readiness.h"
#include "disc/iso_names.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace velquor {
namespace {

using enum DiscFindingKind;

DiscEntry File(std::wstring name, std::uint64_t size = 10) {
    return {std::move(name), false, size, false, false, {}, {}};
}
DiscEntry Folder(std::wstring name, std::vector<DiscEntry> children = {}) {
    return {std::move(name), true, 0, false, false, {}, std::move(children)};
}

// A project that is ready: its image takes 267 sectors before the contents (16 empty, 3 ISO
// descriptors, 3 of UDF recognition, 4 path tables, 2 folders in each tree, 16 + 16 + 2 UDF
// volume descriptors up to sector 63; the UDF partition from 257 after the first anchor, with
// 2 for the file set and 8 for the File Entries and file identifiers), 20 for them and 1 for
// the last anchor. Another file adds its File Entry.
struct Project {
    DiscListing listing;
    DiscAutorunFiles files{
        L"[autorun]\r\nopen = Orbeno.Exe \"Start\\Index.htm\"\r\nicon = AutoRun.Ico\r\n"
        L"shell\\0 = &Handbuch\r\nshell\\0\\command = Orbeno.Exe \"Start\\\"\r\n"
        L"shell\\zq\\command = Orbeno.Exe\r\n",
        std::vector<unsigned char>{0, 0, 1, 0, 1, 0,  1, 1, 0, 0, 1, 0, 32,
                                   0, 4, 0, 0, 0, 22, 0, 0, 0, 0, 0, 0, 0}};

    Project() {
        listing.root.children = {File(L"AutoRun.Inf", 300), File(L"Orbeno.Exe", 33280),
                                 File(L"AutoRun.Ico", 26), Folder(L"Start", {File(L"Index.htm")})};
    }
    std::vector<DiscEntry>& root() { return listing.root.children; }
};

// `depth` folders one inside the other, the deepest at level depth + 1.
DiscEntry Nested(int depth) {
    DiscEntry folder = Folder(L"e" + std::to_wstring(depth));
    for (int level = depth - 1; level >= 1; --level) {
        folder = Folder(L"e" + std::to_wstring(level), {std::move(folder)});
    }
    return folder;
}

TEST(DiscReadinessTest, FindsWhatKeepsTheDiscFromWorkingAtEachLimit) {
    using Change = std::function<void(Project&)>;
    struct Case {
        const char* name;
        Change change;
        DiscMedium medium;
        std::vector<std::pair<DiscFindingKind, std::wstring>> found;
    };
    const std::wstring name64(64, L'x');
    const std::wstring folder59(59, L'f');
    const std::wstring greek127(127, L'λ');
    const std::wstring level4 = std::wstring(60, L'a') + L"\\" + std::wstring(60, L'b') + L"\\" +
                                std::wstring(60, L'c') + L"\\" + std::wstring(60, L'd');
    const auto deep = [](std::wstring_view file) {
        DiscEntry folder = File(std::wstring(file));
        for (const wchar_t part : std::wstring_view(L"dcba")) {
            folder = Folder(std::wstring(60, part), {std::move(folder)});
        }
        return folder;
    };
    const std::uint64_t cd650Left = (333000 - 289) * 2048ull;
    const Case cases[] = {
        {"ready", [](Project&) {}, DiscMedium::kCd650, {}},
        {"name of 64",
         [&](Project& p) { p.root().push_back(File(name64)); },
         DiscMedium::kCd700,
         {}},
        {"name of 65",
         [&](Project& p) { p.root().push_back(File(name64 + L"y")); },
         DiscMedium::kCd700,
         {{kJolietNameChanged, name64 + L"y"}}},
        {"name of 254 and of 255",
         [&](Project& p) {
             p.root().push_back(File(std::wstring(254, L'ä')));
             p.root().push_back(File(std::wstring(255, L'ä')));
         },
         DiscMedium::kCd700,
         {{kNameTooLong, std::wstring(255, L'ä')}, {kJolietNameChanged, std::wstring(254, L'ä')}}},
        {"Greek name of 127 and of 128",
         [&](Project& p) {
             p.root().push_back(File(greek127));
             p.root().push_back(File(greek127 + L"λ"));
         },
         DiscMedium::kCd700,
         {{kNameTooLong, greek127 + L"λ"}, {kJolietNameChanged, greek127}}},
        {"path of 240 bytes",
         [&](Project& p) { p.root().push_back(Folder(folder59, {File(std::wstring(60, L'd'))})); },
         DiscMedium::kDvd,
         {}},
        {"path of 242 bytes",  // UCS-2 paths have an even length
         [&](Project& p) { p.root().push_back(Folder(folder59, {File(std::wstring(61, L'd'))})); },
         DiscMedium::kDvd,
         {{kJolietPathTooLong, folder59 + L"\\" + std::wstring(61, L'd')}}},
        {"path of 259 with the drive",
         [&](Project& p) { p.root().push_back(deep(std::wstring(12, L'e'))); },
         DiscMedium::kDvd,
         {{kJolietPathTooLong, level4.substr(0, 121)}}},
        {"path of 260 with the drive",
         [&](Project& p) { p.root().push_back(deep(std::wstring(13, L'e'))); },
         DiscMedium::kDvd,
         {{kPathTooLong, level4 + L"\\" + std::wstring(13, L'e')},
          {kJolietPathTooLong, level4.substr(0, 121)}}},
        {"level 8", [](Project& p) { p.root().push_back(Nested(7)); }, DiscMedium::kCd650, {}},
        {"level 9",
         [](Project& p) { p.root().push_back(Nested(9)); },
         DiscMedium::kCd650,
         {{kFolderTooDeep, L"e1\\e2\\e3\\e4\\e5\\e6\\e7\\e8"}}},
        {"file of 4 GiB - 1",
         [](Project& p) { p.root().push_back(File(L"a.bin", 0xFFFFFFFF)); },
         DiscMedium::kAnySize,
         {}},
        {"file of 4 GiB",
         [](Project& p) { p.root().push_back(File(L"a.bin", 0x100000000)); },
         DiscMedium::kAnySize,
         {{kFileOnlyInUdf, L"a.bin"}}},
        {"file over 234 extents",
         [](Project& p) { p.root().push_back(File(L"a.bin", 234ull * 0x3FFFF800 + 1)); },
         DiscMedium::kAnySize,
         {{kFileTooLarge, L"a.bin"}}},
        {"CD full to the sector",
         [&](Project& p) { p.root().push_back(File(L"a.bin", cd650Left)); },
         DiscMedium::kCd650,
         {}},
        {"CD one byte over",
         [&](Project& p) { p.root().push_back(File(L"a.bin", cd650Left + 1)); },
         DiscMedium::kCd650,
         {{kImageTooLarge, L""}}},
        {"characters Windows or Joliet cannot hold",
         [](Project& p) {
             p.root().push_back(File(L"a;1.txt"));
             p.root().push_back(File(L"tab\t.txt"));
             p.root().push_back(File(L"Lachen \U0001F600.txt"));
         },
         DiscMedium::kCd650,
         {{kCharacterNotAllowed, L"tab\t.txt"},
          {kCharacterOutsideUcs2, L"Lachen \U0001F600.txt"},
          {kJolietNameChanged, L"a;1.txt"}}},
        {"65535 folders",
         [](Project& p) { p.root().resize(p.root().size() + 65533, Folder(L"o")); },
         DiscMedium::kAnySize,
         {}},
        {"65536 folders",
         [](Project& p) { p.root().resize(p.root().size() + 65534, Folder(L"o")); },
         DiscMedium::kAnySize,
         {{kTooManyFolders, L""}}},
        {"autorun.inf in small letters",
         [](Project& p) { p.root()[0].name = L"autorun.inf"; },
         DiscMedium::kCd650,
         {}},
        {"no AutoRun.Inf",
         [](Project& p) { p.root().erase(p.root().begin()); },
         DiscMedium::kCd650,
         {{kNoAutorunInf, L""}}},
        {"targets and launcher missing",
         [](Project& p) { p.root().erase(p.root().begin() + 1, p.root().end()); },
         DiscMedium::kCd650,
         {{kLauncherMissing, L"Orbeno.Exe"},
          {kAutorunTargetMissing, L"Start\\Index.htm"},
          {kAutorunTargetMissing, L"AutoRun.Ico"},
          {kAutorunTargetMissing, L"Start\\"}}},
        {"a JPEG named .ico",
         [](Project& p) { p.files.iconFile = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F'}; },
         DiscMedium::kCd650,
         {{kIconNotIco, L"AutoRun.Ico"}}},
        {"hidden and system files",
         [](Project& p) {
             p.root()[1].hidden = true;
             p.root()[3].children[0].system = true;
         },
         DiscMedium::kCd650,
         {{kHiddenOrSystem, L"Orbeno.Exe"}, {kHiddenOrSystem, L"Start\\Index.htm"}}},
    };
    for (const Case& c : cases) {
        Project project;
        c.change(project);
        std::vector<std::pair<DiscFindingKind, std::wstring>> found;
        for (const DiscFinding& f : CheckDiscReadiness(project.listing, c.medium, project.files)) {
            found.emplace_back(f.kind, f.path);
            EXPECT_EQ(f.severity == DiscFindingSeverity::kError, f.kind <= kImageTooLarge);
        }
        EXPECT_EQ(found, c.found) << c.name;
    }
}

TEST(DiscReadinessTest, SaysWhatTheImageNeedsAndWhatTheMediumHolds) {
    Project project;
    project.root().push_back(File(L"a.bin", (360000 - 289) * 2048ull + 1));
    const std::vector<DiscFinding> findings =
        CheckDiscReadiness(project.listing, DiscMedium::kCd700, project.files);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].text,
              L"Das Abbild braucht 360001 Sektoren zu 2048 Byte, eine CD mit 700 MB fasst "
              L"360000: Es passt nicht auf das Medium. Abhilfe: Dateien weglassen oder ein "
              L"größeres Medium wählen.");
    EXPECT_TRUE(HasDiscErrors(findings));
}

// What systems without UDF see of names Joliet cannot hold: unique in the folder, 64 units at
// most, the extension kept.
TEST(DiscReadinessTest, GivesJolietTheNearestNamesItCanHold) {
    const std::u16string long70 = std::u16string(66, u'x') + u".pdf";
    const std::vector<std::u16string> names = {
        long70,      long70 + u"x",           u"a;b.txt", u"a_b.txt", u"kurz.txt",
        u"a;b.txt2", std::u16string(80, u'y')};
    const std::vector<std::u16string> joliet = {std::u16string(58, u'x') + u"~1.pdf",
                                                std::u16string(57, u'x') + u"~1.pdfx",
                                                u"a_b~1.txt",
                                                u"a_b.txt",
                                                u"kurz.txt",
                                                u"a_b.txt2",
                                                std::u16string(62, u'y') + u"~1"};
    EXPECT_EQ(JolietNames(names), joliet);
}

// A name may hold what the texts' placeholders look like; it is shown as it is.
TEST(DiscReadinessTest, ShowsANameWithAPlaceholderInItAsItIs) {
    Project project;
    DiscEntry hidden = File(L"100%2 Rabatt.txt");
    hidden.hidden = true;
    project.root().push_back(std::move(hidden));
    const std::vector<DiscFinding> findings =
        CheckDiscReadiness(project.listing, DiscMedium::kCd700, project.files);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].text.substr(0, 32), L"100%2 Rabatt.txt ist versteckt: ");
}

}  // namespace
}  // namespace velquor
