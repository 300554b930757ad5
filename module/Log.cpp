#include "module/Log.h"


#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "module/LogArchive.h"
#include "module/LogHeader.h"
#include "module/LogRotation.h"
#include "platform/DateTime.h"
#include "values/MoneyText.h"
#include "values/Path.h"

namespace orvo {

std::string_view LogLevelTag(TLogLevel level) {
    switch (level) {
        case TLogLevel::Info:
            return "info";
        case TLogLevel::Exception:
            return "EXC";
        case TLogLevel::OsException:
            return "EXCOS";
    }
    return "?";
}

void AppendEscaped(std::string& out, std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    size_t plain = 0;  // start of the run not yet appended
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != 0x7F) continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        out += '\\';
        switch (c) {
            case '\r':
                out += 'r';
                break;
            case '\n':
                out += 'n';
                break;
            case '\t':
                out += 't';
                break;
            case '\0':
                out += '0';
                break;
            default:
                out += 'x';
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
        }
    }
    out.append(text, plain);
}

namespace {
void AppendArg(std::string& out, const TLogArg& arg) {
    switch (arg.kind) {
        case TLogArg::Kind::Text:
            AppendEscaped(out, arg.text);
            break;
        case TLogArg::Kind::Integer: {
            char text[24];
            out.append(text, std::to_chars(text, text + sizeof text, arg.number).ptr);
            break;
        }
        case TLogArg::Kind::Money:
            AppendCurrencyDecimal(out, arg.number);
            break;
    }
}
}  // namespace

void FillPattern(std::string& out, std::string_view pattern, const TLogArg* args, size_t count) {
    for (size_t next = 0; next < count; ++next) {
        const size_t placeholder = pattern.find('%');
        if (placeholder == std::string_view::npos) break;
        out.append(pattern.substr(0, placeholder));
        pattern.remove_prefix(placeholder + 1);
        AppendArg(out, args[next]);
    }
    out.append(pattern);
}

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
constexpr size_t kTagWidth = 6;
constexpr auto kDefaultRetryDelay = std::chrono::milliseconds(100);

// Writes value as width decimal digits, zero-padded, ending before end.
void PutDigits(char* end, int value, int width) {
    for (int i = 0; i < width; ++i, value /= 10) *--end = char('0' + value % 10);
}

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

namespace {
// Puts the time stamp into the kLogTimeStampWidth characters at stamp.
void PutLogTimeStamp(char* stamp, TDateTime value) {
    const TDateParts t = DecodeDateTime(value);
    std::memcpy(stamp, "yyyy-mm-dd hh:mm:ss.zzz", kLogTimeStampWidth);
    PutDigits(stamp + 4, t.Year, 4);
    PutDigits(stamp + 7, t.Month, 2);
    PutDigits(stamp + 10, t.Day, 2);
    PutDigits(stamp + 13, t.Hour, 2);
    PutDigits(stamp + 16, t.Minute, 2);
    PutDigits(stamp + 19, t.Second, 2);
    PutDigits(stamp + 23, t.Millisecond, 3);
}

// What follows the time stamp: a blank, the tag padded to six, the filled pattern and CR LF.
void AppendLogLineBody(std::string& out, TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    const std::string_view tag = LogLevelTag(level);
    out += ' ';
    out += tag;
    out.append(kTagWidth - tag.size(), ' ');
    FillPattern(out, pattern, args, count);
    out += "\r\n";
}
}  // namespace

void AppendLogTimeStamp(std::string& out, TDateTime value) {
    char stamp[kLogTimeStampWidth];
    PutLogTimeStamp(stamp, value);
    out.append(stamp, kLogTimeStampWidth);
}

void AppendLogLine(std::string& out, TDateTime now, TLogLevel level, std::string_view pattern, const TLogArg* args,
                   size_t count) {
    AppendLogTimeStamp(out, now);
    AppendLogLineBody(out, level, pattern, args, count);
}

void TModuleLog::Configure(const platform::TProcessIdentity& identity, TLogSettings settings) {
    std::lock_guard lock(mutex_);
    file_.Close();
    identity_ = identity;
    settings_ = std::move(settings);
    state_ = identity.ModulePath.empty() ? TState::Unconfigured : TState::Closed;
    path_ = state_ == TState::Unconfigured ? std::string() : NameWithDashes(0);
}

std::string TModuleLog::FilePath() const {
    std::lock_guard lock(mutex_);
    return path_;
}

void TModuleLog::Close() {
    std::lock_guard lock(mutex_);
    file_.Close();
    if (state_ == TState::Open) state_ = TState::Closed;
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
    if (state_ != TState::Unconfigured) {
        for (const platform::TFileStatus& failure :
             ArchiveOldLogs(LogFolder(identity_), identity_.HostProgramPath, platform::Now()))
            WriteFailureLocked("[TModuleLog.Archive] Error : %: %", failure);
    }
    file_.Close();
    if (state_ == TState::Open) state_ = TState::Closed;
}

namespace {
// A line with room for the time stamp, which is put in when it is written.
std::string UnstampedLine(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    std::string line;
    line.reserve(kLogTimeStampWidth + 16 + pattern.size() * 2);
    line.append(kLogTimeStampWidth, ' ');
    AppendLogLineBody(line, level, pattern, args, count);
    return line;
}
}  // namespace

void TModuleLog::Write(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    std::string line = UnstampedLine(level, pattern, args, count);
    std::lock_guard lock(mutex_);
    TWriterMark mark(writer_);
    AppendLocked(line);
}

void TModuleLog::AppendLocked(std::string& line) {
    if (state_ == TState::Unconfigured || state_ == TState::Dropping) return;
    // Stamped under the lock, so the lines of all threads stand in the file in time order.
    const TDateTime now = platform::Now();
    StampLocked(line.data(), now);
    if (state_ == TState::Closed) OpenLocked(now);
    if (state_ != TState::Open) return;
    if (const platform::TFileStatus wrote = file_.Write(line); !wrote) {
        // A file at the process's size limit is rotated before the line that does not fit, once
        // lines came since the last rotation (or the open); the line is dropped only when that
        // cannot be done.
        if (!wrote.PastSizeLimit() || file_.Size() <= rotationTriedAt_ || !RotateLocked(now) || !file_.Write(line))
            return;
    }
    if (file_.Size() > nextRotation_) RotateLocked(now);
}

void TModuleLog::StampLocked(char* stamp, TDateTime now) {
    // The lines of one second share all but the milliseconds: the rest is decoded once a second.
    constexpr size_t kUpToMilliseconds = kLogTimeStampWidth - 3;
    const TDayTime time = SplitDateTime(now);
    const int64_t second = time.Day * 86400 + time.Millisecond / 1000;
    if (second != stampSecond_) {
        PutLogTimeStamp(stampText_, now);
        stampSecond_ = second;
    }
    std::memcpy(stamp, stampText_, kUpToMilliseconds);
    PutDigits(stamp + kLogTimeStampWidth, int(time.Millisecond % 1000), 3);
}

void TModuleLog::WriteFailureLocked(std::string_view pattern, const platform::TFileStatus& failure) {
    const TLogArg args[] = {TLogArg(failure.Path()), TLogArg(failure.Message())};
    std::string line = UnstampedLine(TLogLevel::Exception, pattern, args, 2);
    AppendLocked(line);
}

// "X.log", "X-.log", "X--.log": the names tried in turn when a name cannot be opened.
std::string TModuleLog::NameWithDashes(int dashes) const {
    std::string name = LogFileName(identity_);
    name.insert(name.size() - std::string_view(".log").size(), size_t(dashes), '-');
    return LogFolder(identity_) + name;
}

void TModuleLog::OpenLocked(TDateTime now) {
    constexpr int kNamesTried = 3;
    for (int dashes = 0; dashes < kNamesTried; ++dashes) {
        const std::string name = NameWithDashes(dashes);
        for (int attempt = 0;; ++attempt) {
            // A file whose rotation a crash interrupted takes lines only once that is resolved.
            TRotation recovered;
            if (file_.Open(name) && (recovered = RecoverRotation(name, file_)).Status) {
                path_ = name;
                state_ = TState::Open;
                nextRotation_ = settings_.RotateSize;
                rotationTriedAt_ = 0;
                WriteHeaderLocked(now);
                NoteSetAsideLocked(recovered.SetAsideTo);
                return;
            }
            file_.Close();
            if (attempt == settings_.OpenRetries) break;
            if (settings_.WaitBeforeRetry) {
                settings_.WaitBeforeRetry();
            } else {
                std::this_thread::sleep_for(kDefaultRetryDelay);
            }
        }
    }
    // Lines are dropped from now on; the module works on without a log.
    state_ = TState::Dropping;
}

void TModuleLog::WriteHeaderLocked(TDateTime now) {
    std::string header;
    // A line torn by the end of an earlier process is closed first, so the header starts a line.
    if (file_.Size() > 0) {
        const std::string end = file_.LastBytes(2);
        if (end != "\r\n") header = end.ends_with('\r') ? "\n" : "\r\n";
    }
    header += LogHeaderBlock(identity_, now);
    if (RotatedNamesCut(path_)) {
        const std::string one = RotatedName(path_, 1);
        const TLogArg number1(one);
        AppendLogLine(header, now, TLogLevel::Info,
                      "[TModuleLog.Rotate] The log's name is too long for its archives' names, which are cut: "
                      "number 1 is %",
                      &number1, 1);
    }
    file_.Write(header);
}

void TModuleLog::NoteSetAsideLocked(const std::string& setAsideTo) {
    if (setAsideTo.empty()) return;
    const TLogArg to(setAsideTo);
    std::string line = UnstampedLine(
        TLogLevel::Info, "[TModuleLog.Rotate] What stood at the old number 9's name could not be deleted and was moved to %",
        &to, 1);
    AppendLocked(line);
}

bool TModuleLog::RotateLocked(TDateTime now) {
    const TRotation rotation = RotateIntoChain(path_, file_);
    if (rotation.Status) {
        nextRotation_ = settings_.RotateSize;
        WriteHeaderLocked(now);
        rotationTriedAt_ = file_.Size();
        NoteSetAsideLocked(rotation.SetAsideTo);
        return true;
    }
    rotationTriedAt_ = file_.Size();
    if (rotation.Committed) {
        // The content is on its way into the chain: the file takes no line before the next open
        // has finished the move, or the lines go to the next name when it cannot.
        file_.Close();
        state_ = TState::Closed;
    } else {
        // Nothing moved: the file keeps everything and lines keep going into it, after one line
        // saying why; the next attempt comes a full size later, so a lasting failure costs no more
        // than rotations that work.
        nextRotation_ = file_.Size() + settings_.RotateSize;
    }
    WriteFailureLocked("[TModuleLog.Rotate] Error : %: %", rotation.Status);
    NoteSetAsideLocked(rotation.SetAsideTo);
    return false;
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
