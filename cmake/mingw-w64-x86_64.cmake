# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (POSIX threads),
# for the core and its Qt-free tests:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DQUENDRY_WITH_QT=OFF -DQUENDRY_WITH_BENCH=OFF
# Test programs run through Wine when it is installed (ctest uses it as the emulator).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUENDRY_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${QUENDRY_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUENDRY_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUENDRY_MINGW_TRIPLE}-windres)

# Libraries and headers come from the cross compiler's tree only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUENDRY_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime (libstdc++, libgcc, winpthread): the programs run without any DLL
# of the compiler beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(QUENDRY_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QUENDRY_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUENDRY_WINE})
endif()
