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
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>

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
    locale_t loc = newlocale(LC_ALL_MASK, "", locale_t(0));
    if (!loc) return s;
    if (const char* radix = nl_langinfo_l(RADIXCHAR, loc); radix && radix[0] && !radix[1])
        s.DecimalSeparator = radix[0];
    if (const char* thousands = nl_langinfo_l(THOUSEP, loc); thousands && !thousands[1])
        s.ThousandSeparator = thousands[0];
    // CRNCYSTR is the symbol preceded by "-" (before the amount), "+" (after) or "." (in place of
    // the decimal separator). The C locale has none; the default symbol then stays.
    if (const char* currency = nl_langinfo_l(CRNCYSTR, loc); currency && currency[0] && currency[1]) {
        s.CurrencyString = currency + 1;
        s.CurrencyFormat = currency[0] == '+' ? 3 : 0;
        if (currency[0] == '-' && nl_langinfo_l(__P_SEP_BY_SPACE, loc)[0] == 1) s.CurrencyFormat = 2;
    }
    if (const char* digits = nl_langinfo_l(__FRAC_DIGITS, loc); digits && digits[0] >= 0 && digits[0] <= 4)
        s.CurrencyDecimals = uint8_t(digits[0]);
    freelocale(loc);
    return s;
}

int CompareTextLocale(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TDateTime SystemNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    const time_t secs = ts.tv_sec;
    localtime_r(&secs, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), int(ts.tv_nsec / 1000000));
}

}  // namespace orvo::platform
