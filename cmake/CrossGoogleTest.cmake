# No GoogleTest is packaged for the cross compiler: build it from Debian's
# sources; it names its targets as find_package(GTest) would.
set(KERUMO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${KERUMO_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Their code, not ours: our warning policy does not apply.
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -Wno-error)
endforeach()
# GoogleTest itself defines GTest::gtest and GTest::gtest_main.
