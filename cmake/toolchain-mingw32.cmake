# 32-bit Windows build with the posix-threads flavour of mingw-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(VN24G_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${VN24G_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VN24G_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${VN24G_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VN24G_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW runtime DLL may be needed beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows programs (the product, its tests and tools) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
