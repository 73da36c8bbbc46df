// A Prompts that answers from a script and records every call; a call the script does not
// expect fails the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "util/prompts.h"

namespace velquor::testing {

enum class PromptKind { Message, Folder, Document, Shell };

struct PromptCall {
    PromptKind kind;
    std::wstring text;  // message text, folder prompt, initial folder or shell target
    int style = 0;      // message style, document filter length, or shell show mode
    std::wstring filter;
};

class ScriptedPrompts : public Prompts {
  public:
    // Queue the next answers, in the order the flow will ask.
    ScriptedPrompts& AnswerMessage(int answer) {
        return Push(PromptKind::Message, std::to_wstring(answer));
    }
    ScriptedPrompts& AnswerFolder(std::wstring folder) {
        return Push(PromptKind::Folder, std::move(folder));
    }
    ScriptedPrompts& AnswerDocument(std::wstring file) {
        return Push(PromptKind::Document, std::move(file));
    }
    ScriptedPrompts& ExpectShellOpen() { return Push(PromptKind::Shell, L""); }
    // The shell cannot open the next target, for this reason.
    ScriptedPrompts& FailShellOpen(std::wstring reason) {
        return Push(PromptKind::Shell, std::move(reason));
    }

    int ShowMessage(const std::wstring& text, MessageStyle style) override {
        calls_.push_back({PromptKind::Message, text, static_cast<int>(style), {}});
        return std::stoi(Pop(PromptKind::Message, L"1"));
    }
    std::wstring BrowseForFolder(const std::wstring& prompt) override {
        calls_.push_back({PromptKind::Folder, prompt, 0, {}});
        return Pop(PromptKind::Folder, L"");
    }
    std::wstring ChooseDocument(const std::wstring& initialFolder,
                                const std::wstring& filter) override {
        calls_.push_back({PromptKind::Document, initialFolder, 0, filter});
        return Pop(PromptKind::Document, L"");
    }
    ShellResult ShellOpen(const std::wstring& target, int showMode) override {
        calls_.push_back({PromptKind::Shell, target, showMode, {}});
        std::wstring reason = Pop(PromptKind::Shell, L"");
        return {reason.empty(), std::move(reason)};
    }

    const std::vector<PromptCall>& Calls() const { return calls_; }
    std::vector<PromptCall> Messages() const {
        std::vector<PromptCall> result;
        for (const PromptCall& c : calls_) {
            if (c.kind == PromptKind::Message) {
                result.push_back(c);
            }
        }
        return result;
    }
    bool AllAnswersUsed() const { return script_.empty(); }
    void Clear() {
        calls_.clear();
        script_.clear();
    }

  private:
    struct Answer {
        PromptKind kind;
        std::wstring value;
    };

    ScriptedPrompts& Push(PromptKind kind, std::wstring value) {
        script_.push_back({kind, std::move(value)});
        return *this;
    }

    std::wstring Pop(PromptKind kind, const std::wstring& fallback) {
        if (script_.empty() || script_.front().kind != kind) {
            ADD_FAILURE() << "unexpected prompt of kind " << static_cast<int>(kind);
            return fallback;
        }
        std::wstring value = std::move(script_.front().value);
        script_.pop_front();
        return value;
    }

    std::deque<Answer> script_;
    std::vector<PromptCall> calls_;
};

}  // namespace velquor::testing
