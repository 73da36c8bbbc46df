// AutoRun.Inf files as anyone's disc may hold them, made from a fixed seed: whatever a file says
// and whatever the disk reports about its names, a path reaches the window only inside the
// project and in a form a pick could give. The rule checked here is written apart from the
// reader's own.
#include <gtest/gtest.h>

#include <cwctype>
#include <iostream>
#include <random>
#include <span>

#include "app/existing_autorun.h"

namespace velquor {
namespace {

bool IsDevice(std::wstring name) {
    name = name.substr(0, name.find(L'.'));
    name.erase(name.find_last_not_of(L' ') + 1);
    for (wchar_t& c : name) {
        c = std::towupper(c);
    }
    return name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL" ||
           name == L"CONIN$" || name == L"CONOUT$" ||
           (name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) &&
            std::wstring_view(L"0123456789¹²³").find(name[3]) != std::wstring_view::npos);
}

// Why the full path may not be handed on; empty when it may. A folder ends in its backslash.
std::string Fault(std::wstring_view root, std::wstring_view path, bool folder) {
    if (!path.starts_with(root) || path.size() > (folder ? 259u : 32767u)) {
        return "outside or too long";
    }
    if (path.ends_with(L'\\') != folder || (!folder && path.size() == root.size())) {
        return "not of its kind";
    }
    std::wstring_view rest = path.substr(root.size());
    if (folder && rest.empty()) {
        return "";  // the root itself
    }
    rest.remove_suffix(folder ? 1 : 0);
    for (;;) {
        const std::size_t at = rest.find(L'\\');
        const std::wstring name(rest.substr(0, at));
        if (name.empty() || name == L"." || name == L".." || name.back() == L'.' ||
            name.back() == L' ' || IsDevice(name) ||
            name.find_first_of(L":/*?\"<>|") != std::wstring::npos ||
            std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x20; })) {
            return "not a name: " + std::string(name.begin(), name.end());
        }
        if (at == std::wstring_view::npos) {
            break;
        }
        rest.remove_prefix(at + 1);
    }
    return "";
}

const std::wstring kRoots[] = {L"C:\\Projekt\\", L"D:\\",
                               L"C:\\" + std::wstring(244, L'a') + L"\\"};
const std::wstring kNames[] = {L"Daten",     L"Info.pdf",     L"Ärzte",
                               L"a b",       L"%SystemRoot%", L"COM10",
                               L"DATEN~1",   L"INFO~1.PDF",   L"..",
                               L".",         L"a.",           L"a ",
                               L"CON",       L"nul.txt",      L"COM¹",
                               L"conout$",   L"a:b",          L"C:",
                               L"*",         L"a\tb",         std::wstring(L"a\0b", 3),
                               L"",          L"x/y",          L"\\\\server\\share",
                               L"\\\\?\\C:", L"\\",           std::wstring(1, wchar_t(0xD800))};
const std::wstring kKeys[] = {L"open",      L"icon",
                              L"shell\\0",  L"shell\\0\\command",
                              L"shell\\2",  L"shell\\1\\command",
                              L"shell\\7",  L"shell\\zq",
                              L"label",     L"[autorun]",
                              L"[Content]", L";"};
const std::wstring kValueStarts[] = {L"Orbeno.Exe \"",      L"orbeno ",     L"\"",           L"&",
                                     L"setup.exe ",         L"AutoRun.Ico", L"Orbeno.Exe,0", L"",
                                     L"\"\\\\Orbeno.Exe\" "};
const std::pair<std::wstring, std::wstring> kPlausible[] = {
    {L"open = Orbeno.Exe \"", L"\""},
    {L"icon = \"", L"\""},
    {L"shell\\0\\command = Orbeno.Exe \"", L"\""},
    {L"shell\\0 = &", L""},
    {L"shell\\2\\command = orbeno ", L""},
    {L"shell\\2 = ", L""}};
// Marks and NULs in the middle of a file, or at its start.
const std::string kMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", std::string(3, '\0'), "\r"};

// Names the disk reports for an alias: real ones, and what a hostile file system could say.
const std::wstring kLongForms[] = {
    L"Daten und Texte", L"..",    L"a:b", L"CON", L"", L"C:\\Windows",
    L"\\\\server\\x",   L"Ende.", L"x\\"};

class Generator {
  public:
    std::string File(int index) {
        std::wstring text;
        for (std::uint32_t n = Below(40); n > 0; --n) {
            const auto& [before, after] = kPlausible[Below(std::size(kPlausible))];
            text += OneIn(2) ? before + Path(8) + after
                             : Pick(kKeys) + (OneIn(4) ? L"=" : L" = ") + Pick(kValueStarts) +
                                   Path(std::size(kNames)) + (OneIn(2) ? L"\"" : L"");
            text += OneIn(8) ? L"\n" : L"\r\n";
        }
        text.insert(0, OneIn(10) ? L"" : L"[autorun]\r\n");
        if (index % 250 == 0) {  // 100,000 characters in one line, and 10,000 lines
            const std::wstring line = Pick(kKeys) + L"=" + Path(8) + L"\r\n";
            text += L"open = Orbeno.Exe \"" + std::wstring(100000, L'x') + L"\"\r\n";
            for (int i = 0; i < 10000; ++i) {
                text += line;
            }
        }
        std::string bytes = OneIn(3) ? "\xFF\xFE" : "";
        for (const wchar_t c : text) {
            if (bytes.starts_with("\xFF\xFE")) {
                bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF)};
            } else {
                bytes += static_cast<char>(c <= 0xFF ? c : '?');
            }
            if (OneIn(400)) {
                bytes += OneIn(2) ? Pick(kMarks) : std::string(1, static_cast<char>(Below(256)));
            }
        }
        return bytes;
    }
    std::uint32_t Below(std::size_t n) { return static_cast<std::uint32_t>(random_() % n); }

  private:
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    template <typename T, std::size_t N>
    const T& Pick(const T (&list)[N]) {
        return list[Below(N)];
    }
    // Names from the first `kinds` of kNames; the first eight a pick may give.
    std::wstring Path(std::size_t kinds) {
        std::wstring path = OneIn(20) ? std::wstring(250 + Below(20), L'L') : L"";
        for (std::uint32_t n = 1 + Below(4); n > 0; --n) {
            path += (path.empty() ? L"" : OneIn(10) ? L"\\\\" : L"\\") + kNames[Below(kinds)];
        }
        return OneIn(4) ? path + L"\\" : path;
    }
    std::mt19937 random_{20261208};
};

TEST(AutorunHostileFilesTest, NoFileHandsOnAPathAPickCouldNotGive) {
    Generator generator;
    std::size_t bytes = 0, handedOn = 0, longForms = 0, notTakenLines = 0;
    const AnsiDecoder latin1 = [](std::string_view b) {
        return std::wstring(reinterpret_cast<const unsigned char*>(b.data()),
                            reinterpret_cast<const unsigned char*>(b.data()) + b.size());
    };
    for (int index = 0; index < 5000; ++index) {
        const std::string file = generator.File(index);
        const std::wstring& root = kRoots[index % 3];
        bytes += file.size();
        // Everything exists; a folder where the last name has no dot. An alias ("~") comes
        // back in a long form, now and then a hostile one.
        const ProjectLookup disk{
            [&](const std::wstring& path) -> std::optional<FoundObject> {
                EXPECT_EQ(Fault(root, path, false), "") << index;  // asked only what may be
                std::wstring found = path;
                if (const std::size_t alias = found.find(L"~1"); alias != std::wstring::npos) {
                    const std::size_t from = found.rfind(L'\\', alias) + 1;
                    found.replace(from, found.find(L'\\', alias) - from,
                                  kLongForms[generator.Below(std::size(kLongForms))]);
                    ++longForms;
                }
                return FoundObject{found, found.find(L'.', found.rfind(L'\\')) == found.npos};
            },
            [&](const std::wstring&) { return std::optional<int>(1 + generator.Below(511)); }};
        ProjectSettings s;
        s.projectRoot = s.slots[kRootSlot] = root;
        const auto section = ReadAutorunSection(DecodeAutorunBytes(
            std::span(reinterpret_cast<const unsigned char*>(file.data()), file.size()), latin1));
        const std::vector<std::wstring> notTaken = TakeReadBack(
            s, ReadBackAutorun(section, root, disk), [&](auto&) { return index % 2 == 0; });
        for (int slot = kTargetSlot; slot < kSlotCount; ++slot) {
            if (IconSlotNamesFile(s.slots[slot]) || slot < kIconSlot) {
                if (SlotIsChosen(s.slots[slot])) {
                    ++handedOn;
                    const bool folder = slot == kTargetSlot && s.targetType == TargetType::Folder;
                    EXPECT_EQ(Fault(root, s.slots[slot], folder), "") << index << " " << slot;
                }
            }
        }
        EXPECT_FALSE(FirstIncompleteContextRow(s)) << index;
        for (const std::wstring& line : notTaken) {
            EXPECT_TRUE(line.size() < 400 &&
                        std::none_of(line.begin(), line.end(), [](wchar_t c) { return c < 0x20; }))
                << index;
        }
        notTakenLines += notTaken.size();
    }
    EXPECT_GT(handedOn, 300u);
    EXPECT_GT(longForms, 1000u);
    std::cout << "[ figures  ] 5000 files, " << bytes << " bytes, " << handedOn
              << " paths handed on, " << longForms << " long forms from the disk, " << notTakenLines
              << " lines not taken\n";
}

}  // namespace
}  // namespace velquor
