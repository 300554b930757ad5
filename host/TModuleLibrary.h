// Loads a module library with the platform loader and finds its two entry points, as the
// suite's programs do.
#pragma once
#include <string>

#include "interfaces/OrvoExports.h"
#include "platform/UniqueHandle.h"

namespace orvo::host {


class TModuleLibrary {
public:
    TModuleLibrary() = default;
    TModuleLibrary(const TModuleLibrary&) = delete;
    TModuleLibrary& operator=(const TModuleLibrary&) = delete;
    ~TModuleLibrary() { Unload(); }

    // Loads path and finds InitModule and FinalModule; false with Error() set otherwise
    // (nothing stays loaded then).
    bool Load(const std::string& path);
    bool IsLoaded() const { return bool(handle_); }
    const std::string& Error() const { return error_; }
    // An exported symbol's address, or null.
    void* Symbol(const char* name) const;
    // Unloads the library (the module's unload notification runs); nothing when not loaded.
    void Unload();

    // The module's two exports; an error they report is raised as EOrvoError.
    void InitModule(IDIContainer* container) const { orvo::CallOut().Check(init_(container)); }
    void FinalModule() const { orvo::CallOut().Check(final_()); }

private:
    TInitModule init_ = nullptr;
    TFinalModule final_ = nullptr;
    platform::TLibraryHandle handle_;
    std::string error_;
};

}  // namespace orvo::host
