#include "file_name_case.h"

#include <algorithm>
#include <iterator>

namespace velquor {

namespace {

// Runs of characters that share one offset to their upper-case form; `step` 2 covers the
// alternating lower/upper pairs of the Latin and Cyrillic blocks. Made by
// tools/gen_upcase_table_win.cpp from the platform's table.
struct UpcaseRun {
    unsigned first;
    unsigned count;
    int delta;
    unsigned step;
};

constexpr UpcaseRun kUpcaseRuns[] = {
    {0x0061, 26, -32, 1},   {0x00E0, 23, -32, 1},  {0x00F8, 7, -32, 1},     {0x00FF, 1, 121, 1},
    {0x0101, 24, -1, 2},    {0x0133, 3, -1, 2},    {0x013A, 8, -1, 2},      {0x014B, 23, -1, 2},
    {0x017A, 3, -1, 2},     {0x0180, 1, 195, 1},   {0x0183, 2, -1, 2},      {0x0188, 1, -1, 1},
    {0x018C, 1, -1, 1},     {0x0192, 1, -1, 1},    {0x0195, 1, 97, 1},      {0x0199, 1, -1, 1},
    {0x019A, 1, 163, 1},    {0x019E, 1, 130, 1},   {0x01A1, 3, -1, 2},      {0x01A8, 1, -1, 1},
    {0x01AD, 1, -1, 1},     {0x01B0, 1, -1, 1},    {0x01B4, 2, -1, 2},      {0x01B9, 1, -1, 1},
    {0x01BD, 1, -1, 1},     {0x01BF, 1, 56, 1},    {0x01C6, 1, -2, 1},      {0x01C9, 1, -2, 1},
    {0x01CC, 1, -2, 1},     {0x01CE, 8, -1, 2},    {0x01DD, 1, -79, 1},     {0x01DF, 9, -1, 2},
    {0x01F3, 1, -2, 1},     {0x01F5, 1, -1, 1},    {0x01F9, 20, -1, 2},     {0x0223, 9, -1, 2},
    {0x023C, 1, -1, 1},     {0x023F, 2, 10815, 1}, {0x0242, 1, -1, 1},      {0x0247, 5, -1, 2},
    {0x0250, 1, 10783, 1},  {0x0251, 1, 10780, 1}, {0x0252, 1, 10782, 1},   {0x0253, 1, -210, 1},
    {0x0254, 1, -206, 1},   {0x0256, 2, -205, 1},  {0x0259, 1, -202, 1},    {0x025B, 1, -203, 1},
    {0x025C, 1, 42319, 1},  {0x0260, 1, -205, 1},  {0x0261, 1, 42315, 1},   {0x0263, 1, -207, 1},
    {0x0265, 1, 42280, 1},  {0x0266, 1, 42308, 1}, {0x0268, 1, -209, 1},    {0x0269, 1, -211, 1},
    {0x026A, 1, 42308, 1},  {0x026B, 1, 10743, 1}, {0x026C, 1, 42305, 1},   {0x026F, 1, -211, 1},
    {0x0271, 1, 10749, 1},  {0x0272, 1, -213, 1},  {0x0275, 1, -214, 1},    {0x027D, 1, 10727, 1},
    {0x0280, 1, -218, 1},   {0x0282, 1, 42307, 1}, {0x0283, 1, -218, 1},    {0x0287, 1, 42282, 1},
    {0x0288, 1, -218, 1},   {0x0289, 1, -69, 1},   {0x028A, 2, -217, 1},    {0x028C, 1, -71, 1},
    {0x0292, 1, -219, 1},   {0x029D, 1, 42261, 1}, {0x029E, 1, 42258, 1},   {0x0371, 2, -1, 2},
    {0x0377, 1, -1, 1},     {0x037B, 3, 130, 1},   {0x03AC, 1, -38, 1},     {0x03AD, 3, -37, 1},
    {0x03B1, 17, -32, 1},   {0x03C3, 9, -32, 1},   {0x03CC, 1, -64, 1},     {0x03CD, 2, -63, 1},
    {0x03D7, 1, -8, 1},     {0x03D9, 12, -1, 2},   {0x03F2, 1, 7, 1},       {0x03F3, 1, -116, 1},
    {0x03F8, 1, -1, 1},     {0x03FB, 1, -1, 1},    {0x0430, 32, -32, 1},    {0x0450, 16, -80, 1},
    {0x0461, 17, -1, 2},    {0x048B, 27, -1, 2},   {0x04C2, 7, -1, 2},      {0x04CF, 1, -15, 1},
    {0x04D1, 48, -1, 2},    {0x0561, 38, -48, 1},  {0x10D0, 43, 3008, 1},   {0x10FD, 3, 3008, 1},
    {0x13F8, 6, -8, 1},     {0x1D79, 1, 35332, 1}, {0x1D7D, 1, 3814, 1},    {0x1D8E, 1, 35384, 1},
    {0x1E01, 75, -1, 2},    {0x1EA1, 48, -1, 2},   {0x1F00, 8, 8, 1},       {0x1F10, 6, 8, 1},
    {0x1F20, 8, 8, 1},      {0x1F30, 8, 8, 1},     {0x1F40, 6, 8, 1},       {0x1F51, 4, 8, 2},
    {0x1F60, 8, 8, 1},      {0x1F70, 2, 74, 1},    {0x1F72, 4, 86, 1},      {0x1F76, 2, 100, 1},
    {0x1F78, 2, 128, 1},    {0x1F7A, 2, 112, 1},   {0x1F7C, 2, 126, 1},     {0x1F80, 8, 8, 1},
    {0x1F90, 8, 8, 1},      {0x1FA0, 8, 8, 1},     {0x1FB0, 2, 8, 1},       {0x1FB3, 1, 9, 1},
    {0x1FC3, 1, 9, 1},      {0x1FD0, 2, 8, 1},     {0x1FE0, 2, 8, 1},       {0x1FE5, 1, 7, 1},
    {0x1FF3, 1, 9, 1},      {0x214E, 1, -28, 1},   {0x2170, 16, -16, 1},    {0x2184, 1, -1, 1},
    {0x24D0, 26, -26, 1},   {0x2C30, 48, -48, 1},  {0x2C61, 1, -1, 1},      {0x2C65, 1, -10795, 1},
    {0x2C66, 1, -10792, 1}, {0x2C68, 3, -1, 2},    {0x2C73, 1, -1, 1},      {0x2C76, 1, -1, 1},
    {0x2C81, 50, -1, 2},    {0x2CEC, 2, -1, 2},    {0x2CF3, 1, -1, 1},      {0x2D00, 38, -7264, 1},
    {0x2D27, 1, -7264, 1},  {0x2D2D, 1, -7264, 1}, {0xA641, 23, -1, 2},     {0xA681, 14, -1, 2},
    {0xA723, 7, -1, 2},     {0xA733, 31, -1, 2},   {0xA77A, 2, -1, 2},      {0xA77F, 5, -1, 2},
    {0xA78C, 1, -1, 1},     {0xA791, 2, -1, 2},    {0xA794, 1, 48, 1},      {0xA797, 10, -1, 2},
    {0xA7B5, 8, -1, 2},     {0xA7C8, 2, -1, 2},    {0xA7D1, 1, -1, 1},      {0xA7D7, 2, -1, 2},
    {0xA7F6, 1, -1, 1},     {0xAB53, 1, -928, 1},  {0xAB70, 80, -38864, 1}, {0xFF41, 26, -32, 1},
};

}  // namespace

wchar_t FileNameUpcase(wchar_t c) {
    const unsigned code = static_cast<unsigned>(c);
    if (code > 0xFFFF) {
        return c;
    }
    // The last run that starts at or before the character is the only one that can hold it.
    const auto after =
        std::upper_bound(std::begin(kUpcaseRuns), std::end(kUpcaseRuns), code,
                         [](unsigned value, const UpcaseRun& run) { return value < run.first; });
    if (after == std::begin(kUpcaseRuns)) {
        return c;
    }
    const UpcaseRun& run = *std::prev(after);
    const unsigned offset = code - run.first;
    if (offset % run.step != 0 || offset / run.step >= run.count) {
        return c;
    }
    return static_cast<wchar_t>(static_cast<int>(code) + run.delta);
}

bool FileNamesEqual(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FileNameUpcase(x) == FileNameUpcase(y); });
}

bool StartsWithFileName(std::wstring_view path, std::wstring_view prefix) {
    return path.size() >= prefix.size() && FileNamesEqual(path.substr(0, prefix.size()), prefix);
}

}  // namespace velquor
