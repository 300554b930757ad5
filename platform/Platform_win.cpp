// Windows side of the platform seams (the product build).
#include <windows.h>

#include <lmcons.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/DateTime.h"
#include "platform/Platform.h"

namespace orvo::platform {
namespace {
std::string ModuleFileName(HMODULE module) {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(module, buf.data(), DWORD(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

std::string VersionText(const VS_FIXEDFILEINFO& info) {
    return std::to_string(HIWORD(info.dwFileVersionMS)) + "." + std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info.dwFileVersionLS)) + "." + std::to_string(LOWORD(info.dwFileVersionLS));
}

// The file version of an image already mapped into the process, read from its version resource
// in place: the library's load notification may not load files.
std::string ImageFileVersion(HMODULE image) {
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16 /* RT_VERSION */));
    if (!found) return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(image, found)));
    // VS_VERSIONINFO: three 16-bit fields, the key L"VS_VERSION_INFO" with its terminating zero,
    // padding to 32 bits, then the fixed part.
    constexpr size_t kFixedOffset = 40;
    VS_FIXEDFILEINFO fixed{};
    if (!data || SizeofResource(image, found) < kFixedOffset + sizeof fixed) return {};
    std::memcpy(&fixed, data + kFixedOffset, sizeof fixed);
    return fixed.dwSignature == VS_FFI_SIGNATURE ? VersionText(fixed) : std::string();
}

// The library that the image's imports from `name` were bound to by the loader, or null when the
// image imports nothing from it. Libraries are matched by name among those already in the process,
// so this is the copy the program loaded first, whatever lies beside the module.
HMODULE BoundImport(HMODULE image, const char* name) {
    const auto* base = reinterpret_cast<const unsigned char*>(image);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return nullptr;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), name) != 0) continue;
        const auto* firstBound = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        HMODULE library = nullptr;
        if (firstBound->u1.Function &&
            GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               reinterpret_cast<LPCSTR>(firstBound->u1.Function), &library))
            return library;
    }
    return nullptr;
}

// Reads only what is mapped or in the file's directory entry: safe within the load notification.
std::vector<TRuntimeFile> BoundRuntimeFiles(HMODULE image) {
    std::vector<TRuntimeFile> files;
    for (const char* name : {"libstdc++-6.dll", "libgcc_s_dw2-1.dll", "libwinpthread-1.dll"}) {
        const HMODULE library = BoundImport(image, name);
        if (!library) continue;
        TRuntimeFile file{ModuleFileName(library), ImageFileVersion(library)};
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        if (GetFileAttributesExA(file.Path.c_str(), GetFileExInfoStandard, &attributes))
            file.Size = (uint64_t(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
        files.push_back(std::move(file));
    }
    return files;
}

std::string LocaleText(LCTYPE type, const char* fallback) {
    char buf[100];
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) > 0 ? std::string(buf) : fallback;
}

// Windows grouping ("3;0", "3;2;0", "3", "0;0") as group sizes: a final 0 repeats the size
// before it; without one the digits beyond the sizes stay in one group (127 digits).
std::string GroupSizes(const std::string& grouping) {
    std::string sizes;
    bool repeat = false;
    for (size_t at = 0; at < grouping.size();) {
        const int size = std::atoi(grouping.c_str() + at);
        if (size <= 0 || size > 9) {
            repeat = true;
            break;
        }
        sizes += char(size);
        const size_t next = grouping.find(';', at);
        at = next == std::string::npos ? grouping.size() : next + 1;
    }
    if (!sizes.empty() && !repeat) sizes += char(127);
    return sizes;
}

// Windows short date pictures ("dd/MM/yyyy") in the letters the module formats with.
std::string LowerDatePicture(std::string picture) {
    for (char& c : picture)
        if (c == 'M') c = 'm';
    return picture;
}
}  // namespace

TProcessIdentity ReadProcessIdentity() {
    TProcessIdentity id;
    id.ModulePath = ModuleFileName(OwnModule());
    id.HostProgramPath = ModuleFileName(nullptr);
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (GetComputerNameA(name, &size)) id.ComputerName.assign(name, size);
    char user[UNLEN + 1] = {};
    DWORD userSize = sizeof user;
    if (GetUserNameA(user, &userSize)) id.UserName = user;
    // GetVersionEx reports what the manifest allows; the kernel's own version is the truth.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (auto fn = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion"))))
        fn(&v);
    id.OperatingSystem = "Windows " + std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion) +
                         " build " + std::to_string(v.dwBuildNumber);
    id.ProcessId = GetCurrentProcessId();
    id.HostProgramVersion = ImageFileVersion(GetModuleHandleA(nullptr));
    id.ModuleVersion = ImageFileVersion(OwnModule());
    id.RuntimeFiles = BoundRuntimeFiles(OwnModule());
    if (id.RuntimeFiles.empty())
        id.BuiltInRuntime = "GCC " + std::to_string(__GNUC__) + "." + std::to_string(__GNUC_MINOR__) + "." +
                            std::to_string(__GNUC_PATCHLEVEL__);
    return id;
}

std::string FileVersionOf(const std::string& path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info) return {};
    return VersionText(*info);
}

TRegionalSettings ReadRegionalSettings() {
    TRegionalSettings s;
    // The number pair and its grouping, for money too (see TRegionalSettings).
    s.DecimalSeparator = LocaleText(LOCALE_SDECIMAL, ".")[0];
    const std::string thousands = LocaleText(LOCALE_STHOUSAND, ",");
    s.ThousandSeparator = thousands.empty() ? '\0' : thousands[0];
    s.Grouping = GroupSizes(LocaleText(LOCALE_SGROUPING, "3;0"));
    s.CurrencyString = LocaleText(LOCALE_SCURRENCY, "R");
    s.CurrencyFormat = uint8_t(std::atoi(LocaleText(LOCALE_ICURRENCY, "0").c_str()));
    s.NegCurrFormat = uint8_t(std::atoi(LocaleText(LOCALE_INEGCURR, "1").c_str()));
    s.CurrencyDecimals = uint8_t(std::clamp(std::atoi(LocaleText(LOCALE_ICURRDIGITS, "2").c_str()), 0, 9));
    s.ShortDateFormat = LowerDatePicture(LocaleText(LOCALE_SSHORTDATE, "yyyy/MM/dd"));
    s.DateSeparator = LocaleText(LOCALE_SDATE, "/")[0];
    s.TimeSeparator = LocaleText(LOCALE_STIME, ":")[0];
    return s;
}

int CompareTextLocale(std::string_view a, std::string_view b) {
    const int r =
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), int(a.size()), b.data(), int(b.size()));
    if (r == 0) return CompareTextByTable(a, b);  // the system could not compare: never "equal" by default
    return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;
}

TDateTime SystemNow() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay) + EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

}  // namespace orvo::platform
