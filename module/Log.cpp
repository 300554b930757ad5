#include "module/Log.h"

#include "module/LogArchive.h"
#include "module/LogHeader.h"
#include "values/Path.h"

namespace orvo {

std::string LogFileName(const platform::TProcessIdentity& identity) {
    std::string_view program = FileNameOf(identity.HostProgramPath);
    if (const size_t dot = program.rfind('.'); dot != std::string_view::npos) program = program.substr(0, dot);
    std::string name(program);
    name += " (";
    name += identity.ComputerName;
    name += ") ";
    name += FileNameOf(identity.ModulePath);
    name += ".log";
    return name;
}

std::string LogFolder(const platform::TProcessIdentity& identity) {
    const std::string_view folder = FolderOf(identity.ModulePath);
    return folder.empty() ? std::string(".") + platform::kPathSeparator : std::string(folder);
}

namespace {
// Marks the thread inside Write for the time it holds the lock.
class TWriterMark {
public:
    explicit TWriterMark(std::atomic<std::thread::id>& writer) : writer_(writer) {
        writer_.store(std::this_thread::get_id(), std::memory_order_relaxed);
    }
    ~TWriterMark() { writer_.store(std::thread::id(), std::memory_order_relaxed); }

private:
    std::atomic<std::thread::id>& writer_;
};
}  // namespace

void TModuleLog::Configure(const platform::TProcessIdentity& identity, TLogSettings settings) {
    std::lock_guard lock(mutex_);
    identity_ = identity;
    const std::string path = identity.ModulePath.empty() ? std::string() : LogFolder(identity) + LogFileName(identity);
    file_.Configure(path, std::move(settings), [this](TDateTime now) { return LogHeaderBlock(identity_, now); });
}

std::string TModuleLog::FilePath() const {
    std::lock_guard lock(mutex_);
    return file_.Path();
}

void TModuleLog::Close() {
    std::lock_guard lock(mutex_);
    file_.Close();
}

void TModuleLog::CloseAndArchive(bool processEnding) {
    std::unique_lock lock(mutex_, std::defer_lock);
    if (!processEnding) {
        lock.lock();
    } else if (!lock.try_lock()) {
        return;
    }
    TWriterMark mark(writer_);
    // Archived while the live file is still held, so that it stays out of the pass and what
    // fails can be written to it.
    if (!file_.Path().empty()) {
        for (const platform::TFileStatus& failure :
             ArchiveOldLogs(LogFolder(identity_), identity_.HostProgramPath, platform::Now()))
            if (file_.Takes()) file_.WriteFailure("[TModuleLog.Archive] Error : %: %", failure, platform::Now());
    }
    file_.Close();
}

void TModuleLog::Write(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    std::string line = UnstampedLogLine(level, pattern, args, count);
    std::lock_guard lock(mutex_);
    TWriterMark mark(writer_);
    if (!file_.Takes()) return;
    // Stamped under the lock, so the lines of all threads stand in the file in time order.
    const TDateTime now = platform::Now();
    stamp_.Put(line, now);
    file_.Write(line, now);
}

void LogCaught(const std::exception& error) { LogError("% (\"%\")", ErrorClassName(error), error.what()); }

std::string LogCaught() {
    try {
        throw;
    } catch (const std::exception& error) {
        LogCaught(error);
        return *error.what() ? error.what() : ErrorClassName(error);
    } catch (...) {
        const std::string name = CurrentErrorClassName();
        LogError("% (\"\")", name);
        return name;
    }
}

void LogOsException(const char* className, const char* message) {
    if (ModuleLog().IsWritingOnThisThread()) return;  // its lock is held by the code it interrupted
    LogWrite(TLogLevel::OsException, "% (\"%\")", className, message);
}

TModuleLog& ModuleLog() {
    // Constructed at library load, before the unload watch, so it is destroyed after it.
    static TModuleLog log;
    return log;
}

}  // namespace orvo
