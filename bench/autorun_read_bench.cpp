// Reading back an AutoRun.Inf of the largest size Velquor reads (1 MiB): the bytes decoded,
// the [autorun] section split and the read-back judged, as after a root is picked. Two shapes:
// a file as Velquor writes it, padded with comment lines, keys and repeats of the open line,
// and one line of 1 MiB. Fifty runs of each after one warm-up; target: well under 50 ms.
// Portable: `make bench` runs the Windows build under Wine; natively, build the target
// autorun_read_bench and start bin/autorun_read_bench of the build folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "autorun/autorun_file_reader.h"
#include "autorun/autorun_read_back.h"
#include "autorun/autorun_text.h"
#include "project/project_settings.h"
#include "util/clock.h"

using namespace velquor;

namespace {

constexpr int kRuns = 50;
const std::wstring kRoot = L"C:\\Projekt\\";

class FixedClock : public Clock {
  public:
    std::wstring DateTimeText() override { return L"24.12.2024 18:00:00"; }
    std::wstring YearText() override { return L"2024"; }
};

// The ANSI code page as one byte a character; on Windows the system's code page decodes, at
// about the same cost.
std::wstring Latin1(std::string_view bytes) {
    const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
    return std::wstring(first, first + bytes.size());
}

std::string AsBytes(const std::wstring& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t c : text) {
        bytes += static_cast<char>(static_cast<unsigned>(c) <= 0xFF ? c : L'?');
    }
    return bytes;
}

std::string PaddedVelquorFile() {
    ProjectSettings s;
    s.projectRoot = kRoot;
    s.slots[kRootSlot] = kRoot;
    s.slots[kTargetSlot] = kRoot + L"Start\\Index.htm";
    for (int row = 0; row < kContextRowCount; ++row) {
        s.labels[row] = L"Handbuch " + std::to_wstring(row + 1);
        s.slots[kFirstRowSlot + row] =
            kRoot + L"Handbuch\\Teil " + std::to_wstring(row + 1) + L".pdf";
    }
    s.slots[kIconSlot] = kRoot + L"Bilder\\Disc.ico";
    FixedClock clock;
    std::wstring text = ComposeAutorunText(s, clock);
    for (int n = 0; text.size() < kLongestAutorunFile; ++n) {
        const std::wstring number = std::to_wstring(n);
        switch (n % 3) {
            case 0:
                text +=
                    L";* Anmerkung " + number + L": Dieser Abschnitt wurde von Hand ergänzt.\r\n";
                break;
            case 1:
                text +=
                    L"Eintrag" + number + L" = Orbeno.Exe \"Daten\\Datei " + number + L".txt\"\r\n";
                break;
            default:
                text += L"open = Orbeno.Exe \"Daten\\Datei " + number + L".txt\"\r\n";
        }
    }
    text.resize(kLongestAutorunFile);
    return AsBytes(text);
}

// One key of (almost) 1 MiB after the section head: the whole line is folded and kept.
std::string OneLongLine() {
    std::string bytes = "[autorun]\r\n";
    bytes += std::string(kLongestAutorunFile - bytes.size() - 4, 'k');
    return bytes + " = x";
}

struct Times {
    std::vector<double> decode, section, readBack, total;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2;
}

void Measure(const char* shape, const std::string& file) {
    const ProjectLookup lookup{
        [](const std::wstring& path) -> std::optional<FoundObject> {
            return FoundObject{path, path.find(L'.', path.rfind(L'\\')) == std::wstring::npos};
        },
        [](const std::wstring&) -> std::optional<int> { return 1; }};
    const AnsiDecoder decoder = Latin1;
    const auto bytes = std::span(reinterpret_cast<const unsigned char*>(file.data()), file.size());
    using Steady = std::chrono::steady_clock;
    const auto ms = [](Steady::time_point from, Steady::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    Times times;
    std::size_t notTaken = 0;
    for (int run = 0; run <= kRuns; ++run) {
        const auto start = Steady::now();
        const std::wstring text = DecodeAutorunBytes(bytes, decoder);
        const auto decoded = Steady::now();
        const AutorunSection section = ReadAutorunSection(text);
        const auto split = Steady::now();
        const AutorunReadBack readBack = ReadBackAutorun(section, kRoot, lookup);
        const auto judged = Steady::now();
        notTaken = readBack.notTaken.size();
        if (run == 0) {
            continue;  // the warm-up
        }
        times.decode.push_back(ms(start, decoded));
        times.section.push_back(ms(decoded, split));
        times.readBack.push_back(ms(split, judged));
        times.total.push_back(ms(start, judged));
    }
    std::printf("%s: %zu bytes, %zu lines not taken\n", shape, file.size(), notTaken);
    std::printf("  decode %.2f ms, section %.2f ms, read-back %.2f ms (medians)\n",
                Median(times.decode), Median(times.section), Median(times.readBack));
    std::printf("  whole read: median %.2f ms, longest %.2f ms of %d (target: well under 50 ms)\n",
                Median(times.total), *std::max_element(times.total.begin(), times.total.end()),
                kRuns);
}

}  // namespace

int main() {
    Measure("Velquor's file padded to 1 MiB", PaddedVelquorFile());
    Measure("one line of 1 MiB", OneLongLine());
}
