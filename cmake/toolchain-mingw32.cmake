# Windows build with the posix-threads flavour of mingw-w64.
#
# The program ships as a 32-bit executable. Its tests run under Wine, and on
# a machine whose kernel runs 64-bit code only Wine cannot start a 32-bit
# program; there the same sources are built as a 64-bit program (the code is
# kept 64-bit clean and every stored layout is checked by static_assert), so
# the tests still run against real Windows behaviour. VN24G_WINDOWS_ARCH
# (i686 or x86_64) picks the architecture by hand.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VN24G_WINDOWS_ARCH)
  execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-arch.sh
                  OUTPUT_VARIABLE VN24G_WINE_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(VN24G_WINE_ARCH STREQUAL "win64")
    set(VN24G_WINDOWS_ARCH x86_64)
  else()
    set(VN24G_WINDOWS_ARCH i686)
  endif()
endif()
set(VN24G_WINDOWS_ARCH ${VN24G_WINDOWS_ARCH} CACHE STRING "Windows architecture: i686 (shipped) or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${VN24G_WINDOWS_ARCH})

set(VN24G_MINGW_PREFIX ${VN24G_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${VN24G_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VN24G_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${VN24G_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VN24G_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW runtime DLL may be needed beside the program. Sections start on
# page boundaries in the file as well, so that the loader can map them from
# the file instead of copying every byte of them (pictures among them) into
# private memory.
set(VN24G_COMMON_LINKER_FLAGS "-static -static-libgcc -static-libstdc++ -Wl,--file-alignment,0x1000")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "${VN24G_COMMON_LINKER_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${VN24G_COMMON_LINKER_FLAGS}")

# Windows programs (the product, its tests and tools) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
