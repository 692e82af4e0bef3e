# Cross-builds the 64-bit Windows program, kerumo.exe.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KERUMO_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
