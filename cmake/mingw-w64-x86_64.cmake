# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread and GoogleTest need). Without Qt the programs are
# linked statically so that they run under wine, or on Windows, without the
# compiler's DLLs beside them. Qt and the window share one C++ runtime, the
# DLLs, which the program folder carries (IGN_MINGW_SHARED_RUNTIME).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(IGN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${IGN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${IGN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${IGN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${IGN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Prefixes given on the command line (the cross-built GoogleTest) are target
# folders too.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})

if(NOT IGN_MINGW_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

find_program(IGN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(IGN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${IGN_WINE})
endif()
