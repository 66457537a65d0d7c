# Cross build for 64-bit Windows with Debian's mingw-w64. The posix-threads
# variant of the compiler: its C++ runtime has std::thread and std::mutex,
# which the win32 variant lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QZL7_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QZL7_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QZL7_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QZL7_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QZL7_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# An .exe that runs alone: the C and C++ run times and winpthread linked in,
# so no DLL of the compiler has to lie beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Built programs (tests, test discovery) run under Wine in a prefix of their own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-lauf)
