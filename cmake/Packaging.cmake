# What a Linux installation holds, and the Debian package made of it by CPack:
# the program, its desktop entry and icons, AppStream metainfo, manual pages
# in English and Japanese, and the documents Debian asks for.
include(GNUInstallDirs)

set(KERUMO_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KERUMO_STAGED_DIR ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS kerumo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A desktop entry cannot expand $XDG_CONFIG_HOME; the entry starts Kerumo
# through a small script that changes into that folder first.
set(KERUMO_DESKTOP_LAUNCHER ${CMAKE_INSTALL_FULL_LIBEXECDIR}/kerumo/start-in-config-dir)
set(KERUMO_DESKTOP_EXEC ${KERUMO_DESKTOP_LAUNCHER})
install(PROGRAMS ${KERUMO_PACKAGING_DIR}/linux/start-in-config-dir DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/kerumo)
configure_file(${KERUMO_PACKAGING_DIR}/linux/kerumo.desktop.in ${KERUMO_STAGED_DIR}/${KERUMO_APP_ID}.desktop @ONLY)
install(FILES ${KERUMO_STAGED_DIR}/${KERUMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${KERUMO_PACKAGING_DIR}/linux/kerumo.metainfo.xml.in ${KERUMO_STAGED_DIR}/${KERUMO_APP_ID}.metainfo.xml
  @ONLY)
install(FILES ${KERUMO_STAGED_DIR}/${KERUMO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/hicolor/${size}x${size}/apps/kerumo.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian wants the manual page and the changelog compressed, without a
# timestamp in the gzip header.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(kerumo_gzip_configured source compressed)
  configure_file(${source} ${KERUMO_STAGED_DIR}/${compressed}.plain @ONLY)
  add_custom_command(OUTPUT ${KERUMO_STAGED_DIR}/${compressed}
    COMMAND ${GZIP_PROGRAM} -9nc ${KERUMO_STAGED_DIR}/${compressed}.plain > ${KERUMO_STAGED_DIR}/${compressed}
    DEPENDS ${KERUMO_STAGED_DIR}/${compressed}.plain VERBATIM)
endfunction()
kerumo_gzip_configured(${KERUMO_PACKAGING_DIR}/linux/kerumo.1.in kerumo.1.gz)
kerumo_gzip_configured(${KERUMO_PACKAGING_DIR}/linux/kerumo.ja.1.in kerumo.ja.1.gz)
kerumo_gzip_configured(${KERUMO_PACKAGING_DIR}/debian/changelog.in changelog.gz)
add_custom_target(kerumo_packaging_files ALL
  DEPENDS ${KERUMO_STAGED_DIR}/kerumo.1.gz ${KERUMO_STAGED_DIR}/kerumo.ja.1.gz ${KERUMO_STAGED_DIR}/changelog.gz)
install(FILES ${KERUMO_STAGED_DIR}/kerumo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Where `man -L ja kerumo` looks.
install(FILES ${KERUMO_STAGED_DIR}/kerumo.ja.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1 RENAME kerumo.1.gz)
install(FILES ${KERUMO_PACKAGING_DIR}/debian/copyright ${KERUMO_STAGED_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kerumo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kerumo developers <kerumo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small resident monitor of CPU, memory and temperature")
# Lines of at most 80 characters, as Debian's tools show them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Kerumo sits in the notification area and keeps a small borderless meter"
  "window on the desktop that shows, twice a second, the CPU usage, the physical"
  "memory in use, the system resources in use and the CPU temperature, with a"
  "bar for each usage figure. It can warn when free memory or free system"
  "resources fall below chosen percentages. Its menus and messages are in"
  "Japanese.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kerumo.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the binary's libraries do not name them: the X11
# platform plugin, and a font with Japanese glyphs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
