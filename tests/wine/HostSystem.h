/* What the conformance host uses of the system, declared here rather than taken from an SDK, so
 * that one source builds with mingw-w64's gcc and with clang for the MSVC ABI (which has no SDK
 * here): kernel32, oleaut32 and the C library of msvcrt.dll, nothing more. A C++ host includes
 * it after OrvoContract.hpp, whose error-object structs it then takes. */
#ifndef ORVO_HOST_SYSTEM_H
#define ORVO_HOST_SYSTEM_H

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define WINAPI __stdcall
#define IMPORT __declspec(dllimport)
#define MAX_PATH 260

typedef unsigned long DWORD;
typedef long LONG;
typedef wchar_t* BSTR;
typedef struct SYSTEMTIME {
    uint16_t wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME;

IMPORT void* WINAPI LoadLibraryExA(const char* path, void* file, DWORD flags);
IMPORT void* WINAPI GetProcAddress(void* module, const char* name);
IMPORT int WINAPI FreeLibrary(void* module);
IMPORT DWORD WINAPI GetFullPathNameA(const char* path, DWORD size, char* full, char** part);
IMPORT DWORD WINAPI GetLastError(void);
IMPORT DWORD WINAPI GetModuleFileNameA(void* module, char* path, DWORD size);
IMPORT void WINAPI GetLocalTime(SYSTEMTIME* time);
IMPORT int WINAPI GetLocaleInfoA(DWORD locale, DWORD type, char* data, int size);
IMPORT int WINAPI GetCurrencyFormatA(DWORD locale, DWORD flags, const char* value, const void* format, char* text,
                                     int size);
IMPORT char* WINAPI lstrcpynA(char* out, const char* text, int size);

#define LOAD_WITH_ALTERED_SEARCH_PATH 0x8
#define LOCALE_USER_DEFAULT 0x400
#define LOCALE_SDECIMAL 0x0E
#define HEAP_ZERO_MEMORY 0x8

/* COM's error object (oleaut32), through the C face's IOrvoCreateErrorInfo and IOrvoErrorInfo. */
IMPORT int32_t WINAPI CreateErrorInfo(IOrvoCreateErrorInfo** created);
IMPORT int32_t WINAPI SetErrorInfo(DWORD reserved, IOrvoErrorInfo* info);
IMPORT int32_t WINAPI GetErrorInfo(DWORD reserved, IOrvoErrorInfo** info);
IMPORT void WINAPI SysFreeString(BSTR text);

IMPORT int __cdecl printf(const char* format, ...);
IMPORT int __cdecl vprintf(const char* format, va_list args);
IMPORT int __cdecl _snprintf(char* out, size_t size, const char* format, ...);
IMPORT int __cdecl _vsnprintf(char* out, size_t size, const char* format, va_list args);
IMPORT int __cdecl _snwprintf(wchar_t* out, size_t size, const wchar_t* format, ...);
IMPORT int __cdecl strcmp(const char* a, const char* b);
IMPORT int __cdecl strncmp(const char* a, const char* b, size_t n);
IMPORT char* __cdecl strstr(const char* text, const char* part);
IMPORT char* __cdecl strrchr(const char* text, int c);
IMPORT size_t __cdecl strlen(const char* text);
IMPORT char* __cdecl strcat(char* out, const char* text);
IMPORT char* __cdecl strcpy(char* out, const char* text);
IMPORT int __cdecl wcscmp(const wchar_t* a, const wchar_t* b);
IMPORT int __cdecl wcsncmp(const wchar_t* a, const wchar_t* b, size_t n);
IMPORT int __cdecl memcmp(const void* a, const void* b, size_t n);
IMPORT void* __cdecl memmove(void* out, const void* in, size_t n);
IMPORT void* __cdecl memset(void* out, int c, size_t n);

#if defined(_MSC_VER)
/* No C runtime start-up for the MSVC ABI: the program starts here, with msvcrt's arguments. */
typedef struct StartupInfo {
    int newMode;
} StartupInfo;
IMPORT int __cdecl __getmainargs(int* argc, char*** argv, char*** env, int wildcards, StartupInfo* info);
IMPORT void __cdecl exit(int code);
int main(int argc, char** argv);
int _fltused = 0; /* what the compiler's floating-point code expects of a runtime */
void __cdecl HostStart(void) {
    int argc = 0;
    char **argv = NULL, **env = NULL;
    StartupInfo info = {0};
    __getmainargs(&argc, &argv, &env, 0, &info);
    exit(main(argc, argv));
}
#endif

#ifdef __cplusplus
}
#endif

#endif /* ORVO_HOST_SYSTEM_H */
