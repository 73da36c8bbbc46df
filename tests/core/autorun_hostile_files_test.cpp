// AutoRun.Inf files as anyone's disc may hold them, read back into a project: thousands of files
// made from a fixed seed out of plausible and hostile lines, in every encoding and in none.
// Whatever a file says and whatever the disk reports about its names, a path reaches the window
// only inside the project and in a form a pick could give, and every line about the file fits
// into a message. The rule checked here is written apart from the reader's own.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/existing_autorun.h"
#include "autorun/autorun_file_reader.h"
#include "autorun/autorun_read_back.h"
#include "project/project_settings.h"

namespace velquor {
namespace {

constexpr std::uint32_t kSeed = 0x5EED1A7Fu;
constexpr int kFileCount = 5000;
constexpr std::size_t kLongestShownLine = 400;

// ---- The rule for a path that may be handed on ----

bool IsDevice(std::wstring_view name) {
    std::wstring stem(name.substr(0, name.find(L'.')));
    while (!stem.empty() && stem.back() == L' ') {
        stem.pop_back();
    }
    for (wchar_t& c : stem) {
        c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
           std::wstring_view(L"0123456789\u00B9\u00B2\u00B3").find(stem[3]) !=
               std::wstring_view::npos;
}

// Why the full path may not be handed on; empty when it may. A folder ends in its backslash.
std::string Fault(std::wstring_view root, std::wstring_view path, bool folder) {
    if (!path.starts_with(root)) {
        return "outside the root";
    }
    if (path.size() > (folder ? 259u : 32767u)) {
        return "too long";
    }
    if (path.ends_with(L'\\') != folder) {
        return folder ? "folder without its backslash" : "document ending in a backslash";
    }
    std::wstring_view relative = path.substr(root.size());
    if (relative.empty()) {
        return folder ? "" : "the root as a document";
    }
    if (folder) {
        relative.remove_suffix(1);
    }
    for (;;) {
        const std::size_t separator = relative.find(L'\\');
        const std::wstring_view name = relative.substr(0, separator);
        if (name.empty() || name == L"." || name == L"..") {
            return "empty, . or .. as a name";
        }
        for (const wchar_t c : name) {
            if (c < 0x20 || std::wstring_view(L":/*?\"<>|").find(c) != std::wstring_view::npos) {
                return "forbidden character";
            }
        }
        if (name.back() == L'.' || name.back() == L' ') {
            return "name ending in a dot or blank";
        }
        if (IsDevice(name)) {
            return "device name";
        }
        if (separator == std::wstring_view::npos) {
            return "";
        }
        relative.remove_prefix(separator + 1);
    }
}

// ASCII for a failure message: everything else as \x{...}; of a long text its two ends.
std::string Escaped(std::wstring_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 80 && text.size() > 200) {
            shown += "... (" + std::to_string(text.size()) + " characters) ...";
            i = text.size() - 80;
        }
        const wchar_t c = text[i];
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "\\x{%X}", static_cast<unsigned>(c));
            shown += code;
        }
    }
    return shown;
}

// ---- The files ----

const std::wstring kRoots[] = {L"C:\\Projekt\\", L"D:\\",
                               L"C:\\" + std::wstring(244, L'a') + L"\\"};  // the longest root

// Names a pick may give; those with "~" are 8.3 aliases the disk knows in a long form.
const std::wstring kFineNames[] = {
    L"Daten",        L"Info.pdf",     L"Liesmich.txt", L"Bilder",
    L"Ärzte",        L"a b",          L"Ω.txt",        L"Preise.2004.xls",
    L"%SystemRoot%", L"COM10",        L"CONFIG.SYS",   L"LPT",
    L"nul_",         L"\uFF0E\uFF0E", L".profile",     L"DATEN~1",
    L"A.PDF",        L"PROGRA~2",     L"INFO~1.PDF",   L"~",
    L"~$Brief.doc",  L"Handbuch.pdf", L"index.html",   L"Start.htm",
    L"Bild.ico",     L"Setup.exe",    L"COM1a.txt",    L"Kontakt.doc"};
const std::wstring kBadNames[] = {L"..",
                                  L".",
                                  L"...",
                                  L"a.",
                                  L"a ",
                                  L" ",
                                  L"CON",
                                  L"nul.txt",
                                  L"com1",
                                  L"COM\u00B9",
                                  L"Lpt0.a.b",
                                  L"conin$",
                                  L"CONOUT$ .x",
                                  L"PRN .txt",
                                  L"aux",
                                  L"lpt\u00B3",
                                  L"a:b",
                                  L"C:",
                                  L"a::$DATA",
                                  L"*",
                                  L"?",
                                  L"con.soft.doc",
                                  L"a<b",
                                  L">",
                                  L"|",
                                  L"\"",
                                  L"a\tb",
                                  L"\x01",
                                  std::wstring(L"a\0b", 3),
                                  L"",
                                  L"x/y"};
const std::wstring kPrefixes[] = {L"C:\\",
                                  L"c:",
                                  L"C:/",
                                  L"\\\\server\\share\\",
                                  L"//server/share/",
                                  L"\\\\?\\C:\\",
                                  L"\\\\?\\UNC\\server\\share\\",
                                  L"\\\\.\\",
                                  L"\\??\\",
                                  L"\\",
                                  L"/",
                                  L"..\\",
                                  L".\\",
                                  L"%SystemRoot%\\System32\\",
                                  L"C:\\Projekt\\"};
const std::wstring kOddSeparators[] = {L"/", L"\\\\", L"\\.\\", L"\\..\\"};
const std::wstring kPrograms[] = {L"orbeno",
                                  L"\\Orbeno.Exe",
                                  L"\"Orbeno.Exe\"",
                                  L"\"\\\\Orbeno.Exe\"",
                                  L"ORBENO.EXE.exe",
                                  L"/Orbeno.Exe",
                                  L"cmd.exe /c",
                                  L"Autorun.exe",
                                  L"\\\\server\\share\\Orbeno.Exe",
                                  L"%SystemRoot%\\explorer.exe",
                                  L"\"Orbeno.Exe",
                                  L""};
const std::wstring kLabels[] = {L"&Handbuch",  L"&Über uns", L"Preise",
                                L"&",          L"",          L"&(kein)",
                                L" (kein) ",   L"&&Doppelt", L"&Text\tmit Tab",
                                L"&Zeile\x0B", L"%1 %2 \\n", std::wstring(300, L'W')};
const std::wstring kRowVerbs[] = {L"0", L"1", L"2"};
const std::wstring kVerbs[] = {L"0",    L"1",  L"2",  L"3",  L"zq",     L"ZQ",
                               L"open", L"0 ", L" 1", L"00", L"\u0661", L""};
const std::wstring kIconValues[] = {L"Orbeno.Exe",     L"Orbeno.Exe,0", L"orbeno.exe , 0",
                                    L"Orbeno.Exe,1",   L"AutoRun.Ico",  L"autorun.ico,0",
                                    L"AutoRun.Ico,-3", L"Orbeno",       L""};
const std::wstring kHeads[] = {L"[autorun]",       L"[AutoRun]", L"[ AUTORUN ]", L"[autorun",
                               L"[autorun.amd64]", L"[Content]", L"[]",          L"[",
                               L"[autorun]x"};
const std::wstring kOtherKeys[] = {L"label",   L"action",  L"UseAutoPlay", L"shellexecute",
                                   L"shell",   L"shell\\", L"shellex\\x",  L"",
                                   L"open\\x", L"icon2"};
const std::wstring kSubKeys[] = {L"\\command\\x", L"\\ddeexec", L"\\Command", L"\\command "};
const std::wstring kEquals[] = {L" = ", L"=", L"\t=\t", L" ==", L"= "};
const std::wstring kOddLineEnds[] = {L"\n", L"\r", L"\n\r", L"\r\r\n", L""};
// Byte-order marks, NULs and half of a UTF-16 unit in the middle of a file.
const std::string kMarks[] = {"\xEF\xBB\xBF",       "\xFF\xFE",           "\xFE\xFF",
                              std::string(1, '\0'), std::string(4, '\0'), "\x0D"};

struct HostileFile {
    std::wstring root;
    std::string bytes;
};

enum class Encoding { kLatin1, kUtf8, kUtf16 };

class FileGenerator {
  public:
    explicit FileGenerator(std::uint32_t seed) : random_(seed) {}

    HostileFile Next(int index) {
        bytes_.clear();
        const std::wstring root = Pick(kRoots);
        rootLength_ = root.size();
        utf16_ = false;
        switch (Below(8)) {
            case 0:
                bytes_ = "\xEF\xBB\xBF";
                break;
            case 1:
            case 2:
                bytes_ = "\xFF\xFE";
                utf16_ = true;
                break;
            case 3:
                bytes_ = "\xFE\xFF";
                break;
        }
        if (!OneIn(16)) {
            Line(OneIn(10) ? Pick(kHeads) : L"[autorun]");
        }
        if (!OneIn(3)) {
            AsVelquorWritesIt();
        }
        for (std::uint32_t n = Below(30); n > 0; --n) {
            SomeLine();
        }
        if (index % 100 == 50) {
            LongLine();
        }
        if (index % 1000 == 999) {
            ManyLines(index / 1000);
        }
        if (OneIn(10) && !bytes_.empty()) {
            bytes_.pop_back();  // an odd length, or a line end cut in half
        }
        return {root, bytes_};
    }

  private:
    std::uint32_t Below(std::size_t n) { return static_cast<std::uint32_t>(random_() % n); }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    template <typename List>
    const std::remove_extent_t<List>& Pick(const List& list) {
        return list[Below(std::size(list))];
    }

    // Through a pointer: the files hold megabytes, and the tests run unoptimised.
    void Put(std::wstring_view text) {
        const std::size_t start = bytes_.size();
        bytes_.resize(start + 3 * text.size());
        char* out = bytes_.data() + start;
        for (const wchar_t c : text) {
            const auto unit = static_cast<std::uint32_t>(c);
            switch (encoding_) {
                case Encoding::kLatin1:
                    *out++ = static_cast<char>(unit <= 0xFF ? unit : '?');
                    break;
                case Encoding::kUtf16:
                    *out++ = static_cast<char>(unit & 0xFF);
                    *out++ = static_cast<char>(unit >> 8 & 0xFF);
                    break;
                case Encoding::kUtf8:  // surrogates as three bytes each, as WTF-8 does
                    if (unit < 0x80) {
                        *out++ = static_cast<char>(unit);
                    } else if (unit < 0x800) {
                        *out++ = static_cast<char>(0xC0 | unit >> 6);
                        *out++ = static_cast<char>(0x80 | (unit & 0x3F));
                    } else {
                        *out++ = static_cast<char>(0xE0 | unit >> 12);
                        *out++ = static_cast<char>(0x80 | (unit >> 6 & 0x3F));
                        *out++ = static_cast<char>(0x80 | (unit & 0x3F));
                    }
                    break;
            }
        }
        bytes_.resize(static_cast<std::size_t>(out - bytes_.data()));
    }

    // A line in an encoding of its own, now and then not the file's, with any line end.
    void Line(std::wstring text) {
        if (utf16_) {
            encoding_ = OneIn(30) ? Encoding::kLatin1 : Encoding::kUtf16;
        } else {
            encoding_ = OneIn(6)    ? Encoding::kUtf8
                        : OneIn(12) ? Encoding::kUtf16
                                    : Encoding::kLatin1;
        }
        if (encoding_ == Encoding::kUtf16 && OneIn(6)) {
            text.insert(Below(text.size() + 1), 1, static_cast<wchar_t>(0xD800 + Below(0x800)));
        }
        Put(text);
        Put(OneIn(6) ? Pick(kOddLineEnds) : L"\r\n");
    }

    std::wstring RandomText(std::size_t length) {
        std::wstring text;
        for (std::size_t i = 0; i < length; ++i) {
            switch (Below(8)) {
                case 0:
                    text += static_cast<wchar_t>(Below(0x20));
                    break;
                case 1:
                    text += static_cast<wchar_t>(0x80 + Below(0x80));
                    break;
                case 2:
                    text += static_cast<wchar_t>(Below(0x10000));
                    break;
                default:
                    text += static_cast<wchar_t>(0x20 + Below(0x5F));
            }
        }
        return text;
    }

    // One to five names, now and then one that no pick gives when `hostile`.
    std::wstring Names(bool hostile) {
        std::wstring path;
        for (std::uint32_t n = 1 + Below(5), i = 0; i < n; ++i) {
            if (i > 0) {
                path += hostile && OneIn(8) ? Pick(kOddSeparators) : L"\\";
            }
            path += hostile && OneIn(4) ? Pick(kBadNames) : Pick(kFineNames);
        }
        return OneIn(4) ? path + L"\\" : path;
    }

    // Around the limits of a folder and of a document with the root, sometimes made of 8.3
    // aliases whose long form no longer fits.
    std::wstring LongPath() {
        const std::size_t length = (OneIn(16) ? 32767 : 259) - rootLength_ + Below(5) - 2;
        const bool folder = OneIn(2);
        const std::wstring name = OneIn(2) ? L"DATEN~1\\" : L"Datei\\";
        std::wstring path;
        while (path.size() < length) {
            path += name;
        }
        path.resize(length - (folder ? 1 : 4));
        if (path.back() == L'\\') {
            path.back() = L'x';
        }
        return path + (folder ? L"\\" : L".txt");
    }

    std::wstring Path() {
        switch (Below(20)) {
            case 0:
                return L"\\";
            case 1:
                return L"";
            case 2:
            case 3:
                return Pick(kPrefixes) + Names(true);
            case 4:
                return LongPath();
            case 5:
            case 6:
            case 7:
            case 8:
            case 9:
                return Names(true);
            default:
                return Names(false);
        }
    }

    std::wstring Command() {
        const std::wstring program = OneIn(4) ? Pick(kPrograms) : L"Orbeno.Exe";
        switch (Below(10)) {
            case 0:
                return program + L" " + Path();
            case 1:
                return program + L" \"" + Path();
            case 2:
                return program + L" \"" + Path() + L"\" \"" + Path() + L"\"";
            case 3:
                return program;
            case 4:
                return program + L"\t\"" + Path() + L"\"  ";
            default:
                return program + L" \"" + Path() + L"\"";
        }
    }

    std::wstring IconValue() {
        switch (Below(4)) {
            case 0:
                return Pick(kIconValues);
            case 1:
                return Path() + (OneIn(2) ? L",0" : L"");
            default:
                return L"\"" + Path() + (OneIn(8) ? L"\",0" : L"\"");
        }
    }

    std::wstring Label() { return OneIn(4) ? RandomText(1 + Below(40)) : Pick(kLabels); }

    std::wstring Equals() { return OneIn(3) ? Pick(kEquals) : L" = "; }

    void AsVelquorWritesIt() {
        Line(L";" + std::wstring(70, L'*'));
        Line(L"open = Orbeno.Exe \"" + Path() + L"\"");
        Line(L"icon = " + IconValue());
        for (int row = 0; row < kContextRowCount; ++row) {
            const std::wstring verb = L"shell\\" + std::to_wstring(row);
            Line(verb + L" = &" + Label());
            Line(verb + L"\\command = Orbeno.Exe \"" + Path() + L"\"");
        }
        Line(L"shell\\zq = &Über Orbeno ...");
        Line(L"shell\\zq\\command = Orbeno.Exe");
    }

    void SomeLine() {
        switch (Below(20)) {
            case 0:
                Line(Pick(kHeads));
                break;
            case 1:
            case 2:
                Line((OneIn(3) ? L" OPEN\t" : L"open") + Equals() + Command());
                break;
            case 3:
            case 4:
                Line(L"icon" + Equals() + IconValue());
                break;
            case 5:
            case 6:
                Line(L"shell\\" + Pick(kVerbs) + Equals() + Label());
                break;
            case 7:
            case 8:
                Line(L"shell\\" + Pick(kVerbs) + L"\\command" + Equals() + Command());
                break;
            case 9:
                Line(L"shell\\" + Pick(kVerbs) + Pick(kSubKeys) + Equals() + Command());
                break;
            case 10:
                Line(Pick(kOtherKeys) + Equals() + (OneIn(2) ? Path() : RandomText(Below(40))));
                break;
            case 11:
                Line(L";" + RandomText(Below(60)));
                break;
            case 12:
                Line(RandomText(Below(60)));
                break;
            case 13:
                for (std::uint32_t n = 1 + Below(64); n > 0; --n) {
                    bytes_ += static_cast<char>(Below(256));
                }
                break;
            case 14:
                bytes_ += Pick(kMarks);
                break;
            case 15:
                Line(RandomText(Below(20)) + L"=" + RandomText(Below(40)));
                break;
            case 16:
            case 17:
                Line(L"shell\\" + Pick(kRowVerbs) + Equals() + Label());
                break;
            default:
                Line(L"shell\\" + Pick(kRowVerbs) + L"\\command" + Equals() + Command());
                break;
        }
    }

    void LongLine() {
        std::wstring body = OneIn(2) ? L"DATEN~1\\" : L"x";
        while (body.size() < 100000) {
            body += body;
        }
        body.resize(100000);
        switch (Below(7)) {
            case 0:
                return Line(L"open = Orbeno.Exe \"" + body + L"\"");
            case 1:
                return Line(L"icon = \"" + body + L"\"");
            case 2:
                return Line(L"shell\\0 = &" + body);
            case 3:
                return Line(body + L" = x");
            case 4:
                return Line(L"[" + body + L"]");
            case 5:
                return Line(L";" + body);
            default:
                return Line(body);
        }
    }

    // 10,000 section heads, keys, repeats of one key, verbs or lines without "=".
    void ManyLines(int kind) {
        for (int n = 0; n < 10000; ++n) {
            const std::wstring number = std::to_wstring(n);
            switch (kind % 5) {
                case 0:
                    Line(L"[s" + number + L"]");
                    break;
                case 1:
                    Line(L"k" + number + L" = v");
                    break;
                case 2:
                    Line(L"open = Orbeno.Exe \"Daten\\" + number + L".txt\"");
                    break;
                case 3:
                    Line(L"shell\\v" + number + L" = &x");
                    break;
                default:
                    Line(L"Zeile " + number);
            }
        }
    }

    std::mt19937 random_;
    std::string bytes_;
    std::size_t rootLength_ = 0;
    bool utf16_ = false;
    Encoding encoding_ = Encoding::kLatin1;
};

// ---- The disk ----

// Long names the disk reports for an 8.3 alias: the real kind, and what a broken or hostile
// file system could report instead.
const std::wstring kLongNames[] = {L"Daten und Texte",
                                   L"Preisliste 2004.pdf",
                                   L"Programme",
                                   L"..",
                                   L".",
                                   L"a:b",
                                   L"CON",
                                   L"nul.txt",
                                   L"..\\..\\Windows",
                                   L"",
                                   L"Ende.",
                                   L"Ende ",
                                   L"a\tb",
                                   L"x/y",
                                   std::wstring(300, L'L'),
                                   L"COM\u00B9",
                                   L"\\\\server\\share",
                                   L"C:\\Windows"};

struct Figures {
    std::size_t files = 0;
    std::size_t bytes = 0;
    std::size_t asked = 0;
    std::size_t longForms = 0;
    std::size_t handedOn = 0;
    std::size_t notTaken = 0;
    std::size_t folderTargets = 0;
    std::size_t rows = 0;
    std::size_t iconFiles = 0;
};

// Every path exists: a folder when its last name has no dot, a file otherwise. A name with "~"
// comes back in a long form chosen by the name and its place.
class EveryPathExists {
  public:
    EveryPathExists(Figures& figures, std::vector<std::string>& askedOutside)
        : figures_(figures), askedOutside_(askedOutside) {}

    ProjectLookup For(const std::wstring& root) {
        return {[this, root](const std::wstring& path) { return Find(root, path); },
                [this, root](const std::wstring& path) -> std::optional<int> {
                    Asked(root, path);
                    ++libraryCalls_;
                    if (libraryCalls_ % 3 == 0) {
                        return std::nullopt;
                    }
                    return 1 + static_cast<int>(libraryCalls_ % 40);
                }};
    }

  private:
    // The disk is asked only about names inside the project that a pick could give.
    void Asked(const std::wstring& root, const std::wstring& path) {
        ++figures_.asked;
        if (const std::string fault = Fault(root, path, false); !fault.empty()) {
            askedOutside_.push_back(fault + ": " + Escaped(path));
        }
    }

    std::optional<FoundObject> Find(const std::wstring& root, const std::wstring& path) {
        Asked(root, path);
        std::wstring found;
        std::wstring_view rest = path;
        std::wstring_view name;
        for (std::size_t place = 0;; ++place) {
            const std::size_t separator = rest.find(L'\\');
            name = rest.substr(0, separator);
            if (name.find(L'~') == std::wstring_view::npos) {
                found += name;
            } else {
                std::size_t sum = place;
                for (const wchar_t c : name) {
                    sum += static_cast<std::size_t>(c);
                }
                found += kLongNames[sum % std::size(kLongNames)];
            }
            if (separator == std::wstring_view::npos) {
                break;
            }
            found += L'\\';
            rest.remove_prefix(separator + 1);
        }
        figures_.longForms += found != path;
        return FoundObject{found, name.find(L'.') == std::wstring_view::npos};
    }

    Figures& figures_;
    std::vector<std::string>& askedOutside_;
    std::size_t libraryCalls_ = 0;
};

TEST(AutorunHostileFilesTest, NoFileHandsOnAPathAPickCouldNotGiveNorAnUnfitLine) {
    Figures figures;
    std::vector<std::string> faults;
    std::vector<std::string> askedOutside;
    EveryPathExists disk(figures, askedOutside);
    const AnsiDecoder latin1 = [](std::string_view bytes) {
        const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
        return std::wstring(first, first + bytes.size());
    };
    bool loads = false;
    const PictureLoader loadIcon = [&loads](const std::wstring&) { return loads = !loads; };

    FileGenerator generator(kSeed);
    for (int index = 0; index < kFileCount; ++index) {
        const HostileFile file = generator.Next(index);
        ++figures.files;
        figures.bytes += file.bytes.size();
        const auto bytes =
            std::span(reinterpret_cast<const unsigned char*>(file.bytes.data()), file.bytes.size());
        const AutorunSection section = ReadAutorunSection(DecodeAutorunBytes(bytes, latin1));
        const AutorunReadBack readBack = ReadBackAutorun(section, file.root, disk.For(file.root));

        ProjectSettings s;
        s.projectRoot = file.root;
        s.slots[kRootSlot] = file.root;
        const std::vector<std::wstring> notTaken = TakeReadBack(s, readBack, loadIcon);

        const auto check = [&](const char* what, std::wstring_view path, bool folder) {
            if (const std::string fault = Fault(file.root, path, folder); !fault.empty()) {
                faults.push_back("file " + std::to_string(index) + ", " + what + ": " + fault +
                                 ": " + Escaped(path));
            }
        };
        const bool folderTarget = readBack.targetType == TargetType::Folder;
        if (readBack.target) {
            check("target", *readBack.target, folderTarget);
            ++figures.handedOn;
            figures.folderTargets += folderTarget;
        }
        for (const auto& row : readBack.rows) {
            if (row) {
                check("context row", row->path, false);
                ++figures.handedOn;
                ++figures.rows;
            }
        }
        if (readBack.icon == IconReadBack::kFile) {
            check("icon file", readBack.iconFile, false);
            ++figures.handedOn;
            ++figures.iconFiles;
        }
        EXPECT_EQ(s.slots[kRootSlot], file.root);
        for (int slot = kTargetSlot; slot < kSlotCount; ++slot) {
            const std::wstring& text = s.slots[slot];
            if (text != kNotChosen && text != kDefaultIcon && text != kLibraryIcon) {
                check("slot", text, slot == kTargetSlot && s.targetType == TargetType::Folder);
            }
        }
        for (const std::wstring& label : s.labels) {
            for (const wchar_t c : label) {
                if (c < 0x20) {
                    faults.push_back("file " + std::to_string(index) +
                                     ", label with a control character: " + Escaped(label));
                    break;
                }
            }
        }
        if (FirstIncompleteContextRow(s)) {
            faults.push_back("file " + std::to_string(index) + ", a context row half taken");
        }
        for (const std::wstring& line : notTaken) {
            bool control = false;
            for (const wchar_t c : line) {
                control = control || c < 0x20;
            }
            if (control || line.size() > kLongestShownLine) {
                faults.push_back("file " + std::to_string(index) + ", line not taken " +
                                 (control ? "with a control character: " : "too long: ") +
                                 Escaped(line));
            }
        }
        figures.notTaken += notTaken.size();
    }

    for (std::size_t i = 0; i < faults.size() && i < 5; ++i) {
        ADD_FAILURE() << faults[i];
    }
    EXPECT_EQ(faults.size(), 0u);
    EXPECT_TRUE(askedOutside.empty())
        << askedOutside.size() << " questions to the disk about paths a pick could not give, "
        << "the first: " << askedOutside.front();
    // The files reach every part of the read-back, also the long forms.
    const std::pair<const char*, std::size_t> reached[] = {
        {"paths handed on", figures.handedOn},
        {"folder targets", figures.folderTargets},
        {"context rows", figures.rows},
        {"icon files", figures.iconFiles},
        {"long forms", figures.longForms}};
    for (const auto& [what, count] : reached) {
        EXPECT_GT(count, 0u) << what;
    }

    std::cout << "[ figures  ] " << figures.files << " files, " << figures.bytes << " bytes, "
              << figures.asked << " questions to the disk, " << figures.longForms
              << " long forms reported, " << figures.handedOn << " paths handed on ("
              << figures.folderTargets << " folder targets, " << figures.rows << " context rows, "
              << figures.iconFiles << " icon files), " << figures.notTaken << " lines not taken\n";
    RecordProperty("files", std::to_string(figures.files));
    RecordProperty("bytes", std::to_string(figures.bytes));
    RecordProperty("paths_handed_on", std::to_string(figures.handedOn));
    RecordProperty("lines_not_taken", std::to_string(figures.notTaken));
}

}  // namespace
}  // namespace velquor
