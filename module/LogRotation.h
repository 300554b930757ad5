// Rotation of the live log file into its chain of compressed older files.
#pragma once
#include <string>

namespace orvo {

// Compressed older files kept beside the live file.
inline constexpr int kRotatedFilesKept = 9;

// The name of number n of the chain: the live file's ".log" replaced by ".<n>.synlz".
std::string RotatedName(const std::string& livePath, int number);

// Puts the live file's content into number 1 of the chain:
//   X.9.synlz                  deleted
//   X.1.synlz .. X.8.synlz  -> X.2.synlz .. X.9.synlz   (missing numbers are skipped)
//   X.log                   -> X.1.synlz, compressed
// True when the content is safely in number 1, and only then may the caller empty the live
// file. The live file itself is only read.
bool RotateIntoChain(const std::string& livePath);

}  // namespace orvo
