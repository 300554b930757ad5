// Archiving of old logs when the library leaves the process (explicit unload or process end).
// Runs inside the unload notification: it starts no thread and loads nothing.
#pragma once
#include <string>
#include <vector>

#include "interfaces/OrvoTypes.h"
#include "platform/FileSystem.h"

namespace orvo {

// Every regular file in logFolder (a link is not followed) whose name ends in ".log", does not
// begin with "." and was last changed two days or more before now is compressed to
// <folder of hostProgramPath>/log/<YYYYMM>/<name>.synlz and then deleted. YYYYMM is the year and
// month of the last change of the first file archived in the pass; the rest of the pass goes to
// the same folder. "log" is created when missing, and nothing is archived when that fails. A file
// that cannot be written there stays where it is, whole, and so does a log that a running
// program holds open. An archive already at the target name is kept: the new one is written as
// "<name> (2).synlz", "<name> (3).synlz" and so on, up to 100 names. Each archive, and the folders
// the pass files into, reach the disk before its original is deleted. A kill at any moment leaves
// what the next pass finishes: a file whose whole content an archive (under any month) or number
// 1 of its rotation chain already holds is only deleted. Returns what failed, one entry for each file not archived (a log held open is not a
// failure) or folder not made.
std::vector<platform::TFileStatus> ArchiveOldLogs(const std::string& logFolder, const std::string& hostProgramPath,
                                                  TDateTime now);

}  // namespace orvo
