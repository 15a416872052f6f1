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

# Modules export their entry points under their plain names. The C++ run
# time is shared: the program, the platform layer and the plug-in use one copy
# of it (its DLLs are copied beside them), so that an exception thrown in one
# module is caught in another, as the class library's exceptions are.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--kill-at")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-Wl,--kill-at")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
