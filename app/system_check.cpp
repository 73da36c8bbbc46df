#include "app/system_check.h"

#include <string_view>

#include "util/file_name_case.h"
#include "util/text_template.h"

namespace velquor {

namespace {

// The value that counts, and the hive it comes from: HKLM's when it is there, else HKCU's.
struct EffectivePolicy {
    std::optional<std::uint32_t> value;
    const wchar_t* hive = kMachineHiveName;
};

EffectivePolicy Effective(const PolicyValue& v) {
    if (v.machine) {
        return {v.machine, kMachineHiveName};
    }
    return {v.user, kUserHiveName};
}

std::wstring Hex(std::uint32_t value) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// "D:", "D: und E:", "D:, E: und F:".
std::wstring ListDrives(const std::vector<wchar_t>& letters) {
    std::wstring list;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i > 0) {
            list += i + 1 == letters.size() ? L" und " : L", ";
        }
        list += letters[i];
        list += L':';
    }
    return list;
}

std::wstring Fill(std::wstring_view tmpl, std::wstring_view one, std::wstring_view two = {},
                  std::wstring_view three = {}) {
    return ReplaceAll(ReplaceAll(ReplaceAll(tmpl, L"%1", one), L"%2", two), L"%3", three);
}

// The CD drives whose bit NoDriveAutoRun sets, in the order of the drive list.
std::optional<SystemCheckFinding> CheckCdDriveLetters(const PolicyValue& noDriveAutoRun,
                                                      const std::vector<DriveInfo>& drives) {
    const EffectivePolicy policy = Effective(noDriveAutoRun);
    if (!policy.value) {
        return std::nullopt;
    }
    std::vector<wchar_t> letters;
    std::uint32_t bits = 0;
    for (const DriveInfo& drive : drives) {
        const wchar_t letter = FileNameUpcase(drive.letter);
        if (drive.kind != DriveKind::CdRom || letter < L'A' || letter > L'Z') {
            continue;
        }
        const std::uint32_t bit = std::uint32_t{1} << (letter - L'A');
        if ((*policy.value & bit) != 0 && (bits & bit) == 0) {
            letters.push_back(letter);
            bits |= bit;
        }
    }
    if (letters.empty()) {
        return std::nullopt;
    }
    const std::wstring_view tmpl =
        letters.size() == 1 ? kCdDriveLetterFinding : kCdDriveLettersFinding;
    return SystemCheckFinding{SystemCheckFindingKind::CdDriveLettersOff,
                              Fill(tmpl, ListDrives(letters), policy.hive, Hex(bits))};
}

}  // namespace

std::vector<SystemCheckFinding> CheckAutorunSettings(const AutorunRegistryValues& values,
                                                     const std::vector<DriveInfo>& drives) {
    using enum SystemCheckFindingKind;
    std::vector<SystemCheckFinding> findings;

    if (values.iniFileMapping && StartsWithFileName(*values.iniFileMapping, kIgnoreIniFilePrefix)) {
        findings.push_back({AutorunInfIgnored, kAutorunInfIgnoredFinding});
    }
    if (const EffectivePolicy p = Effective(values.noDriveTypeAutoRun);
        p.value && (*p.value & kCdDriveTypeBit) != 0) {
        findings.push_back({CdDriveTypeOff, Fill(kCdDriveTypeFinding, p.hive)});
    }
    if (auto finding = CheckCdDriveLetters(values.noDriveAutoRun, drives)) {
        findings.push_back(std::move(*finding));
    }
    // Only 1 stops the commands; 2 would even run them without asking.
    if (const EffectivePolicy p = Effective(values.noAutorun); p.value == 1u) {
        findings.push_back({AutorunCommandsOff, Fill(kNoAutorunFinding, p.hive)});
    }
    if (values.disableAutoplay == 1u) {
        findings.push_back({AutoplayOff, kAutoplayDisabledFinding});
    }
    if (const auto& service = values.shellHardwareDetection;
        service && (service->stopped || service->disabled)) {
        const wchar_t* state = !service->disabled ? kServiceStopped
                               : service->stopped ? kServiceStoppedAndDisabled
                                                  : kServiceDisabled;
        findings.push_back(
            {ShellHardwareDetectionOff, Fill(kShellHardwareDetectionFinding, state)});
    }
    if (values.cdromAutoRun == 0u) {
        findings.push_back({CdromDriverSilent, kCdromDriverSilentFinding});
    }
    // The user's explicit choice ("Always do this") wins over the default selection; any other
    // handler (run the program, ask every time, a third-party one) lets the disc start.
    const std::optional<std::wstring>& handler =
        values.userChosenHandler ? values.userChosenHandler : values.defaultHandler;
    // Handler names are registry key names, which Windows compares ignoring case as it does
    // file names.
    if (handler && FileNamesEqual(*handler, kTakeNoActionHandler)) {
        findings.push_back({SoftwareDiscNoAction, kTakeNoActionFinding});
    } else if (handler && FileNamesEqual(*handler, kOpenFolderHandler)) {
        findings.push_back({SoftwareDiscOpenFolder, kOpenFolderFinding});
    }
    return findings;
}

std::wstring SystemCheckMessage(const std::vector<SystemCheckFinding>& findings) {
    if (findings.empty()) {
        return kSystemCheckAllClear;
    }
    std::wstring message = kSystemCheckIntro;
    for (const SystemCheckFinding& finding : findings) {
        message += L"\r\r";
        message += finding.text;
    }
    return message;
}

}  // namespace velquor
