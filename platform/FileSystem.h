// File-system operations of the log's rotation and archiving. Each is one or two system calls,
// starts no thread and loads nothing, so it may run inside the library's unload notification.
#pragma once
#include <string>
#include <vector>

#include "interfaces/OrvoTypes.h"

namespace orvo::platform {

struct TFolderEntry {
    std::string Name;
    bool IsFolder = false;
    TDateTime LastChange = 0;  // local time
};

// The entries of a folder, without "." and "..", in no particular order; empty when the folder
// cannot be read.
std::vector<TFolderEntry> ListFolder(const std::string& folder);

// True when path names an existing file or folder.
bool PathExists(const std::string& path);

// Creates a folder; true when a folder stands at path afterwards (made now or before).
bool CreateFolder(const std::string& path);

// Renames a file, replacing a file already at to.
bool RenameReplacing(const std::string& from, const std::string& to);

// Renames a file only when nothing stands at to yet; true when it was renamed.
bool RenameIfFree(const std::string& from, const std::string& to);

// Deletes a file; true when it is gone (also when it was not there).
bool RemoveFile(const std::string& path);

}  // namespace orvo::platform
