# Cross-building the Windows programs with Debian's MinGW-w64 toolchain for
# 32-bit Windows:
#
#   cmake --preset windows        (see CMakePresets.json)
#
# Everything is linked statically, so the .exe files need no DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TESSALY_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSALY_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSALY_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSALY_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSALY_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

