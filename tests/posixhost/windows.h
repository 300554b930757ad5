/* A stand-in for <windows.h> on Linux: the few Win32 names the sample host uses, made of POSIX,
 * so that examples/SampleHost.c, unchanged, drives the native module. Included by that one
 * source alone: it also defines the thread error slot the program lends the module. */
#pragma once
#define _XOPEN_SOURCE 700 /* realpath and strnlen under -std=c99 */

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "OrvoContract.h"

#define MAX_PATH 260
#define S_OK 0
#define S_FALSE 1
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x8 /* ignored: dlopen loads the very file a path names */

typedef long LONG;
typedef unsigned long DWORD;
typedef int32_t HRESULT;
typedef void* HMODULE;
typedef wchar_t* BSTR;

static inline LONG InterlockedIncrement(LONG volatile* value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }
static inline LONG InterlockedDecrement(LONG volatile* value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }

/* Copies at most size - 1 characters and always ends the copy. */
static inline char* lstrcpynA(char* to, const char* from, int size) {
    size_t length = strnlen(from, (size_t)size - 1);
    memcpy(to, from, length);
    to[length] = '\0';
    return to;
}

/* The folder's absolute path (it must exist); 0 also when it does not fit. */
static inline DWORD GetFullPathNameA(const char* name, DWORD size, char* path, char** filePart) {
    char* full = realpath(name, NULL);
    DWORD length = full && strlen(full) < size ? (DWORD)strlen(full) : 0;
    if (length) memcpy(path, full, length + 1);
    if (filePart) *filePart = NULL;
    free(full);
    return length;
}

/* The sample joins folder and file with a backslash, as Windows does: read as "/" here. */
static inline HMODULE LoadLibraryExA(const char* path, void* file, DWORD flags) {
    char unixPath[MAX_PATH], *c;
    HMODULE library;
    (void)file, (void)flags;
    for (lstrcpynA(unixPath, path, sizeof unixPath), c = unixPath; *c; ++c)
        if (*c == '\\') *c = '/';
    if (!(library = dlopen(unixPath, RTLD_NOW | RTLD_LOCAL))) fprintf(stderr, "%s\n", dlerror());
    return library;
}
static inline void* GetProcAddress(HMODULE library, const char* name) { return dlsym(library, name); }
static inline int FreeLibrary(HMODULE library) { return dlclose(library) == 0; }
static inline DWORD GetLastError(void) { return 0; } /* the loader's own message went to stderr */

/* ---- COM's error object: the thread's slot of two texts that the module fills (and reads)
 * through orvo_ThreadErrorSlot, exported by the program's link. */
OrvoErrorSlot* orvo_ThreadErrorSlot(void);
OrvoErrorSlot* orvo_ThreadErrorSlot(void) {
    static __thread OrvoErrorSlot slot;
    return &slot;
}

/* The error object GetErrorInfo hands out holds the slot's two texts, taken from it. */
typedef struct IErrorInfo {
    OrvoAnsiString description, source;
} IErrorInfo;
static inline HRESULT GetErrorInfo(DWORD reserved, IErrorInfo** info) {
    OrvoErrorSlot* slot = orvo_ThreadErrorSlot();
    (void)reserved;
    *info = slot->Description || slot->Source ? (IErrorInfo*)malloc(sizeof **info) : NULL;
    if (!*info) return S_FALSE;
    (*info)->description = slot->Description;
    (*info)->source = slot->Source;
    slot->Description = slot->Source = NULL;
    return S_OK;
}
/* A new wide copy of a text, a byte to a character (Windows-1252 read as Latin-1). */
static inline BSTR SysAllocOfText(OrvoAnsiString text) {
    int32_t i, length = OrvoTextLength(text);
    BSTR wide = (BSTR)malloc(((size_t)length + 1) * sizeof *wide);
    for (i = 0; wide && i <= length; ++i) wide[i] = (unsigned char)OrvoTextChars(text)[i];
    return wide;
}
static inline void SysFreeString(BSTR text) { free(text); }
#define IErrorInfo_GetDescription(info, text) \
    ((*(text) = SysAllocOfText((info)->description)) ? S_OK : ORVO_E_OUTOFMEMORY)
#define IErrorInfo_GetSource(info, text) ((*(text) = SysAllocOfText((info)->source)) ? S_OK : ORVO_E_OUTOFMEMORY)
static inline unsigned long IErrorInfo_Release(IErrorInfo* info) {
    OrvoTextRelease(info->description);
    OrvoTextRelease(info->source);
    free(info);
    return 0;
}
