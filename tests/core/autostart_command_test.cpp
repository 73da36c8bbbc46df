#include "app/autostart_test.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

// The program a disc's command line runs, taken from the project root as Windows takes it from
// the disc's root; the command line itself always stays whole.
TEST(AutostartCommandTest, TheFirstTokenIsTheProgramTakenFromTheRoot) {
    const struct {
        const wchar_t* line;
        const wchar_t* program;
    } kRows[] = {
        {L"Orbeno.Exe \"Start\\Index.htm\"", L"C:\\P\\Orbeno.Exe"},
        {L"Orbeno.Exe", L"C:\\P\\Orbeno.Exe"},
        {L"  Orbeno.Exe\t\"x\"", L"C:\\P\\Orbeno.Exe"},
        {L"\"Mein Start\\Start Hier.exe\" /a b", L"C:\\P\\Mein Start\\Start Hier.exe"},
        {L"\"offen bis zum Ende.exe", L"C:\\P\\offen bis zum Ende.exe"},
        {L"\\Setup\\setup.exe /s", L"C:\\P\\Setup\\setup.exe"},
        {L"setup /s", L"C:\\P\\setup.exe"},
        {L"Daten.1\\start", L"C:\\P\\Daten.1\\start.exe"},
        {L"C:\\Windows\\notepad.exe liesmich.txt", L"C:\\Windows\\notepad.exe"},
        {L"\\\\server\\freigabe\\a.exe", L"\\\\server\\freigabe\\a.exe"},
        {L"\"\" x", L""},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.line);
        const AutostartCommand command = ResolveAutostartCommand(row.line, L"C:\\P\\");
        EXPECT_EQ(command.program, row.program);
        EXPECT_EQ(command.commandLine, row.line);
    }
}

}  // namespace
}  // namespace velquor
