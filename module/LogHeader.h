// The header block written at the top of every new log file and before appending to an existing
// one: enough for a support engineer to tell which till, program and build wrote what follows.
#pragma once
#include <string>

#include "interfaces/OrvoTypes.h"
#include "platform/Platform.h"

namespace orvo {

// One line each, ending in CR LF:
//   ======== 2026-03-04 05:06:07.089
//   Program:  C:\Orvo\BackOffice.exe (file version 1.2.3.4)
//   Module:   D:\Modules\OrvoExtraPayments.ovm (file version 0.0.0.6)
//   Runtime:  C:\Orvo\libstdc++-6.dll (2147869 bytes)
//   Runtime:  C:\Orvo\libgcc_s_dw2-1.dll (149021 bytes)
//   Runtime:  C:\Orvo\libwinpthread-1.dll (file version 1.0.0.0, 64541 bytes)
//   Computer: TILL01
//   User:     cashier
//   System:   Windows 10.0 build 19045
//   Process:  4242
// A program, module or runtime library without a version record has no "file version". The
// runtime lines name the copies actually in use, so a mismatched one shows at a glance; the
// Windows module, whose runtime is linked in, writes one line instead:
//   Runtime:  built in (the C++ runtime of GCC 12.2.0, linked statically)
std::string LogHeaderBlock(const platform::TProcessIdentity& identity, TDateTime now);

}  // namespace orvo
