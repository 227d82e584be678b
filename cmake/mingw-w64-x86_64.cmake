# Cross-compiles for 64-bit Windows with Debian's mingw-w64 toolchain (g++-mingw-w64-x86-64-posix,
# libz-mingw-w64-dev). The programs link the C and C++ runtimes, winpthread and zlib statically,
# so quorvex.exe needs no DLL beside it: only those Windows itself ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVEX_MINGW_PREFIX x86_64-w64-mingw32)
# The posix flavour brings std::thread and std::mutex (the win32 flavour has neither in g++ 12).
set(CMAKE_C_COMPILER ${QUORVEX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVEX_MINGW_PREFIX}-windres)

# Libraries and headers come from the mingw-w64 tree only, never from the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
