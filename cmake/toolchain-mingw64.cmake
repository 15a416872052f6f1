# Cross build for 64-bit Windows with mingw-w64 (the POSIX thread model). The
# product is the 32-bit build; this one runs the suite under wine64 on a
# machine whose kernel cannot execute 32-bit programs, and shows any code that
# keeps a pointer in a 32-bit field.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# As in the 32-bit build: plain export names and one shared C++ run time.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--kill-at")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-Wl,--kill-at")

# Debian's wine64 package: the 64-bit loader alone, which needs no 32-bit
# execution.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
