# Cross-compiling Quorvex for Windows with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)


# QVX_ARCH selects the Windows architecture: i686 is the product's target; x86_64
# is used on build hosts that cannot execute 32-bit x86 code (and so cannot run
# 32-bit Windows programs under Wine), so that the tests still run there.
if(NOT DEFINED QVX_ARCH)
  if(DEFINED ENV{QVX_ARCH})
    set(QVX_ARCH $ENV{QVX_ARCH})
  else()
    set(QVX_ARCH i686)
  endif()
endif()
set(QVX_ARCH ${QVX_ARCH} CACHE STRING "Windows target architecture: i686 or x86_64")
set(QVX_TARGET_TRIPLE ${QVX_ARCH}-w64-mingw32)
if(QVX_ARCH STREQUAL "i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
endif()
set(CMAKE_C_COMPILER ${QVX_TARGET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QVX_TARGET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QVX_TARGET_TRIPLE}-windres)

if(NOT DEFINED QVX_DEPS)
  if(DEFINED ENV{QVX_DEPS})
    set(QVX_DEPS $ENV{QVX_DEPS})
  else()
    set(QVX_DEPS /opt/quorvex-deps)
  endif()
endif()
set(QVX_DEPS ${QVX_DEPS} CACHE PATH "Prefix of third-party libraries built for the target")

set(CMAKE_FIND_ROOT_PATH /usr/${QVX_TARGET_TRIPLE} ${QVX_DEPS}/${QVX_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Repeatable floating point: SSE2 arithmetic instead of the x87 stack.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# libgcc, libstdc++ and winpthread linked in, so nothing of ours needs a DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
