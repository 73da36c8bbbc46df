#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "app/path_selection.h"
#include "main_window_fixture.h"
#include "util/text_helpers.h"

namespace velquor::testing {
namespace {

class MainWindowPickingTest : public MainWindowTest {};

struct PickCase {
    const char* name;
    std::wstring root;  // as the folder browser gives it
    int button;
    bool folderMode;
    std::function<void(ScriptedPrompts&)> script;
    std::wstring expectedSlot;   // empty: the slot keeps what it held before
    std::wstring expectedLabel;  // rows only; empty: not checked
    std::wstring typedLabel;     // typed before the pick
};

TEST_F(MainWindowPickingTest, PicksThroughTheWindow) {
    const PickCase cases[] = {
        {"inside, other case", L"C:\\Projekt", kTargetPickButton, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"c:\\PROJEKT\\Info.txt"); },
         L"c:\\PROJEKT\\Info.txt", L"", L""},
        {"outside, Yes, then inside", L"C:\\Projekt", kTargetPickButton, false,
         [](ScriptedPrompts& p) {
             p.AnswerDocument(L"C:\\Projekt2\\a.txt").AnswerMessage(kAnswerYes);
             p.AnswerDocument(L"C:\\Projekt\\a.txt");
         },
         L"C:\\Projekt\\a.txt", L"", L""},
        {"outside, No", L"C:\\Projekt", kTargetPickButton, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"D:\\a.txt").AnswerMessage(kAnswerNo); }, L"",
         L"", L""},
        // The icon slot's cancel loads the earlier file again: its own test covers it.
        {"cancel", L"C:\\Projekt", 40, false, [](ScriptedPrompts& p) { p.AnswerDocument(L""); },
         L"", L"", L""},
        {"folder target is the root", L"C:\\Projekt", kTargetPickButton, true,
         [](ScriptedPrompts& p) { p.AnswerFolder(L"C:\\Projekt"); }, L"C:\\Projekt\\", L"", L""},
        {"drive root", L"D:\\", 41, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"D:\\x\\Handbuch.pdf"); },
         L"D:\\x\\Handbuch.pdf", L"Handbuch", L""},
        {"sibling with common prefix, No", L"C:\\Projekt", 40, false,
         [](ScriptedPrompts& p) {
             p.AnswerDocument(L"C:\\Projekt2\\a.txt").AnswerMessage(kAnswerNo);
         },
         L"", kNoLabel.data(), L""},
        {"label up to the first dot", L"C:\\P", 42, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"C:\\P\\Preise.2004.xls"); },
         L"C:\\P\\Preise.2004.xls", L"Preise", L""},
        {"no dot", L"C:\\P", 40, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"C:\\P\\LIESMICH"); }, L"C:\\P\\LIESMICH",
         L"LIESMICH", L"   "},
        {"leading dot", L"C:\\P", 41, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"C:\\P\\.profile"); }, L"C:\\P\\.profile", L"-",
         L""},
        {"typed label kept", L"C:\\P", 42, false,
         [](ScriptedPrompts& p) { p.AnswerDocument(L"C:\\P\\Preise.xls"); }, L"C:\\P\\Preise.xls",
         L"Unsere Preise", L"Unsere Preise"},
    };
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.Clear();
        ChooseRoot(c.root);
        const int slot = c.button == kTargetPickButton ? kTargetSlot
                         : c.button == kIconPickButton ? kIconSlot
                                                       : c.button - 38;
        // A path picked earlier, which a refusal or a cancel must keep.
        const std::wstring earlier = AddBackslash(c.root) + L"fr\u00fcher.txt";
        if (c.expectedSlot.empty()) {
            prompts.AnswerDocument(earlier);
            Click(c.button);
        }
        ClickOption(c.folderMode ? 1 : 0);
        if (!c.typedLabel.empty()) {
            TypeLabel(slot - 2, c.typedLabel);
        }
        c.script(prompts);
        Click(c.button);
        EXPECT_EQ(Slot(slot), c.expectedSlot.empty() ? earlier : c.expectedSlot);
        EXPECT_EQ(window.Settings().slots[slot], Slot(slot));
        if (!c.expectedLabel.empty()) {
            const std::wstring label = c.expectedLabel == L"-" ? L"" : c.expectedLabel;
            if (c.expectedSlot.empty()) {
                EXPECT_EQ(Label(slot - 2), DefaultLabel(earlier));
            } else {
                EXPECT_EQ(Label(slot - 2), label);
            }
        }
        for (const PromptCall& call : prompts.Messages()) {
            EXPECT_EQ(call.text, kOutsideProjectMessage);
            EXPECT_EQ(call.style, 20);
        }
        EXPECT_TRUE(prompts.AllAnswersUsed());
    }
}

}  // namespace
}  // namespace velquor::testing
