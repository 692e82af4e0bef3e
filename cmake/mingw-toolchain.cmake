# What the two Windows toolchain files share: Debian's mingw-w64 for
# KERUMO_MINGW_PREFIX. The posix-thread compilers, since GoogleTest needs
# std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KERUMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KERUMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KERUMO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KERUMO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: no mingw runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the tests under wine, each build folder in a wine prefix of its own.
get_filename_component(KERUMO_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-run ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KERUMO_WINE_RUN} ${CMAKE_BINARY_DIR}/wineprefix)
