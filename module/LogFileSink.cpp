#include "module/LogFileSink.h"

#include <chrono>
#include <thread>

#include "module/LogLine.h"
#include "module/LogRotation.h"

namespace orvo {

void TLogFileSink::Configure(const std::string& path, TLogSettings settings, THeader header) {
    file_.Close();
    settings_ = std::move(settings);
    header_ = std::move(header);
    name_ = path_ = path;
    state_ = path.empty() ? TState::Unconfigured : TState::Closed;
}

void TLogFileSink::Close() {
    file_.Close();
    if (state_ == TState::Open) state_ = TState::Closed;
}

void TLogFileSink::Write(std::string_view line, TDateTime now) {
    if (state_ == TState::Closed) Open(now);
    if (state_ != TState::Open) return;
    if (const platform::TFileStatus wrote = file_.Write(line); !wrote) {
        // A file at the process's size limit is rotated before the line that does not fit, once
        // lines came since the last rotation (or the open); the line is dropped only when that
        // cannot be done.
        if (!wrote.PastSizeLimit() || file_.Size() <= rotationTriedAt_ || !Rotate(now) || !file_.Write(line)) return;
    }
    if (file_.Size() > nextRotation_) Rotate(now);
}

void TLogFileSink::WriteFailure(std::string_view pattern, const platform::TFileStatus& failure, TDateTime now) {
    const TLogArg args[] = {TLogArg(failure.Path()), TLogArg(failure.Message())};
    std::string line;
    AppendLogLine(line, now, TLogLevel::Exception, pattern, args, 2);
    Write(line, now);
}

// "X.log", "X-.log", "X--.log": the names tried in turn when a name cannot be opened.
std::string TLogFileSink::NameWithDashes(int dashes) const {
    std::string name = name_;
    name.insert(name.size() - std::string_view(".log").size(), size_t(dashes), '-');
    return name;
}

void TLogFileSink::Open(TDateTime now) {
    constexpr int kNamesTried = 3;
    constexpr auto kDefaultRetryDelay = std::chrono::milliseconds(100);
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
                Start(now);
                NoteSetAside(recovered.SetAsideTo, now);
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

void TLogFileSink::Start(TDateTime now) {
    std::string start;
    // A line torn by the end of an earlier process is closed first, so the header starts a line.
    if (file_.Size() > 0) {
        const std::string end = file_.LastBytes(2);
        if (end != "\r\n") start = end.ends_with('\r') ? "\n" : "\r\n";
    }
    if (header_) start += header_(now);
    if (RotatedNamesCut(path_)) {
        const std::string one = RotatedName(path_, 1);
        const TLogArg number1(one);
        AppendLogLine(start, now, TLogLevel::Info,
                      "[TModuleLog.Rotate] The log's name is too long for its archives' names, which are cut: "
                      "number 1 is %",
                      &number1, 1);
    }
    file_.Write(start);
}

void TLogFileSink::NoteSetAside(const std::string& setAsideTo, TDateTime now) {
    if (setAsideTo.empty()) return;
    const TLogArg to(setAsideTo);
    std::string line;
    AppendLogLine(line, now, TLogLevel::Info,
                  "[TModuleLog.Rotate] What stood at the old number 9's name could not be deleted and was moved to %",
                  &to, 1);
    Write(line, now);
}

bool TLogFileSink::Rotate(TDateTime now) {
    const TRotation rotation = RotateIntoChain(path_, file_);
    if (rotation.Status) {
        nextRotation_ = settings_.RotateSize;
        Start(now);
        rotationTriedAt_ = file_.Size();
        NoteSetAside(rotation.SetAsideTo, now);
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
    WriteFailure("[TModuleLog.Rotate] Error : %: %", rotation.Status, now);
    NoteSetAside(rotation.SetAsideTo, now);
    return false;
}

}  // namespace orvo
