// The log's file: opened under its name or a dash name, appended to one whole line at a time,
// rotated into its compressed chain at the size limit. It knows nothing of levels or of what a
// header says; the logger serialises its calls.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"
#include "platform/AppendFile.h"
#include "platform/FileSystem.h"

namespace orvo {

// Fixed in the product; tests shrink the size and skip the waits.
struct TLogSettings {
    // A write that takes the file past this many bytes rotates it.
    uint64_t RotateSize = 2048 * 1024;
    // A name that cannot be opened is tried again this many times before the next name.
    int OpenRetries = 10;
    // Runs before each retry; empty waits 100 ms.
    std::function<void()> WaitBeforeRetry;
};

class TLogFileSink {
public:
    // The block that starts every file the sink starts or appends to, given the time of the line
    // that makes it start (the logger's header).
    using THeader = std::function<std::string(TDateTime now)>;
    // Points the sink at path ("X.log"), closed; an empty path drops every line.
    void Configure(const std::string& path, TLogSettings settings, THeader header);
    // False once no name could be opened (or without a path): lines are dropped, cheaply.
    bool Takes() const { return state_ == TState::Closed || state_ == TState::Open; }
    // Writes one whole line stamped at now, in one write call. A closed file is opened first:
    // "X.log", then "X-.log" and "X--.log", each tried again after a wait up to the retries.
    // A write that takes the file past the limit rotates it after; a rotation that fails leaves
    // one line saying why in the live file, which goes on taking lines; one that fails after
    // handing the content to the chain closes the file, and the next line opens it again
    // (finishing the move) or the next name.
    void Write(std::string_view line, TDateTime now);
    // One exception line naming the file of a failed operation and the system's message.
    void WriteFailure(std::string_view pattern, const platform::TFileStatus& failure, TDateTime now);
    // The name in use once opened, the first choice before ("" without a path).
    const std::string& Path() const { return path_; }
    // Closes the file; the next line opens it again, with a new header.
    void Close();

private:
    enum class TState { Unconfigured, Closed, Open, Dropping };
    std::string NameWithDashes(int dashes) const;
    void Open(TDateTime now);
    // Writes the header at the start of a file, or of what is appended to one.
    void Start(TDateTime now);
    bool Rotate(TDateTime now);
    // One line saying that something at the old number 9's name was moved to setAsideTo, if so.
    void NoteSetAside(const std::string& setAsideTo, TDateTime now);

    TState state_ = TState::Unconfigured;
    std::string name_;  // the first choice
    std::string path_;
    TLogSettings settings_;
    THeader header_;
    platform::TAppendFile file_;
    uint64_t nextRotation_ = 0;     // the size past which the file is rotated
    uint64_t rotationTriedAt_ = 0;  // the size left by the last rotation, done or failed
};

}  // namespace orvo
