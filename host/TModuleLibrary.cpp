#include "host/TModuleLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>

// The thread's error slot that this program lends the modules it loads: their errors and ours
// cross through it (the module imports it weakly). Exported by the program's link options.
extern "C" __attribute__((visibility("default"))) OrvoErrorSlot* orvo_ThreadErrorSlot(void) {
    static thread_local OrvoErrorSlot slot;
    return &slot;
}
#endif

namespace orvo::host {
namespace {
// What the loader says went wrong with path, without naming the path again.
std::string LoaderError(const std::string& path) {
#if defined(_WIN32)
    (void)path;
    return "Windows error " + std::to_string(GetLastError());
#else
    const char* e = dlerror();
    std::string message = e ? e : "unknown loader error";
    if (message.rfind(path + ": ", 0) == 0) message.erase(0, path.size() + 2);
    return message;
#endif
}
}  // namespace

bool TModuleLibrary::Load(const std::string& path) {
    Unload();
#if defined(_WIN32)
    // The module's folder is searched first for anything it loads beside it.
    handle_.Reset(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
#else
    handle_.Reset(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
#endif
    if (!handle_) {
        error_ = "cannot load " + path + ": " + LoaderError(path);
        return false;
    }
    init_ = reinterpret_cast<TInitModule>(Symbol("InitModule"));
    final_ = reinterpret_cast<TFinalModule>(Symbol("FinalModule"));
    if (!init_ || !final_) {
        error_ = path + " is not a module: it lacks InitModule or FinalModule";
        Unload();
        return false;
    }
    error_.clear();
    return true;
}

void* TModuleLibrary::Symbol(const char* name) const {
    if (!handle_) return nullptr;
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(handle_.Get(), name));
#else
    return dlsym(handle_.Get(), name);
#endif
}

void TModuleLibrary::Unload() {
    if (!handle_) return;
    handle_.Reset();
    init_ = nullptr;
    final_ = nullptr;
}

}  // namespace orvo::host
