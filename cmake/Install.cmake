# What `cmake --install` puts below the prefix, and the Debian package made
# from it by CPack (scripts/package.sh). The program finds its themes and
# manual and its window module relative to its own path
# (platform/resource_folders.h), so the folders below are fixed rather than taken from GNUInstallDirs.

include(GNUInstallDirs)

set(PLOTVALE_INSTALLED_THEMES share/plotvale/gfx)
set(PLOTVALE_INSTALLED_MANUAL share/doc/plotvale/manual)
set(PLOTVALE_INSTALLED_MODULES lib/plotvale)
# Debian's zsh looks in vendor-completions for packaged functions, every zsh
# in site-functions below /usr/local.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(PLOTVALE_ZSH_COMPLETIONS share/zsh/vendor-completions)
else()
  set(PLOTVALE_ZSH_COMPLETIONS share/zsh/site-functions)
endif()

install(TARGETS plotvale plotvale-thumbnailer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS plotvale-window LIBRARY DESTINATION ${PLOTVALE_INSTALLED_MODULES})

set(PLOTVALE_DATA ${CMAKE_SOURCE_DIR}/data)
install(FILES ${PLOTVALE_DATA}/plotvale.1 ${PLOTVALE_DATA}/plotvale-thumbnailer.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PLOTVALE_DATA}/completions/plotvale.bash
        DESTINATION share/bash-completion/completions RENAME plotvale)
install(FILES ${PLOTVALE_DATA}/completions/_plotvale DESTINATION ${PLOTVALE_ZSH_COMPLETIONS})
install(FILES ${PLOTVALE_DATA}/plotvale.desktop DESTINATION share/applications)
install(FILES ${PLOTVALE_DATA}/plotvale.thumbnailer DESTINATION share/thumbnailers)
install(FILES ${PLOTVALE_DATA}/plotvale-mime.xml DESTINATION share/mime/packages
        RENAME plotvale.xml)
install(DIRECTORY ${PLOTVALE_DATA}/icons/hicolor DESTINATION share/icons)
install(FILES ${PLOTVALE_DATA}/icons/plotvale.svg DESTINATION share/icons/hicolor/scalable/apps)

# The window face's resources, which may not exist yet: whatever theme
# archives the build packed, and the manual of the source tree.
install(DIRECTORY ${PLOTVALE_THEMES_BUILD_DIR}/ DESTINATION ${PLOTVALE_INSTALLED_THEMES}
        OPTIONAL FILES_MATCHING PATTERN "*.zip" PATTERN "CMakeFiles" EXCLUDE)
install(DIRECTORY ${PLOTVALE_MANUAL_SOURCE_DIR}/ DESTINATION ${PLOTVALE_INSTALLED_MANUAL}
        OPTIONAL)
install(FILES README.md docs/third-party-notices.md DESTINATION share/doc/plotvale)

# A direct install refreshes the MIME, desktop and icon databases of its
# prefix, as a package's triggers do; a staged install (DESTDIR, as CPack
# makes one) leaves that to the package.
install(CODE [[
  if(NOT DEFINED ENV{DESTDIR} OR "$ENV{DESTDIR}" STREQUAL "")
    set(share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    find_program(update_icons gtk-update-icon-cache)
    if(update_mime)
      execute_process(COMMAND ${update_mime} "${share}/mime")
    endif()
    if(update_desktop)
      execute_process(COMMAND ${update_desktop} -q "${share}/applications")
    endif()
    if(update_icons)
      execute_process(COMMAND ${update_icons} -q -t "${share}/icons/hicolor")
    endif()
  endif()
]])

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plotvale)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Corvane <plotvale@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert Windows metafiles (WMF, WMZ, APM) to raster images")
set(CPACK_PACKAGE_DESCRIPTION
    "Plotvale converts Windows metafiles into raster images in 23 formats, by the thousand:\nrotation, resizing, colour work, frames, watermarks and file-name masks included.\nIt has a command-line face for scripts and a desktop window over the same settings,\nand draws WMF thumbnails for file managers.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY plotvale)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvane.example/plotvale/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Metric-compatible faces for the fonts metafiles name; the databases the
# triggers update; xdg-open for the window face's manual and links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, fonts-dejavu-core, shared-mime-info, desktop-file-utils, hicolor-icon-theme, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
