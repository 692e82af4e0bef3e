# Cross-builds the 32-bit Windows program, kerumo32.exe: the one that can
# load the classic 32-bit monitoring libraries.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KERUMO_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
