# Cross build for 32-bit Windows with mingw-w64 (the POSIX thread model, which
# has std::thread and std::mutex). Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs and modules carry their own run time (no toolchain DLLs beside
# them), and modules export their entry points under their plain names.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--kill-at -Wl,--exclude-libs=libgcc.a:libgcc_eh.a:libstdc++.a:libpthread.a:libwinpthread.a:libssp.a")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--kill-at -Wl,--exclude-libs=libgcc.a:libgcc_eh.a:libstdc++.a:libpthread.a:libwinpthread.a:libssp.a")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
