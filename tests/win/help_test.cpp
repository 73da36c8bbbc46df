// Finding the help pages beside the program and handing them to the browser.
#include "util/help.h"

#include <gtest/gtest.h>

#include "support/scripted_prompts.h"
#include "support/temp_folder_win.h"
#include "util/file_services.h"

namespace velquor {
namespace {

using testing::PromptKind;
using testing::ScriptedPrompts;
using testing::TempFolder;

const wchar_t* const kHelpNames[] = {L"index.htm",        L"index.html",       L"hilfe.htm",
                                     L"hilfe.html",       L"hilfe\\index.htm", L"hilfe\\index.html",
                                     L"hilfe\\hilfe.htm", L"hilfe\\hilfe.html"};

void Place(const TempFolder& folder, const std::wstring& name) {
    CreateDirectoryW((folder / L"hilfe").c_str(), nullptr);
    testing::WriteBytes(folder / name, "<!DOCTYPE html>");
}

TEST(FindHelpFileTest, EachOfTheEightPlacesIsFoundAndTheEarlierOneWins) {
    for (int only = 0; only < 8; ++only) {
        TempFolder folder;
        Place(folder, kHelpNames[only]);
        EXPECT_EQ(FindHelpFile(folder.Path()), folder / kHelpNames[only]);
    }
    // All eight present: removing the winner each time gives the next one in order.
    TempFolder folder;
    for (const wchar_t* name : kHelpNames) {
        Place(folder, name);
    }
    for (int winner = 0; winner < 8; ++winner) {
        EXPECT_EQ(FindHelpFile(folder.Path()), folder / kHelpNames[winner]);
        ASSERT_TRUE(DeleteFileW((folder / kHelpNames[winner]).c_str()));
    }
    EXPECT_EQ(FindHelpFile(folder.Path()), L"");
}

TEST(FindHelpFileTest, OnlyPlainFilesCount) {
    TempFolder folder;
    Place(folder, L"index.htm");
    SetFileAttributesW((folder / L"index.htm").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Place(folder, L"index.html");
    SetFileAttributesW((folder / L"index.html").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(CreateDirectoryW((folder / L"hilfe.htm").c_str(), nullptr));
    Place(folder, L"hilfe\\index.html");
    EXPECT_EQ(FindHelpFile(folder.Path()), folder / L"hilfe\\index.html");
}

struct ShowHelpCase {
    const char* name;
    bool pagePresent;
    bool announce;
    bool shellOpens;
    const wchar_t* expectedMessage;  // or null
};

TEST(ShowHelpTest, OpensTheFirstPageAndSaysOnlyWhatHappened) {
    const ShowHelpCase cases[] = {
        {"none, quiet", false, false, true, kHelpMissingMessage},
        {"none, announced", false, true, true, kHelpMissingMessage},
        {"found, quiet", true, false, true, nullptr},
        {"found, announced", true, true, true, kHelpSentMessage},
        // No browser: the failure is told, and nothing is announced as sent.
        {"no browser, announced", true, true, false, nullptr},
    };
    for (const ShowHelpCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.pagePresent) {
            Place(folder, L"hilfe\\index.htm");
        }
        ScriptedPrompts prompts;
        if (c.pagePresent) {
            c.shellOpens ? prompts.ExpectShellOpen() : prompts.FailShellOpen(L"kein Browser");
        }
        if (c.expectedMessage || !c.shellOpens) {
            prompts.AnswerMessage(kAnswerOk);
        }
        ShowHelp(L"", c.announce, folder.Path(), prompts);

        EXPECT_TRUE(prompts.AllAnswersUsed());
        if (c.pagePresent) {
            ASSERT_FALSE(prompts.Calls().empty());
            EXPECT_EQ(prompts.Calls()[0].kind, PromptKind::Shell);
            EXPECT_EQ(prompts.Calls()[0].text, folder / L"hilfe\\index.htm");
            EXPECT_EQ(prompts.Calls()[0].style, 0);
        }
        const auto messages = prompts.Messages();
        ASSERT_EQ(messages.size(), c.expectedMessage || !c.shellOpens ? 1u : 0u);
        if (c.expectedMessage) {
            EXPECT_EQ(messages[0].text, c.expectedMessage);
            EXPECT_EQ(messages[0].style, static_cast<int>(MessageStyle::Information));
        } else if (!messages.empty()) {
            EXPECT_NE(messages[0].text.find(L"kein Browser"), std::wstring::npos);
        }
    }
}

TEST(ShowHelpTest, AGivenPageIsOpenedWhenItExistsAndSearchedForOtherwise) {
    TempFolder folder;
    Place(folder, L"index.htm");
    Place(folder, L"eigene.htm");
    for (const auto& [given, opened] : {std::pair{folder / L"eigene.htm", folder / L"eigene.htm"},
                                        std::pair{folder / L"fehlt.htm", folder / L"index.htm"}}) {
        ScriptedPrompts prompts;
        prompts.ExpectShellOpen();
        ShowHelp(given, false, folder.Path(), prompts);
        ASSERT_EQ(prompts.Calls().size(), 1u);
        EXPECT_EQ(prompts.Calls()[0].text, opened);
    }
}

}  // namespace
}  // namespace velquor
