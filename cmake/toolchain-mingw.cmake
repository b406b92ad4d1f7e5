# Cross-build for Windows with mingw-w64. MORVANE_ARCH is x86_64 or i686.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT MORVANE_ARCH)
  set(MORVANE_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${MORVANE_ARCH})
# The -posix compilers: the win32 thread model lacks std::mutex, which googletest needs.
set(CMAKE_C_COMPILER ${MORVANE_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVANE_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${MORVANE_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MORVANE_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# -static too, or std::thread still pulls in libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
