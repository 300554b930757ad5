// Preloaded (LD_PRELOAD) into a program of the kill tests: kills it (SIGKILL) just before or after
// the n-th call of one kind on the files it watches, or stalls it for a second after that call.
//   ORVO_SHIM        "<call> <n> <before|after|stall>", call one of open write rename (renameat2
//                    too) unlink fsync
//   ORVO_SHIM_MATCH  only calls on paths holding this text count (write, fsync: their descriptor's)
//   ORVO_SHIM_TRACE  gets "fsync\t<path>\t", "unlink\t<path>\t" and "rename\t<from>\t<to>" for each
//                    such call watched, and "stall\t\t" when the stall begins
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static char g_call[16], g_when[8];
static long g_n = -1, g_seen;

static void Trace(const char* what, const char* a, const char* b) {
    FILE* out = fopen(getenv("ORVO_SHIM_TRACE") ? getenv("ORVO_SHIM_TRACE") : "", "a");
    if (!out) return;
    fprintf(out, "%s\t%s\t%s\n", what, a, b);
    fclose(out);
}

// Called before the call: 1 when it is the one to act after.
static int Before(const char* call, const char* path, const char* to) {
    const char* match = getenv("ORVO_SHIM_MATCH");
    if (!path || !match || !strstr(path, match)) return 0;
    if (!strcmp(call, "fsync") || !strcmp(call, "rename") || !strcmp(call, "unlink")) Trace(call, path, to);
    if (!g_call[0]) sscanf(getenv("ORVO_SHIM") ? getenv("ORVO_SHIM") : "-", "%15s %ld %7s", g_call, &g_n, g_when);
    if (strcmp(call, g_call) != 0 || ++g_seen != g_n) return 0;
    if (!strcmp(g_when, "before")) kill(getpid(), SIGKILL);
    return 1;
}

static void After(int hit) {
    if (!hit) return;
    if (!strcmp(g_when, "after")) kill(getpid(), SIGKILL);
    Trace("stall", "", "");
    sleep(1);
}

// The path of descriptor fd, in a buffer of the caller's.
static const char* FdPath(int fd, char* path) {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, 4095);
    path[n > 0 ? n : 0] = '\0';
    return path;
}
#define FD_PATH(fd) FdPath(fd, (char[4096]){0})

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))
// A call watched by its path (or that of its descriptor fd): counted, then made.
#define WATCH(type, name, call, path, to, params, args) \
    type name params {                                  \
        const int hit = Before(call, path, to);         \
        const type result = REAL(name) args;            \
        After(hit);                                     \
        return result;                                  \
    }

WATCH(ssize_t, write, "write", FD_PATH(fd), "", (int fd, const void* bytes, size_t size), (fd, bytes, size))
WATCH(int, rename, "rename", from, to, (const char* from, const char* to), (from, to))
WATCH(int, renameat2, "rename", from, to, (int fromDir, const char* from, int toDir, const char* to, unsigned flags),
      (fromDir, from, toDir, to, flags))
WATCH(int, unlink, "unlink", path, "", (const char* path), (path))
WATCH(int, fsync, "fsync", FD_PATH(fd), "", (int fd), (fd))

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(args, mode_t) : 0;
    va_end(args);
    const int hit = Before("open", path, ""), fd = REAL(open)(path, flags, mode);
    After(hit);
    return fd;
}
