// A Prompts that answers from a script and records every call; a call the script does not
// expect fails the test. The prompts it makes for other windows share its script and record.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "util/prompts.h"

namespace velquor::testing {

enum class PromptKind { Message, Folder, Document, Shell, SaveFile };

struct PromptCall {
    PromptKind kind;
    std::wstring text;  // message text, folder prompt, initial folder, shell target, suggested path
    int style = 0;      // message style, document filter length, or shell show mode
    std::wstring filter;
    WindowHandle owner = nullptr;  // of the prompts it went through
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
    ScriptedPrompts& AnswerSaveFile(std::wstring file) {
        return Push(PromptKind::SaveFile, std::move(file));
    }
    ScriptedPrompts& ExpectShellOpen() { return Push(PromptKind::Shell, L""); }
    // The shell cannot open the next target, for this reason.
    ScriptedPrompts& FailShellOpen(std::wstring reason) {
        return Push(PromptKind::Shell, std::move(reason));
    }

    int ShowMessage(const std::wstring& text, MessageStyle style) override {
        record_->calls.push_back({PromptKind::Message, text, static_cast<int>(style), {}, owner_});
        return std::stoi(Pop(PromptKind::Message, L"1"));
    }
    std::wstring BrowseForFolder(const std::wstring& prompt) override {
        record_->calls.push_back({PromptKind::Folder, prompt, 0, {}, owner_});
        return Pop(PromptKind::Folder, L"");
    }
    std::wstring ChooseDocument(const std::wstring& initialFolder,
                                const std::wstring& filter) override {
        record_->calls.push_back({PromptKind::Document, initialFolder, 0, filter, owner_});
        return Pop(PromptKind::Document, L"");
    }
    std::wstring SaveFile(const std::wstring&, const std::wstring& suggestedPath,
                          const std::wstring& filter) override {
        record_->calls.push_back({PromptKind::SaveFile, suggestedPath, 0, filter, owner_});
        return Pop(PromptKind::SaveFile, L"");
    }
    ShellResult ShellOpen(const std::wstring& target, int showMode) override {
        record_->calls.push_back({PromptKind::Shell, target, showMode, {}, owner_});
        std::wstring reason = Pop(PromptKind::Shell, L"");
        return {reason.empty(), std::move(reason)};
    }
    std::unique_ptr<Prompts> OwnedBy(WindowHandle window) override {
        auto owned = std::make_unique<ScriptedPrompts>(*this);
        owned->owner_ = window;
        return owned;
    }

    const std::vector<PromptCall>& Calls() const { return record_->calls; }
    std::vector<PromptCall> Messages() const {
        std::vector<PromptCall> result;
        for (const PromptCall& c : record_->calls) {
            if (c.kind == PromptKind::Message) {
                result.push_back(c);
            }
        }
        return result;
    }
    bool AllAnswersUsed() const { return record_->script.empty(); }
    void Clear() {
        record_->calls.clear();
        record_->script.clear();
    }

  private:
    struct Answer {
        PromptKind kind;
        std::wstring value;
    };

    ScriptedPrompts& Push(PromptKind kind, std::wstring value) {
        record_->script.push_back({kind, std::move(value)});
        return *this;
    }

    std::wstring Pop(PromptKind kind, const std::wstring& fallback) {
        if (record_->script.empty() || record_->script.front().kind != kind) {
            ADD_FAILURE() << "unexpected prompt of kind " << static_cast<int>(kind);
            return fallback;
        }
        std::wstring value = std::move(record_->script.front().value);
        record_->script.pop_front();
        return value;
    }

    struct Record {
        std::deque<Answer> script;
        std::vector<PromptCall> calls;
    };
    std::shared_ptr<Record> record_ = std::make_shared<Record>();
    WindowHandle owner_ = nullptr;
};

}  // namespace velquor::testing
