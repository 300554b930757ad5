// Rotation of the live log file into its chain of compressed older files.
#pragma once
#include <string>

#include "platform/AppendFile.h"
#include "platform/FileSystem.h"

namespace orvo {

// Compressed older files kept beside the live file.
inline constexpr int kRotatedFilesKept = 9;

// The name of number n of the chain: the live file's ".log" replaced by ".<n>.synlz". When that
// would make a name longer than a file name may be, the live file's name is cut to fit first and
// ends in "~" and 16 hexadecimal digits of a hash of the whole name, so the chains of two live
// files never share a name.
std::string RotatedName(const std::string& livePath, int number);
// True when the names of the live file's chain are made from a cut name.
bool RotatedNamesCut(const std::string& livePath);

struct TRotation {
    platform::TFileStatus Status;
    // The live file's content had been handed to the chain when the rotation failed: no line may
    // go into the live file before RecoverRotation has finished the move.
    bool Committed = false;
    // Something that was not the chain's stood at the name of the old number 9 and was moved to
    // the name given here, out of the way (empty when nothing was).
    std::string SetAsideTo;
};

// Puts the content of live, the open file at livePath, into number 1 of the chain and empties
// live, or on failure leaves both as they were. The content is read and emptied through live's
// own handle, never by name. Every state it passes through is one that a kill of the process may
// leave and RecoverRotation resolves; the names tell them apart (X.log is the live file,
// X.<n>.synlz number n):
//
//   state                       files                                  the next open
//   1 copying                   X.0.tmp, perhaps partial               undoes: X.0.tmp deleted
//   2 moving the chain up       X.9.synlz -> X.9.old, then X.8..X.1    undoes: the chain moved back
//                               -> X.9..X.2, highest first             down, X.9.old last; X.0.tmp
//                                                                      deleted
//   3 committed                 X.0.tmp (on the disk) -> X.1.synlz,    finishes, when number 1 is
//                               the folder synced: the live file's     a whole gzip copy of all of
//                               content in the chain (and still in     X.log: X.log emptied,
//                               X.log)                                 X.9.old deleted
//   4 live file emptied         X.log empty                            X.9.old deleted
//   done                        X.9.old deleted
//
// So each line stands in the live file until the commit and only in the chain after it, and a
// file that merely stands at a name of the chain is never taken for a rotation's own. Before the
// commit a failure undoes the moves made; after it the failure is returned as Committed. A folder
// or other thing at X.9.old that cannot be deleted is set aside as X.stray<k> (k from 1 to 9).
TRotation RotateIntoChain(const std::string& livePath, platform::TAppendFile& live);

// Run on opening the live file, holding it: finishes or undoes what a rotation interrupted by the
// end of its process left (see RotateIntoChain). A failure means the live file may not take lines.
TRotation RecoverRotation(const std::string& livePath, platform::TAppendFile& live);

}  // namespace orvo
