// What the operating system lends the module: who and where it runs, regional settings,
// locale text comparison and the clock. Windows and POSIX implementations are chosen at build
// time; regional settings and the clock can be replaced in tests.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interfaces/OrvoTypes.h"

namespace orvo::platform {

// A C++ runtime library as the loader bound it. Its size tells two copies apart when neither
// carries a version record.
struct TRuntimeFile {
    std::string Path;
    std::string Version;  // "1.2.3.4" from the version record (Windows) or the file name (ELF); may be empty
    uint64_t Size = 0;    // bytes
};

// Identity of the running process and of the module file, as written into log names and headers.
struct TProcessIdentity {
    std::string ModulePath;       // full path of the module's own file
    std::string HostProgramPath;  // full path of the program that loaded it
    std::string ComputerName;
    std::string UserName;
    std::string OperatingSystem;  // name and version
    uint32_t ProcessId = 0;
    std::string HostProgramVersion;  // file version ("1.2.3.4"), empty when the program carries none
    std::string ModuleVersion;
    // The C++ runtime the module's code is bound to: libstdc++, libgcc and winpthread on
    // Windows, libstdc++ on Linux.
    std::vector<TRuntimeFile> RuntimeFiles;
    // The compiler whose C++ runtime is linked into the module ("GCC 12.2.0") when it binds none
    // of those libraries, as the shipped Windows module does; empty otherwise.
    std::string BuiltInRuntime;
};
TProcessIdentity ReadProcessIdentity();

// The file version of an executable or library ("1.2.3.4"), empty when it carries none.
std::string FileVersionOf(const std::string& path);

// Path separator of the platform, for folder names with a trailing separator.
inline constexpr char kPathSeparator =
#if defined(_WIN32)
    '\\';
#else
    '/';
#endif

// Each character of the code page in lower case as far as ASCII goes: the case rules of a
// locale that says nothing beyond it.
constexpr std::array<char, 256> AsciiLowerCase() {
    std::array<char, 256> lower{};
    for (int c = 0; c < 256; ++c) lower[size_t(c)] = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
}

// Number, money and date formats of the user's regional settings, their texts in the module's
// code page. The two format codes follow the Windows locale values: CurrencyFormat 0 "R1",
// 1 "1R", 2 "R 1", 3 "1 R"; NegCurrFormat 0..15 as LOCALE_INEGCURR. Money and numbers share one
// pair of separators and one grouping, the number ones (LOCALE_SDECIMAL, LOCALE_STHOUSAND and
// LOCALE_SGROUPING; RADIXCHAR, THOUSEP and GROUPING), so an amount never mixes two pairs and
// reads back as it was typed.
struct TRegionalSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';  // '\0' for none
    // Sizes of the digit groups of money amounts from the decimal separator leftwards, the last
    // one repeating; empty for no grouping. A size of 127 leaves the digits beyond it in one group.
    std::string Grouping = "\3";
    std::string CurrencyString = "R";
    uint8_t CurrencyFormat = 0;
    uint8_t NegCurrFormat = 1;
    uint8_t CurrencyDecimals = 2;                // 0 to 9
    std::string ShortDateFormat = "yyyy/mm/dd";  // letters y, m, d; any other character literal
    char DateSeparator = '/';
    char TimeSeparator = ':';
    // Each code page character in lower case under the locale's rules, for CompareTextByTable
    // (Windows compares with the system's own rules while it can).
    std::array<char, 256> LowerCase = AsciiLowerCase();

    bool operator==(const TRegionalSettings&) const = default;
};

// The settings in force: read from the operating system on first use unless replaced.
const TRegionalSettings& Regional();
// Replaces the settings in force (tests, and hosts that impose their own).
void SetRegional(const TRegionalSettings& settings);
// The user's settings as the operating system holds them now: the user's locale values on
// Windows; the locale that the environment names (LC_ALL, LC_MONETARY, LC_NUMERIC, LC_TIME,
// LC_CTYPE, LANG) on POSIX, where what a locale leaves unsaid keeps the values above.
TRegionalSettings ReadRegionalSettings();

#if !defined(_WIN32)
// Text typed at the terminal or given on the command line, in the character set the environment's
// locale names (LC_ALL, LC_CTYPE, LANG; UTF-8 where that is the C locale), in the module's code
// page. Nothing when it holds a character that the code page lacks, or bytes that are no character.
std::optional<std::string> CodePageFromTerminalText(std::string_view text);
#endif

// Case-insensitive comparison under the user's locale: <0, 0 or >0.
int CompareTextLocale(std::string_view a, std::string_view b);
// The same by the regional record's lower-case table: CompareTextLocale on POSIX, and on Windows
// when the system cannot compare.
int CompareTextByTable(std::string_view a, std::string_view b);
inline bool SameTextLocale(std::string_view a, std::string_view b) { return CompareTextLocale(a, b) == 0; }

// The workstation's local date and time, with milliseconds.
TDateTime Now();
// Replaces the clock; an empty function restores the system clock.
void SetClock(std::function<TDateTime()> clock);

}  // namespace orvo::platform
