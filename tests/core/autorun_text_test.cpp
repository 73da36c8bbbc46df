#include "autorun/autorun_text.h"

#include <gtest/gtest.h>

#include "support/fixed_clock.h"

namespace velquor {
namespace {

using testing::FixedClock;

const std::wstring kSeparator =
    L";**********************************************************************\r\n";

// The header as a disc user sees it, for the fixed clock of these tests.
std::wstring ExpectedHeader(const std::wstring& when, const std::wstring& year) {
    return kSeparator + L";* AUTORUN.INF (Erstellt: " + when + L")\r\n" + kSeparator +
           L";* Diese Datei steuert den Autostart von CDs anhand des Morvane-Tools\r\n"
           L";* Orbeno. Detaillierte Informationen hierzu finden Sie in der Online-Hilfe\r\n"
           L";* des zugeh. Programms Velquor bzw. im Internet unter\r\n"
           L";* www.morvane.example\r\n" +
           kSeparator + L";*  Copyright (C) Morvane Software, alle Rechte vorbehalten, 1995 - " +
           year +
           L"\r\n"
           L";*  Jonas Albrecht\r\n"
           L";*  Kontakt via E-Mail: support@morvane.example\r\n" +
           kSeparator + L"\r\n";
}

std::wstring Lines(std::initializer_list<const wchar_t*> lines) {
    std::wstring text;
    for (const wchar_t* l : lines) {
        text += l;
        text += L"\r\n";
    }
    return text;
}

// The reference project: root D:\CD-Projekt\, a library icon, rows 0 and 2 set.
ProjectSettings ReferenceProject() {
    ProjectSettings s;
    s.projectRoot = L"D:\\CD-Projekt\\";
    s.slots[kRootSlot] = s.projectRoot;
    s.slots[kTargetSlot] = L"D:\\CD-Projekt\\Start\\Index.htm";
    ApplyLibraryIcon(s, 17);
    s.labels[0] = L"Handbuch ";
    s.slots[2] = L"D:\\CD-Projekt\\Doku\\Handbuch.pdf";
    s.labels[2] = L"Lies mich";
    s.slots[4] = L"D:\\CD-Projekt\\liesmich.txt";
    return s;
}

std::wstring Compose(const ProjectSettings& s) {
    FixedClock clock(L"14.05.2004 09:30:15", L"2004");
    return ComposeAutorunText(s, clock);
}

TEST(AutorunTextTest, ReferenceProjectByteForByte) {
    EXPECT_EQ(
        Compose(ReferenceProject()),
        ExpectedHeader(L"14.05.2004 09:30:15", L"2004") +
            Lines({L"[autorun]", L"open = Orbeno.Exe \"Start\\Index.htm\"", L"icon = AutoRun.Ico",
                   L"shell\\0 = &Handbuch",
                   L"shell\\0\\command = Orbeno.Exe \"Doku\\Handbuch.pdf\"",
                   L"shell\\2 = &Lies mich", L"shell\\2\\command = Orbeno.Exe \"liesmich.txt\"",
                   L"shell\\zq = &Über Orbeno ...", L"shell\\zq\\command = Orbeno.Exe"}));
}

TEST(AutorunTextTest, HeaderIsThirteenLinesWithoutTrailingBlanks) {
    const std::wstring text = Compose(ReferenceProject());
    std::size_t lines = 0;
    for (std::size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
         start = end + 2) {
        const std::wstring line = text.substr(start, end - start);
        EXPECT_EQ(line.find(L'\n'), std::wstring::npos);
        EXPECT_EQ(line.find(L'\r'), std::wstring::npos);
        if (!line.empty()) {
            EXPECT_NE(line.back(), L' ') << line;
        }
        if (++lines == 13) {
            EXPECT_TRUE(line.empty());
        } else if (lines < 13) {
            EXPECT_EQ(line.rfind(L";*", 0), 0u) << line;
        }
    }
    EXPECT_EQ(lines, 13u + 9u);
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
}

// The part after the header for variants of the reference project.
std::wstring Body(const ProjectSettings& s) {
    return Compose(s).substr(ExpectedHeader(L"14.05.2004 09:30:15", L"2004").size());
}

TEST(AutorunTextTest, Variants) {
    struct Case {
        const char* name;
        void (*change)(ProjectSettings&);
        std::wstring body;
    };
    const std::wstring zq =
        Lines({L"shell\\zq = &Über Orbeno ...", L"shell\\zq\\command = Orbeno.Exe"});
    const std::wstring noRows = Lines({L"[autorun]", L"open = Orbeno.Exe \"Start\\Index.htm\""});
    const Case cases[] = {
        {"no icon",
         [](ProjectSettings& s) {
             ResetSlot(s, kIconSlot);
             ResetSlot(s, 2);
             ResetSlot(s, 4);
         },
         noRows + zq},
        {"default icon",
         [](ProjectSettings& s) {
             SetDefaultIcon(s);
             ResetSlot(s, 2);
             ResetSlot(s, 4);
         },
         noRows + Lines({L"icon = Orbeno.Exe"}) + zq},
        {"icon file",
         [](ProjectSettings& s) {
             s.slots[kIconSlot] = L"D:\\CD-Projekt\\Bilder\\Disc.ico";
             ResetSlot(s, 2);
             ResetSlot(s, 4);
         },
         noRows + Lines({L"icon = \"Bilder\\Disc.ico\""}) + zq},
        {"folder target",
         [](ProjectSettings& s) {
             s.slots[kTargetSlot] = L"D:\\CD-Projekt\\Daten\\";
             ResetSlot(s, kIconSlot);
             ResetSlot(s, 2);
             ResetSlot(s, 4);
         },
         Lines({L"[autorun]", L"open = Orbeno.Exe \"Daten\\\""}) + zq},
        {"root as target",
         [](ProjectSettings& s) {
             s.slots[kTargetSlot] = L"D:\\CD-Projekt\\";
             ResetSlot(s, kIconSlot);
             ResetSlot(s, 2);
             ResetSlot(s, 4);
         },
         Lines({L"[autorun]", L"open = Orbeno.Exe \"\\\""}) + zq},
        {"only row 2",
         [](ProjectSettings& s) {
             ResetSlot(s, kIconSlot);
             ResetSlot(s, 2);
         },
         noRows +
             Lines({L"shell\\2 = &Lies mich", L"shell\\2\\command = Orbeno.Exe \"liesmich.txt\""}) +
             zq},
        {"labels trimmed, blank and (kein) rows skipped, (Kein) kept",
         [](ProjectSettings& s) {
             ResetSlot(s, kIconSlot);
             s.labels[0] = L"   ";
             s.labels[1] = L" (Kein) ";
             s.slots[3] = L"D:\\CD-Projekt\\k.txt";
             s.labels[2] = L"(kein)";
         },
         noRows + Lines({L"shell\\1 = &(Kein)", L"shell\\1\\command = Orbeno.Exe \"k.txt\""}) + zq},
        {"& and = in labels unchanged",
         [](ProjectSettings& s) {
             ResetSlot(s, kIconSlot);
             ResetSlot(s, 4);
             s.labels[0] = L"  Preise & Rabatte = 10% \\n ";
         },
         noRows +
             Lines({L"shell\\0 = &Preise & Rabatte = 10% \\n",
                    L"shell\\0\\command = Orbeno.Exe \"Doku\\Handbuch.pdf\""}) +
             zq},
    };
    for (const Case& c : cases) {
        ProjectSettings s = ReferenceProject();
        c.change(s);
        EXPECT_EQ(Body(s), c.body) << c.name;
    }
}

TEST(AutorunTextTest, DriveRootProject) {
    ProjectSettings s;
    s.projectRoot = L"E:\\";
    s.slots[kRootSlot] = L"E:\\";
    s.slots[kTargetSlot] = L"E:\\setup\\start.exe";
    s.slots[kIconSlot] = L"E:\\disc.ico";
    s.labels[1] = L"Info";
    s.slots[3] = L"E:\\info.txt";
    EXPECT_EQ(AutorunFilePath(s), L"E:\\AutoRun.Inf");
    EXPECT_EQ(
        Body(s),
        Lines({L"[autorun]", L"open = Orbeno.Exe \"setup\\start.exe\"", L"icon = \"disc.ico\"",
               L"shell\\1 = &Info", L"shell\\1\\command = Orbeno.Exe \"info.txt\"",
               L"shell\\zq = &Über Orbeno ...", L"shell\\zq\\command = Orbeno.Exe"}));
}

TEST(AutorunTextTest, ClockIsReadOnceForEachPlaceholderAndValuesKeepBackslashes) {
    FixedClock clock(L"5\\14\\2004 12:00:00 AM %y%", L"2004");
    const std::wstring text = ComposeAutorunText(ReferenceProject(), clock);
    EXPECT_EQ(clock.dateTimeReads, 1);
    EXPECT_EQ(clock.yearReads, 1);
    // Filled after the escapes were expanded: the backslashes stay, and the year placeholder
    // brought in by the time text is filled as part of the text so far.
    EXPECT_NE(text.find(L"(Erstellt: 5\\14\\2004 12:00:00 AM 2004)"), std::wstring::npos);
}

TEST(AutorunTextTest, SavingTwiceDiffersOnlyInTheCreationTime) {
    FixedClock first(L"14.05.2004 09:30:15", L"2004");
    FixedClock second(L"14.05.2004 09:30:16", L"2004");
    std::wstring a = ComposeAutorunText(ReferenceProject(), first);
    const std::wstring b = ComposeAutorunText(ReferenceProject(), second);
    ASSERT_EQ(a.size(), b.size());
    a[a.find(L"09:30:15") + 7] = L'6';
    EXPECT_EQ(a, b);
}

}  // namespace
}  // namespace velquor
