// Who makes Velquor and where to reach them: the header of every autorun file, the about box
// and the logo link use these.
#pragma once

namespace velquor {

inline constexpr wchar_t kProductName[] = L"Velquor";
inline constexpr wchar_t kMakerName[] = L"Morvane";
inline constexpr wchar_t kMakerSite[] = L"www.morvane.example";
inline constexpr wchar_t kSupportMail[] = L"support@morvane.example";
inline constexpr wchar_t kAuthorName[] = L"Jonas Albrecht";

// The tooltip of the maker's logo, in the main window and in the about box alike.
inline constexpr wchar_t kMakerLogoTip[] =
    L"Klicken Sie hier, um noch mehr interessante Morvane-Programme kennenzulernen ...";

}  // namespace velquor
