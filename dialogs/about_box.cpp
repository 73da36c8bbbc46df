#include "dialogs/about_box.h"

#include <iterator>

#include "util/maker.h"
#include "util/text_template.h"

namespace velquor {
namespace {

constexpr wchar_t kLineBreak[] = L"\r";
constexpr wchar_t kUpdateTemplate[] = L"/?find_update&app=%1&ver=%2&win=%3";

std::wstring Maker() {
    return kMakerName;
}

// Web addresses are ASCII: only A-Z change.
std::wstring AsciiLowerCase(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return text;
}

// "Velquor (V1.7)": the version as the user sees it, revisions as a letter.
std::wstring ProductWithVersion(const ProgramVersion& version) {
    return kProductName + ProgramVersionText(kVersionInBrackets | kRevisionAsLetter, version);
}

std::vector<AboutControl> MakeControls() {
    // The buttons share one row under the divider; the update button's long caption takes two
    // lines.
    constexpr int kButtonTop = 4305;
    constexpr int kButtonHeight = 495;
    return {
        {kAboutLogoId, AboutControlKind::LogoStrip, L"", {60, 120, 975, 4635}, kMakerLogoTip},
        {kAboutTextId, AboutControlKind::AboutText, L"", {1140, 120, 8115, 3975}, L""},
        {kAboutDividerId, AboutControlKind::Divider, L"", {1140, 4200, 8160, 0}, L""},
        {kVisitMakerButtonId,
         AboutControlKind::Button,
         Maker() + L" besuchen",
         {1140, kButtonTop, 1605, kButtonHeight},
         L"... startet Ihren Internet-Browser mit dem Ziel " + std::wstring(kMakerSite)},
        {kSearchUpdateButtonId,
         AboutControlKind::Button,
         L"Auf " + Maker() + L" nach neuer &Version dieser Software suchen",
         {2805, kButtonTop, 2850, kButtonHeight},
         L""},
        {kWriteMailButtonId,
         AboutControlKind::Button,
         L"&E-Mail an " + Maker() + L" schreiben",
         {5715, kButtonTop, 2400, kButtonHeight},
         L""},
        {kCloseAboutButtonId,
         AboutControlKind::Button,
         L"&Schliessen",
         {8175, kButtonTop, 1125, kButtonHeight},
         L"... bringt Sie zurück zum Programm"},
    };
}

}  // namespace

const std::vector<AboutControl>& AboutBoxControls() {
    static const std::vector<AboutControl> controls = MakeControls();
    return controls;
}

std::wstring AboutBoxTitle() {
    return kProductName + std::wstring(L" - Info");
}

std::wstring AboutBoxText(const ProgramVersion& version, std::wstring_view year) {
    const std::wstring lines[] = {
        ProductWithVersion(version) + L" \u2013 macht Autostart-CDs 100% startklar",
        L"",
        L"Copyright \u00a9 " + Maker() + L" und " + kAuthorName +
            L". Alle Rechte vorbehalten. 1995 - " + std::wstring(year),
        L"",
        kProductName +
            std::wstring(L" gehört zu einer ganzen Serie von nützlichen, kleinen Helfern im "
                         L"PC-Alltag. Interesse? Weitere Infos gibt es im Internet unter ") +
            kMakerSite +
            L". Mit einem Klick auf den Taster links unten können Sie sich direkt verbinden "
            L"lassen ...",
    };
    std::wstring text = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i) {
        text += kLineBreak + lines[i];
    }
    return text;
}

std::wstring UpdateAddress(const ProgramVersion& version, std::wstring_view osVersionText) {
    const std::wstring address = FormatText(
        kMakerSite + std::wstring(kUpdateTemplate),
        {kProductName, ProgramVersionText(kVersionAlone, version), std::wstring(osVersionText)});
    return AsciiLowerCase(address);
}

std::wstring SupportMailAddress(const ProgramVersion& version, std::wstring_view osVersionText) {
    // The subject goes unencoded: mail programs take its blanks and capitals as they are.
    return L"mailto:" + std::wstring(kSupportMail) + L"?subject=Ihre Software " +
           ProductWithVersion(version) + L" unter Windows " + std::wstring(osVersionText);
}

Point AboutBoxOrigin(Size screen, PixelRect workArea, Size box) {
    if (screen.width > 640 && screen.height > 480) {
        return CentredOrigin(workArea, box);
    }
    return {workArea.left, workArea.top};
}

}  // namespace velquor
