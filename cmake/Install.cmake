# Installation as a desktop program (cmake --install) and its Debian package
# (cpack, see scripts/package.sh): the three programs, the desktop entry, the
# MIME package of the measurement files and the icon. The help pages and the
# background picture are compiled into the program, so nothing else is needed.
include(GNUInstallDirs)

# The desktop entry and the MIME package come from the routines the options
# dialog registers them with, so the two never differ.
add_executable(zephirax-desktop-files tools/desktop-files/DesktopFilesMain.cpp)
target_link_libraries(zephirax-desktop-files PRIVATE zephirax_core)
set(ZEPHIRAX_DESKTOP_FILES_DIR ${CMAKE_BINARY_DIR}/desktop-files)
add_custom_command(
  OUTPUT ${ZEPHIRAX_DESKTOP_FILES_DIR}.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZEPHIRAX_DESKTOP_FILES_DIR}
  # A sanitizer build's leak checker cannot run everywhere a build does.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:zephirax-desktop-files> ${ZEPHIRAX_DESKTOP_FILES_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ZEPHIRAX_DESKTOP_FILES_DIR}.stamp
  DEPENDS zephirax-desktop-files
  COMMENT "Writing the desktop entry and the MIME package")
add_custom_target(zephirax_desktop_files ALL DEPENDS ${ZEPHIRAX_DESKTOP_FILES_DIR}.stamp)

install(TARGETS zephirax zephirax-cli voltan-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${ZEPHIRAX_DESKTOP_FILES_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR})

# The icon: the SVG and the PNG sizes rendered from it (scripts/render-icons.sh).
set(ZEPHIRAX_ICON_DIR ${CMAKE_SOURCE_DIR}/resources/icons)
install(FILES ${ZEPHIRAX_ICON_DIR}/zephirax.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN ITEMS 16 32 48 64 128 256)
  install(FILES ${ZEPHIRAX_ICON_DIR}/zephirax-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME zephirax.png)
endforeach()

# The Debian package. The desktop's menu, MIME and icon caches are brought up
# to date by the triggers of their own packages, so it needs no scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zephirax)
set(CPACK_PACKAGE_VENDOR "VOLTAN")
set(CPACK_PACKAGE_CONTACT "ZEPHIRAX maintainers <zephirax@voltan.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Desktop companion of the VOLTAN cylinder-pressure indicator")
set(CPACK_PACKAGE_DESCRIPTION
    "Receives measurements of large diesel engines from the VOLTAN indicator over a serial
line, evaluates them (maximum pressure, mean indicated pressure, indicated power,
deviations between cylinders) and shows, prints and manages them. Includes the
command line program zephirax-cli and the device simulator voltan-sim.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages are found from the programs themselves where
# dpkg-shlibdeps is there; the print-outs' fonts and the desktop's helpers
# for mail and file types are not libraries and are always named.
set(ZEPHIRAX_DEB_TOOLS "fonts-liberation2, xdg-utils")
find_program(ZEPHIRAX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZEPHIRAX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${ZEPHIRAX_DEB_TOOLS}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6serialport6 (>= 6.4), libzip4 (>= 1.7), libc6, libstdc++6, ${ZEPHIRAX_DEB_TOOLS}")
endif()
# Wayland desktops show the window natively with it, others through X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
