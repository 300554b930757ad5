# Cross build of the Windows product: 32-bit mingw-w64 with posix threads. CTest runs the test
# programs under Wine through the emulator setting.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORVO_MINGW i686-w64-mingw32)

set(CMAKE_C_COMPILER ${ORVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
