// Rotation of the live log file into its chain of compressed older files.
#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace orvo {

// Compressed older files kept beside the live file.
inline constexpr int kRotatedFilesKept = 9;

// The name of number n of the chain: the live file's ".log" replaced by ".<n>.synlz".
std::string RotatedName(const std::string& livePath, int number);

// Puts the live file's content into number 1 of the chain, which moves up one number whole or
// not at all:
//   X.log                   -> X.1.synlz.tmp              compressed; the live file is only read
//   X.9.synlz               -> X.9.synlz.old              set aside
//   X.8.synlz .. X.1.synlz  -> X.9.synlz .. X.2.synlz     highest first; missing numbers skipped
//   X.1.synlz.tmp           -> X.1.synlz
//   X.9.synlz.old              deleted, now that the content is safely in number 1
// When a step fails the moves made are undone, newest first, and its failure is returned. Only
// on success may the caller empty the live file.
platform::TFileStatus RotateIntoChain(const std::string& livePath);

}  // namespace orvo
