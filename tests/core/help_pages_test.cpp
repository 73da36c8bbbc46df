// The German help pages in help/, which the build copies beside velquor.exe: each one UTF-8
// HTML5 in German without scripts, linked only to files beside it, reachable from index.htm
// and more than a stub; the topic pages name what they explain.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velquor {
namespace {

namespace fs = std::filesystem;

fs::path HelpFolder() {
    return fs::path(VELQUOR_SOURCE_DIR) / "help";
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> PageNames() {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(HelpFolder())) {
        if (item.path().extension() == ".htm") {
            names.push_back(item.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The length of the sequence a lead byte begins, or 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// Shortest forms only: no overlong sequences, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = SequenceLength(lead);
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The text between the first `open` and the `close` after it, or empty.
std::string Between(const std::string& html, std::string_view open, std::string_view close) {
    const std::string lower = Lower(html);
    const std::size_t start = lower.find(open);
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t end = lower.find(close, start + open.size());
    return end == std::string::npos ? std::string{}
                                    : html.substr(start + open.size(), end - start - open.size());
}

// Characters (not bytes) of text outside tags, blanks and line ends not counted.
std::size_t VisibleLength(const std::string& html) {
    std::size_t count = 0;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<' || c == '>') {
            inTag = c == '<';
        } else if (!inTag && !std::isspace(static_cast<unsigned char>(c)) &&
                   (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

// Every href and src value of the page, also of attributes that begin a line.
std::vector<std::string> LinkTargets(const std::string& html) {
    std::vector<std::string> targets;
    const std::string lower = Lower(html);
    for (const std::string_view attribute : {"href=\"", "src=\""}) {
        for (std::size_t at = lower.find(attribute); at != std::string::npos;
             at = lower.find(attribute, at + 1)) {
            if (at > 0 && std::isspace(static_cast<unsigned char>(lower[at - 1]))) {
                const std::size_t start = at + attribute.size();
                targets.push_back(html.substr(start, html.find('"', start) - start));
            }
        }
    }
    return targets;
}

// Runs of blanks and line ends as one blank, as the browser shows them.
std::string CollapseWhitespace(const std::string& html) {
    std::string collapsed;
    for (const char c : html) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (!blank || collapsed.empty() || collapsed.back() != ' ') {
            collapsed += blank ? ' ' : c;
        }
    }
    return collapsed;
}

std::string WithoutFragment(const std::string& target) {
    return target.substr(0, target.find('#'));
}

TEST(HelpPagesTest, EveryPageIsGermanHtml5WithoutScriptsAndMoreThanAStub) {
    const std::vector<std::string> pages = PageNames();
    ASSERT_FALSE(pages.empty());
    for (const std::string& name : pages) {
        SCOPED_TRACE(name);
        const std::string html = ReadAll(HelpFolder() / name);
        const std::string lower = Lower(html);
        EXPECT_TRUE(IsValidUtf8(html));
        EXPECT_EQ(lower.rfind("<!doctype html>", 0), 0u);
        EXPECT_NE(lower.find("<html lang=\"de\">"), std::string::npos);
        EXPECT_NE(lower.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_GT(VisibleLength(Between(html, "<title>", "</title>")), 0u);
        EXPECT_EQ(lower.find("<script"), std::string::npos);
        EXPECT_GT(VisibleLength(Between(html, "<main>", "</main>")), 400u);
    }
}

// The build copies the files directly in help/, so links name one of them by its bare name.
TEST(HelpPagesTest, EveryLinkNamesAFileBesideThePage) {
    for (const std::string& name : PageNames()) {
        for (const std::string& target : LinkTargets(ReadAll(HelpFolder() / name))) {
            SCOPED_TRACE(name + " -> " + target);
            const std::string file = WithoutFragment(target);
            EXPECT_EQ(target.find_first_of(":/\\"), std::string::npos);
            EXPECT_TRUE(file.empty() || fs::is_regular_file(HelpFolder() / file));
        }
    }
}

TEST(HelpPagesTest, EveryPageIsReachableFromTheIndex) {
    std::set<std::string> reached{"index.htm"};
    std::vector<std::string> toVisit{"index.htm"};
    while (!toVisit.empty()) {
        const std::string page = toVisit.back();
        toVisit.pop_back();
        for (const std::string& target : LinkTargets(ReadAll(HelpFolder() / page))) {
            const std::string file = WithoutFragment(target);
            if (file.ends_with(".htm") && fs::is_regular_file(HelpFolder() / file) &&
                reached.insert(file).second) {
                toVisit.push_back(file);
            }
        }
    }
    const std::vector<std::string> pages = PageNames();
    EXPECT_EQ(reached, std::set<std::string>(pages.begin(), pages.end()));
}

struct Topic {
    const char* page;
    std::vector<std::string_view> mentions;
};

// What each topic page must explain; the system check's page names every value it reads.
const Topic kTopics[] = {
    {"index.htm", {"Velquor", "Morvane", "www.morvane.example", "support@morvane.example"}},
    {"schritte.htm",
     {"Auswahl ...", "Erweiterte Ansicht &gt;&gt;", "Kompakte Ansicht &lt;&lt;",
      "Im Projektordner liegt bereits eine AutoRun.Inf."}},
    {"speichern.htm", {"AutoRun.Inf", "Orbeno.Exe", "AutoRun.Ico", "Tabulator"}},
    {"symbole.htm",
     {"Kein", "Standard", "Bibliothek", "511", "icon = Orbeno.Exe", "icon = AutoRun.Ico"}},
    {"kontextmenue.htm", {"Über Orbeno ...", "&amp;"}},
    {"orbeno.htm", {"Orbeno öffnet nur Dateien und Ordner auf dieser CD."}},
    {"systemcheck.htm",
     {"Prüfe Autostart-Optionen von Windows", "Alle Einstellungen sind korrekt ...",
      "IniFileMapping\\Autorun.inf", "@SYS:", "NoDriveTypeAutoRun", "0x20", "NoDriveAutoRun",
      "NoAutorun", "DisableAutoplay", "Services\\cdrom", "AutorunINFLegacyArrival",
      "MSTakeNoAction", "MSOpenFolder", "ShellHWDetection"}},
    {"windows.htm", {"Windows 7", "USB", "Doppelklick"}},
    {"cd-abbild.htm",
     {"Autostart testen", "CD-Abbild erstellen ...", "Beim Einlegen (open)", "isoburn.exe"}},
    {"probleme.htm", {"Standardbrowser", "Orbeno.Exe"}},
};

TEST(HelpPagesTest, TopicPagesNameWhatTheyExplain) {
    for (const Topic& topic : kTopics) {
        const std::string html = CollapseWhitespace(ReadAll(HelpFolder() / topic.page));
        for (const std::string_view mention : topic.mentions) {
            EXPECT_NE(html.find(mention), std::string::npos) << topic.page << ": " << mention;
        }
    }
}

}  // namespace
}  // namespace velquor
