# Cross toolchain: 64-bit Windows binaries from Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMO_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${LUMO_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMO_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${LUMO_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMO_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the .exe files through Wine; the test scripts supply the display and prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
