// POSIX side of the platform seams (the native build).
#include <dlfcn.h>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <exception>
#include <optional>

#include "platform/CodePage.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"

namespace orvo::platform {
namespace {
// Any symbol of this library locates its file for dladdr.
void ModuleAnchor() {}

// The libstdc++ the module is bound to: the object holding std::terminate as the module's own
// code reaches it. ELF libraries carry their version in the file name (libstdc++.so.6.0.30).
std::vector<TRuntimeFile> BoundRuntimeFiles() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&std::terminate), &info) || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    TRuntimeFile file;
    file.Path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    const size_t soVersion = file.Path.rfind(".so.");
    if (soVersion != std::string::npos) file.Version = file.Path.substr(soVersion + 4);
    struct stat status {};
    if (stat(file.Path.c_str(), &status) == 0) file.Size = uint64_t(status.st_size);
    return {file};
}

std::string ExecutablePath() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

// Text in a locale's character set, in the module's code page. Characters that the code page
// lacks, and bytes that are no character, become "?"; when strict they leave nothing instead.
std::optional<std::string> CodePageText(std::string_view text, locale_t locale, bool strict) {
    std::string out;
    const locale_t previous = uselocale(locale);
    std::mbstate_t state{};
    bool whole = true;
    for (const char* p = text.data(); whole && p != text.data() + text.size();) {
        const size_t left = size_t(text.data() + text.size() - p);
        wchar_t wide = 0;
        const size_t used = std::mbrtowc(&wide, p, left, &state);
        if (used == 0 || used > left) {  // a NUL, or no character
            out += '?';
            whole = !strict;
            state = {};
            ++p;
            continue;
        }
        out += AnsiFromCodePoint(uint32_t(wide));
        whole = !strict || out.back() != '?' || wide == L'?';
        p += used;
    }
    uselocale(previous);
    if (!whole) return std::nullopt;
    return out;
}

// A string the locale gives, in the module's code page.
std::string CodePageText(const char* text, locale_t locale) {
    return text ? *CodePageText(text, locale, false) : std::string();
}

// POSIX grouping ("\3\3", "\3\2", "\377") as group sizes: up to its end (the last size
// repeating) or a CHAR_MAX, which leaves the rest in one group. A first size of 0 or CHAR_MAX
// means no grouping.
std::string GroupSizes(const char* grouping) {
    std::string sizes;
    for (; grouping && *grouping; ++grouping) {
        const int size = static_cast<signed char>(*grouping);
        if (size <= 0 || size >= CHAR_MAX) {
            if (!sizes.empty()) sizes += char(CHAR_MAX);
            break;
        }
        sizes += char(size);
    }
    return sizes;
}

// The Windows negative money form (LOCALE_INEGCURR) that places symbol, sign and blank as
// n_cs_precedes, n_sep_by_space and n_sign_posn (0 to 4) do. Where Windows has no such form
// the nearest is taken: the sign keeps its side of the amount and of the symbol.
uint8_t NegativeForm(bool symbolBefore, bool blank, int signPosition) {
    // [sign position][symbol before][blank between symbol and amount]
    static constexpr uint8_t kForms[5][2][2] = {
        {{4, 15}, {0, 14}},  // (1.1$)  (1.1 $)   ($1.1)  ($ 1.1)
        {{5, 8}, {1, 9}},    // -1.1$   -1.1 $    -$1.1   -$ 1.1
        {{7, 10}, {3, 11}},  // 1.1$-   1.1 $-    $1.1-   $ 1.1-
        {{6, 13}, {1, 9}},   // 1.1-$   1.1- $    -$1.1   -$ 1.1
        {{7, 10}, {2, 12}},  // 1.1$-   1.1 $-    $-1.1   $ -1.1
    };
    return kForms[signPosition][symbolBefore][blank];
}

// A strftime date format ("%d.%m.%Y", "%D") in the letters of the short date format ("dd.mm.yyyy").
// Conversions other than day, month and year are left out.
std::string ShortDatePicture(const std::string& format) {
    std::string picture;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            picture += format[i];
            continue;
        }
        while (i + 1 < format.size() && std::strchr("-_0^#", format[i + 1])) ++i;  // GNU flags
        if (++i == format.size()) break;
        switch (format[i]) {
            case 'd':
                picture += "dd";
                break;
            case 'e':
                picture += 'd';
                break;
            case 'm':
                picture += "mm";
                break;
            case 'y':
                picture += "yy";
                break;
            case 'Y':
                picture += "yyyy";
                break;
            case 'D':
                picture += "mm/dd/yy";
                break;
            case 'F':
                picture += "yyyy-mm-dd";
                break;
            default:
                break;
        }
    }
    return picture.find_first_of("dmy") == std::string::npos ? TRegionalSettings().ShortDateFormat : picture;
}

// The first character of text after a letter of fields that is not one itself.
char FirstLiteral(std::string_view text, std::string_view fields, char fallback) {
    const size_t field = text.find_first_of(fields);
    if (field == std::string_view::npos) return fallback;
    const size_t literal = text.find_first_not_of(fields, field);
    return literal == std::string_view::npos ? fallback : text[literal];
}

// The character between hours and minutes of a strftime time format ("%H:%M:%S", "%T", "%H.%M").
char TimeSeparatorOf(const std::string& format, char fallback) {
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') continue;
        const char conversion = format[i + 1];
        if (conversion == 'T' || conversion == 'R' || conversion == 'r') return ':';
        if ((conversion == 'H' || conversion == 'I' || conversion == 'k' || conversion == 'l') && i + 2 < format.size())
            return format[i + 2] == '%' ? fallback : format[i + 2];
        ++i;
    }
    return fallback;
}
}  // namespace

TProcessIdentity ReadProcessIdentity() {
    TProcessIdentity id;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleAnchor), &info) && info.dli_fname) {
        char resolved[PATH_MAX];
        id.ModulePath = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    }
    id.HostProgramPath = ExecutablePath();
    if (id.ModulePath.empty()) id.ModulePath = id.HostProgramPath;
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) id.ComputerName = host;
    if (const passwd* pw = getpwuid(geteuid())) id.UserName = pw->pw_name;
    utsname uts{};
    if (uname(&uts) == 0) id.OperatingSystem = std::string(uts.sysname) + " " + uts.release;
    id.ProcessId = uint32_t(getpid());
    // ELF files carry no version record: the program has none, the module knows its own build.
    id.ModuleVersion = ORVO_BUILD_VERSION;
    id.RuntimeFiles = BoundRuntimeFiles();
    return id;
}

std::string FileVersionOf(const std::string&) { return {}; }  // ELF files carry no version record

TRegionalSettings ReadRegionalSettings() {
    TRegionalSettings s;
    const locale_t locale = newlocale(LC_ALL_MASK, "", locale_t(0));
    if (!locale) return s;
    auto text = [locale](nl_item item) { return CodePageText(nl_langinfo_l(item, locale), locale); };
    auto number = [locale](nl_item item) { return int(static_cast<signed char>(nl_langinfo_l(item, locale)[0])); };

    // The number pair and its grouping, for money too (see TRegionalSettings).
    if (const std::string decimal = text(RADIXCHAR); !decimal.empty()) s.DecimalSeparator = decimal[0];
    const std::string thousands = text(THOUSEP);
    s.ThousandSeparator = thousands.empty() ? '\0' : thousands[0];
    s.Grouping = GroupSizes(nl_langinfo_l(GROUPING, locale));
    // The C locale names no currency: the money form then stays as it is.
    if (const std::string symbol = text(CURRENCY_SYMBOL); !symbol.empty()) {
        s.CurrencyString = symbol;
        const int before = number(P_CS_PRECEDES), blank = number(P_SEP_BY_SPACE);
        if (before != CHAR_MAX) s.CurrencyFormat = uint8_t(before ? (blank == 1 ? 2 : 0) : (blank == 1 ? 3 : 1));
        const int negativeBefore = number(N_CS_PRECEDES), sign = number(N_SIGN_POSN);
        if (negativeBefore != CHAR_MAX && sign >= 0 && sign <= 4)
            s.NegCurrFormat = NegativeForm(negativeBefore == 1, number(N_SEP_BY_SPACE) == 1, sign);
    }
    if (const int digits = number(FRAC_DIGITS); digits >= 0 && digits <= 9) s.CurrencyDecimals = uint8_t(digits);

    s.ShortDateFormat = ShortDatePicture(text(D_FMT));
    s.DateSeparator = FirstLiteral(s.ShortDateFormat, "dmy", s.DateSeparator);
    s.TimeSeparator = TimeSeparatorOf(text(T_FMT), s.TimeSeparator);
    for (int c = 0; c < 256; ++c) {
        const uint32_t lower = uint32_t(towlower_l(wint_t(CodePointFromAnsi(char(c))), locale));
        const char mapped = AnsiFromCodePoint(lower);
        s.LowerCase[size_t(c)] = mapped == '?' && lower != '?' ? char(c) : mapped;
    }
    freelocale(locale);
    return s;
}

int CompareTextLocale(std::string_view a, std::string_view b) { return CompareTextByTable(a, b); }

TDateTime SystemNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    // Read on every log line: the local time of the second is worked out once per second and
    // thread (offsets change only at whole seconds), the milliseconds added to it.
    thread_local time_t second = -1;
    thread_local TDateTime startOfSecond = 0;
    if (ts.tv_sec != second) {
        tm local{};
        localtime_r(&ts.tv_sec, &local);
        startOfSecond = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                        EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
        second = ts.tv_sec;
    }
    return startOfSecond + double(ts.tv_nsec / 1000000) / 86400000.0;
}

std::optional<std::string> CodePageFromTerminalText(std::string_view text) {
    // The C locale says ASCII, where terminals send UTF-8 today.
    locale_t locale = newlocale(LC_CTYPE_MASK, "", nullptr);
    if (locale && std::strcmp(nl_langinfo_l(CODESET, locale), "ANSI_X3.4-1968") == 0) {
        freelocale(locale);
        locale = nullptr;
    }
    if (!locale) locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (!locale) locale = newlocale(LC_CTYPE_MASK, "C", nullptr);
    std::optional<std::string> text8 = CodePageText(text, locale, true);
    freelocale(locale);
    return text8;
}

}  // namespace orvo::platform
