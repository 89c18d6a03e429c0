# Cross-compiles for 64-bit Windows with MinGW-w64 (posix threads); the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# libjpeg is cross-built by tools/setup.sh into build/deps; CMake only finds it when its prefix
# is one of the find roots (a prefix path would be re-rooted under the sysroot).
get_filename_component(_mingw_deps "${CMAKE_CURRENT_LIST_DIR}/../build/deps/mingw-jpeg" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${_mingw_deps})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run" CACHE FILEPATH "")
