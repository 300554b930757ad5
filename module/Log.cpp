#include "Log.h"

#include <cxxabi.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "DateTime.h"

namespace orvo {

std::string_view LogLevelTag(TLogLevel level) { return level == TLogLevel::Info ? "info" : "EXC"; }

std::string FormatMoneyDecimal(Currency value) {
    const bool negative = value < 0;
    // Work in unsigned so the most negative value has a magnitude too.
    const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04u", unsigned(fraction));
        std::string_view f(digits, 4);
        while (f.back() == '0') f.remove_suffix(1);
        out += '.';
        out += f;
    }
    return out;
}

void FillPattern(std::string& out, std::string_view pattern, const TLogArg* args, size_t count) {
    size_t next = 0;
    for (char c : pattern) {
        if (c != '%' || next >= count) {
            out += c;
            continue;
        }
        const TLogArg& a = args[next++];
        switch (a.kind) {
            case TLogArg::Kind::Text: out += a.text; break;
            case TLogArg::Kind::Integer: {
                char buf[24];
                const auto r = std::to_chars(buf, buf + sizeof buf, a.number);
                out.append(buf, r.ptr);
                break;
            }
            case TLogArg::Kind::Money: out += FormatMoneyDecimal(a.number); break;
        }
    }
}

std::string LogFileName(const platform::TProcessIdentity& identity) {
    auto baseName = [](std::string_view path) {
        const size_t slash = path.find_last_of("/\\");
        return slash == std::string_view::npos ? path : path.substr(slash + 1);
    };
    std::string_view program = baseName(identity.HostProgramPath);
    if (const size_t dot = program.rfind('.'); dot != std::string_view::npos) program = program.substr(0, dot);
    std::string name(program);
    name += " (";
    name += identity.ComputerName;
    name += ") ";
    name += baseName(identity.ModulePath);
    name += ".log";
    return name;
}

std::string LogFolder(const platform::TProcessIdentity& identity) {
    const size_t slash = identity.ModulePath.find_last_of("/\\");
    if (slash == std::string::npos) return std::string(".") + platform::kPathSeparator;
    return identity.ModulePath.substr(0, slash + 1);
}

void TModuleLog::Configure(const platform::TProcessIdentity& identity) {
    std::lock_guard lock(mutex_);
    file_.Close();
    identity_ = identity;
    path_ = LogFolder(identity) + LogFileName(identity);
}

std::string TModuleLog::FilePath() const {
    std::lock_guard lock(mutex_);
    return path_;
}

void TModuleLog::Close() {
    std::lock_guard lock(mutex_);
    file_.Close();
}

void TModuleLog::Write(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    const TDateParts t = DecodeDateTime(platform::Now());
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d ", t.Year, t.Month, t.Day, t.Hour,
                  t.Minute, t.Second, t.Millisecond);
    std::string line;
    line.reserve(64 + pattern.size());
    line += stamp;
    line += LogLevelTag(level);
    line.append(6 - LogLevelTag(level).size(), ' ');
    FillPattern(line, pattern, args, count);
    line += "\r\n";

    std::lock_guard lock(mutex_);
    if (path_.empty()) return;
    if (!file_.IsOpen() && !file_.Open(path_)) return;
    file_.Write(line);
}

std::string ErrorClassName(const std::exception& error) {
    if (const auto* own = dynamic_cast<const EOrvoError*>(&error)) return own->ClassName();
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? demangled.get() : mangled;
}

void LogCaught(const std::exception& error) {
    LogError("% (\"%\")", ErrorClassName(error), error.what());
}

TModuleLog& ModuleLog() {
    // Constructed at library load, before the unload watch, so it is destroyed after it.
    static TModuleLog log;
    return log;
}

}  // namespace orvo
