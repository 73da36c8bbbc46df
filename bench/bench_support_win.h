// What the benchmarks share: prompts that ask nobody, and the median with its spread.
#pragma once

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "util/prompts.h"

namespace velquor::bench {

using Steady = std::chrono::steady_clock;

inline double MillisecondsSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// Answers every message with "Nein" and picks nothing.
class SilentPrompts : public Prompts {
  public:
    int ShowMessage(const std::wstring&, MessageStyle) override { return kAnswerNo; }
    std::wstring BrowseForFolder(const std::wstring&) override { return {}; }
    std::wstring ChooseDocument(const std::wstring&, const std::wstring&) override { return {}; }
    std::wstring SaveFile(const std::wstring&, const std::wstring&, const std::wstring&) override {
        return {};
    }
    ShellResult ShellOpen(const std::wstring&, int) override { return {}; }
    std::unique_ptr<Prompts> OwnedBy(WindowHandle) override {
        return std::make_unique<SilentPrompts>();
    }
};

struct Spread {
    double median;
    double lowest;
    double highest;
};

inline Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return {(values[(n - 1) / 2] + values[n / 2]) / 2, values.front(), values.back()};
}

}  // namespace velquor::bench
