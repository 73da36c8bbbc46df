// Prints the upper-case mapping that Windows uses when it compares file names, as the
// range table of util/file_name_case.cpp. Build with MinGW and run under Windows or Wine:
//   x86_64-w64-mingw32-g++-posix -O2 -static gen_upcase_table_win.cpp -o gen.exe && wine gen.exe
#include <windows.h>

#include <cstdio>
#include <vector>

using Upcase = WCHAR(WINAPI*)(WCHAR);

int main() {
    auto upcase = reinterpret_cast<Upcase>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar"));
    if (upcase == nullptr) {
        return 1;
    }
    struct Run {
        unsigned first, count;
        int delta;
        unsigned step;
    };
    std::vector<Run> runs;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        const int delta = static_cast<int>(upcase(static_cast<WCHAR>(c))) - static_cast<int>(c);
        if (delta == 0) {
            continue;
        }
        if (!runs.empty()) {
            Run& r = runs.back();
            const unsigned next = r.first + r.count * r.step;
            if (r.delta == delta && c == next) {
                ++r.count;
                continue;
            }
            if (r.delta == delta && r.count == 1 && c == r.first + 2) {
                r.step = 2;
                ++r.count;
                continue;
            }
        }
        runs.push_back({c, 1, delta, 1});
    }
    for (const Run& r : runs) {
        std::printf("    {0x%04X, %u, %d, %u},\n", r.first, r.count, r.delta, r.step);
    }
    return 0;
}
