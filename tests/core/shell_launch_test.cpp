#include "util/shell_launch.h"

#include <gtest/gtest.h>

#include "support/scripted_prompts.h"

namespace velquor {
namespace {

using testing::PromptKind;
using testing::ScriptedPrompts;

TEST(ShellLaunchTest, AnOpenedTargetIsNotReported) {
    ScriptedPrompts prompts;
    prompts.ExpectShellOpen();
    EXPECT_TRUE(ShellOpen(prompts, L"C:\\Hilfe\\index.htm", kShowNormal));
    ASSERT_EQ(prompts.Calls().size(), 1u);
    EXPECT_EQ(prompts.Calls()[0].text, L"C:\\Hilfe\\index.htm");
    EXPECT_EQ(prompts.Calls()[0].style, 0);
}

TEST(ShellLaunchTest, ATargetTheShellCannotOpenIsNamedWithTheReason) {
    ScriptedPrompts prompts;
    prompts.FailShellOpen(L"Keine Anwendung ist zugeordnet. (Code 1155)").AnswerMessage(kAnswerOk);
    // Backslashes and placeholders in the target and the reason stay as they are.
    EXPECT_FALSE(ShellOpen(prompts, L"C:\\%g%\\new\\x.htm", kShowNormal));
    const auto messages = prompts.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              L"Windows konnte das folgende Ziel nicht öffnen:\r\r    C:\\%g%\\new\\x.htm\r\rEs "
              L"kam dabei zu folgendem Fehler:\r\r    Keine Anwendung ist zugeordnet. (Code 1155)");
    EXPECT_EQ(messages[0].style, static_cast<int>(MessageStyle::Critical));
}

TEST(ShellLaunchTest, TheMakersSiteOpensMaximised) {
    ScriptedPrompts prompts;
    prompts.ExpectShellOpen();
    EXPECT_TRUE(OpenMakerSite(prompts));
    ASSERT_EQ(prompts.Calls().size(), 1u);
    EXPECT_EQ(prompts.Calls()[0].kind, PromptKind::Shell);
    EXPECT_EQ(prompts.Calls()[0].text, L"www.morvane.example");
    EXPECT_EQ(prompts.Calls()[0].style, 3);
}

}  // namespace
}  // namespace velquor
