// TEMP stub until the system-check branch is merged
#pragma once
#include <string>
namespace velquor { inline std::wstring CheckThisComputer() { return L"Alle Einstellungen sind korrekt ..."; } }
