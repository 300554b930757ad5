#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/OsExceptionWatch.h"

namespace orvo::platform {
namespace {
struct TImage {
    uintptr_t Start = 0, End = 0;
    char Name[MAX_PATH] = {};
};

TOsExceptionReport gReport = nullptr;
void* gHandler = nullptr;
TImage gImage;
std::atomic<bool> gReporting{false};

TImage OwnImage() {
    TImage image;
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&OwnImage), &self))
        return image;
    const auto* base = reinterpret_cast<const unsigned char*>(self);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    image.Start = uintptr_t(base);
    image.End = image.Start + nt->OptionalHeader.SizeOfImage;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, sizeof path);
    const char* slash = std::strrchr(path, '\\');
    std::snprintf(image.Name, sizeof image.Name, "%s", slash ? slash + 1 : path);
    return image;
}

struct TKnownException {
    DWORD Code;
    const char* ClassName;
    const char* Text;
};
// The error classes and texts a support engineer knows from the suite's own programs.
constexpr TKnownException kKnownExceptions[] = {
    {EXCEPTION_ACCESS_VIOLATION, "EAccessViolation", "Access violation"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "EDivByZero", "Division by zero"},
    {EXCEPTION_INT_OVERFLOW, "EIntOverflow", "Integer overflow"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "ERangeError", "Range check error"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "EZeroDivide", "Floating point division by zero"},
    {EXCEPTION_FLT_OVERFLOW, "EOverflow", "Floating point overflow"},
    {EXCEPTION_FLT_UNDERFLOW, "EUnderflow", "Floating point underflow"},
    {EXCEPTION_FLT_INVALID_OPERATION, "EInvalidOp", "Invalid floating point operation"},
    {EXCEPTION_PRIV_INSTRUCTION, "EPrivilege", "Privileged instruction"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "EExternalException", "Illegal instruction"},
    {EXCEPTION_IN_PAGE_ERROR, "EExternalException", "In-page error"},
};

// Hardware exceptions are errors raised by the system, not by a program (no customer bit). A
// stack overflow leaves too little stack to write a line safely.
bool IsReported(const EXCEPTION_RECORD& record) {
    const uintptr_t address = uintptr_t(record.ExceptionAddress);
    return (record.ExceptionCode & 0xE0000000u) == 0xC0000000u && record.ExceptionCode != EXCEPTION_STACK_OVERFLOW &&
           address >= gImage.Start && address < gImage.End;
}

void Report(const EXCEPTION_RECORD& record) {
    const char* className = "EExternalException";
    char text[64];
    std::snprintf(text, sizeof text, "External exception %08lX", static_cast<unsigned long>(record.ExceptionCode));
    for (const TKnownException& known : kKnownExceptions) {
        if (known.Code != record.ExceptionCode) continue;
        className = known.ClassName;
        std::snprintf(text, sizeof text, "%s", known.Text);
    }
    char message[MAX_PATH + 160];
    int length = std::snprintf(message, sizeof message, "%s at address %08lX in module '%s'", text,
                               static_cast<unsigned long>(uintptr_t(record.ExceptionAddress)), gImage.Name);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2 && length > 0) {
        const ULONG_PTR kind = record.ExceptionInformation[0];
        std::snprintf(message + length, sizeof message - size_t(length), ". %s of address %08lX",
                      kind == 0   ? "Read"
                      : kind == 8 ? "Execution"
                                  : "Write",
                      static_cast<unsigned long>(record.ExceptionInformation[1]));
    }
    gReport(className, message);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    // A fault inside the report itself is not reported again.
    if (IsReported(*info->ExceptionRecord) && !gReporting.exchange(true)) {
        Report(*info->ExceptionRecord);
        gReporting = false;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

void WatchOsExceptions(TOsExceptionReport report) {
    if (gHandler) return;
    gImage = OwnImage();
    gReport = report;
    gHandler = AddVectoredExceptionHandler(1, &OnException);
}

void StopWatchingOsExceptions() {
    if (gHandler) RemoveVectoredExceptionHandler(gHandler);
    gHandler = nullptr;
}

}  // namespace orvo::platform
