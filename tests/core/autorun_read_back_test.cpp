#include "autorun/autorun_read_back.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/existing_autorun.h"
#include "autorun/autorun_text.h"
#include "support/autorun_header.h"
#include "support/fixed_clock.h"

namespace velquor {
namespace {

constexpr wchar_t kRoot[] = L"D:\\CD-Projekt\\";

// An object of the project: its path as the file names it, and its long form when that is
// another (an 8.3 alias). Folders end in a backslash.
struct ProjectObject {
    std::wstring asked;
    std::wstring longForm{};
};

ProjectLookup LookupOf(const std::vector<ProjectObject>& objects, int libraryEntry) {
    return {[objects](const std::wstring& path) -> std::optional<FoundObject> {
                for (const ProjectObject& o : objects) {
                    const bool folder = o.asked.ends_with(L'\\');
                    const std::wstring& found = o.longForm.empty() ? o.asked : o.longForm;
                    if (FoldedKey(path + (folder ? L"\\" : L"")) == FoldedKey(kRoot + o.asked)) {
                        return FoundObject{kRoot + found.substr(0, found.size() - folder), folder};
                    }
                }
                return std::nullopt;
            },
            [libraryEntry](const std::wstring&) {
                return libraryEntry ? std::optional(libraryEntry) : std::nullopt;
            }};
}

std::wstring Header() {
    const std::string bytes = testing::kAutorunHeaderOf14May2004;  // ASCII only
    return std::wstring(bytes.begin(), bytes.end());
}

// Files as Velquor saves them must come back whole: read back and saved again, they are the
// same text. Other files give what a pick could give, and a line for everything else.
TEST(AutorunReadBackTest, TakesWhatAPickCouldGiveAndSavesItAgainUnchanged) {
    const std::wstring zq = L"shell\\zq = &Über Orbeno ...\r\nshell\\zq\\command = Orbeno.Exe\r\n";
    const struct {
        const char* name;
        std::wstring section;  // after the header
        std::vector<ProjectObject> objects;
        int libraryEntry;  // what AutoRun.Ico holds, 0 for none
        bool iconLoads;
        std::vector<std::wstring> slots;  // 1..5, the root left out
        std::vector<std::wstring> labels;
        TargetType type;
        std::vector<std::wstring> notTaken;
        bool savesTheSame;
    } kCases[] = {
        {"worked example with a library icon",
         L"[autorun]\r\nopen = Orbeno.Exe \"Start\\Index.htm\"\r\nicon = AutoRun.Ico\r\n"
         L"shell\\0 = &Handbuch\r\nshell\\0\\command = Orbeno.Exe \"Doku\\Handbuch.pdf\"\r\n"
         L"shell\\2 = &Lies mich\r\nshell\\2\\command = Orbeno.Exe \"liesmich.txt\"\r\n" +
             zq,
         {{L"Start\\Index.htm"}, {L"Doku\\Handbuch.pdf"}, {L"liesmich.txt"}, {L"AutoRun.Ico"}},
         17,
         true,
         {L"D:\\CD-Projekt\\Start\\Index.htm", L"D:\\CD-Projekt\\Doku\\Handbuch.pdf",
          L"(Bitte wählen ...)", L"D:\\CD-Projekt\\liesmich.txt", L"(Bibliothek)"},
         {L"Handbuch", L"(kein)", L"Lies mich"},
         TargetType::Document,
         {},
         true},
        {"folder target, the default icon, Greek, CJK and marks in the texts",
         L"[autorun]\r\nopen = Orbeno.Exe \"Daten\\Ελληνικά\\\"\r\nicon = Orbeno.Exe\r\n"
         L"shell\\1 = &&Preise; alt = 漢字\r\nshell\\1\\command = Orbeno.Exe \"a b%2.pdf\"\r\n" +
             zq,
         {{L"Daten\\Ελληνικά\\"}, {L"a b%2.pdf"}},
         0,
         true,
         {L"D:\\CD-Projekt\\Daten\\Ελληνικά\\", L"(Bitte wählen ...)", L"D:\\CD-Projekt\\a b%2.pdf",
          L"(Bitte wählen ...)", L"(Standardeinstellung)"},
         {L"(kein)", L"&Preise; alt = 漢字", L"(kein)"},
         TargetType::Folder,
         {},
         true},
        {"the root as target and an own icon file",
         L"[autorun]\r\nopen = Orbeno.Exe \"\\\"\r\nicon = \"Bilder\\Disc.ico\"\r\n" + zq,
         {{L"Bilder\\Disc.ico"}},
         0,
         true,
         {L"D:\\CD-Projekt\\", L"(Bitte wählen ...)", L"(Bitte wählen ...)", L"(Bitte wählen ...)",
          L"D:\\CD-Projekt\\Bilder\\Disc.ico"},
         {L"(kein)", L"(kein)", L"(kein)"},
         TargetType::Folder,
         {},
         true},
        {"a software disc's file: nothing",
         L"[AutoRun]\nopen=setup.exe /s\nicon=disc.ico\nlabel=Katalog\nshell\\5=Extra\n"
         L"SHELL\\5\\command=x.exe\nshell\\1=&Preise\n[Content]\nMusicFiles=false\n",
         {{L"disc.ico"}},
         0,
         true,
         {L"(Bitte wählen ...)", L"(Bitte wählen ...)", L"(Bitte wählen ...)",
          L"(Bitte wählen ...)", L"(Bitte wählen ...)"},
         {L"(kein)", L"(kein)", L"(kein)"},
         TargetType::Document,
         {L"open: Die Zeile startet „setup.exe“, Velquor übernimmt nur Orbeno.Exe mit einem Ziel "
          L"im Projektordner.",
          L"icon: Velquor übernimmt als Icon nur Orbeno.Exe, AutoRun.Ico oder einen Pfad in "
          L"Anführungszeichen, nicht disc.ico. Eine eigene Icon-Datei wählen Sie mit „Auswahl "
          L"...“.",
          L"label: Velquor übernimmt diese Angabe nicht.",
          L"shell\\5: Velquor kennt nur die Einträge 0, 1 und 2.",
          L"shell\\1: Zum Menütext fehlt der Befehl.",
          L"[Content]: Velquor übernimmt nur den ersten Abschnitt [autorun]."},
         false},
        {"what a pick could not give, and repeated lines",
         L"; von Hand\r\n[autorun]\r\n  open =  Orbeno.Exe Daten\\alt.pdf  \r\n"
         L"OPEN = Orbeno.Exe \"da.pdf\"\r\nshell\\0 = Preise\r\n"
         L"shell\\0\\command = orbeno \"DATEN~1\\PREISE.PDF\"\r\nshell\\1 = &Eins\r\n"
         L"shell\\1\\command = Orbeno.Exe \"..\\außen\\Eins.txt\"\r\nshell\\2 = &(kein)\r\n"
         L"shell\\2\\command = Orbeno.Exe \"da.pdf\"\r\nicon = \"Bilder\\kaputt.ico\"\r\n"
         L"icon = Orbeno.Exe\r\nshell\\0\\ddeexec = x\r\n",
         {{L"da.pdf"},
          {L"DATEN~1\\PREISE.PDF", L"Daten Archiv\\Preise.pdf"},
          {L"Bilder\\kaputt.ico"}},
         0,
         false,
         {L"(Bitte wählen ...)", L"D:\\CD-Projekt\\Daten Archiv\\Preise.pdf", L"(Bitte wählen ...)",
          L"(Bitte wählen ...)", L"(Bitte wählen ...)"},
         {L"Preise", L"(kein)", L"(kein)"},
         TargetType::Document,
         {L"open: Das Ziel Daten\\alt.pdf fehlt im Projektordner.",
          L"OPEN: Die Zeile steht ein weiteres Mal in der Datei, Windows liest nur die erste.",
          L"shell\\1\\command: Der Pfad ..\\außen\\Eins.txt führt aus dem Projektordner hinaus.",
          L"shell\\2: Der Menütext ist leer oder „(kein)“.",
          L"icon: Die Zeile steht ein weiteres Mal in der Datei, Windows liest nur die erste.",
          L"shell\\0\\ddeexec: Velquor übernimmt diese Angabe nicht.",
          L"icon: Die Icon-Datei Bilder\\kaputt.ico lässt sich nicht als Bild laden."},
         false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::wstring file = Header() + c.section;
        ProjectSettings s;
        s.projectRoot = kRoot;
        s.slots[kRootSlot] = kRoot;
        const std::vector<std::wstring> notTaken = TakeReadBack(
            s,
            ReadBackAutorun(ReadAutorunSection(file), kRoot, LookupOf(c.objects, c.libraryEntry)),
            [&](const std::wstring&) { return c.iconLoads; });
        EXPECT_EQ(std::vector<std::wstring>(s.slots.begin() + 1, s.slots.end()), c.slots);
        EXPECT_EQ(std::vector<std::wstring>(s.labels.begin(), s.labels.end()), c.labels);
        EXPECT_EQ(s.targetType, c.type);
        EXPECT_EQ(notTaken, c.notTaken);
        if (c.savesTheSame) {
            testing::FixedClock clock{L"14.05.2004 09:30:15", L"2004"};
            EXPECT_EQ(ComposeAutorunText(s, clock), file);
        }
    }
}

// The lines of the note: at most twenty, then how many more; decoded as Windows decodes.
TEST(AutorunReadBackTest, ListsTwentyReasonsAndDecodesAsWindowsDoes) {
    std::vector<std::wstring> reasons(23, L"r");
    const std::wstring twenty = L"r\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr\rr";
    EXPECT_EQ(ReasonList(reasons), twenty + L"\r… und 3 weitere");
    reasons.resize(20);
    EXPECT_EQ(ReasonList(reasons), twenty);

    using namespace std::string_view_literals;
    const auto latin1 = [](std::string_view b) { return std::wstring(b.begin(), b.end()); };
    const auto bytes = [](std::string_view b) {
        return std::vector<unsigned char>(b.begin(), b.end());
    };
    EXPECT_EQ(DecodeAutorunBytes(bytes("\xFF\xFE[\0\x3B\x04\xD8"sv), latin1),
              std::wstring(L"[\u043B"));  // the odd last byte dropped
    EXPECT_FALSE(
        ReadAutorunSection(DecodeAutorunBytes(bytes("\xEF\xBB\xBF[autorun]\r\nopen=a"sv), latin1))
            .found);
}

}  // namespace
}  // namespace velquor
