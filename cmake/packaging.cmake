# Installing, and a Debian package: cmake --install build, or cpack -G DEB in the build folder.
include(GNUInstallDirs)
set(NORMALS_APP_ID org.example.normals)
set(NORMALS_MAINTAINER "Normals Maintainers <normals@example.org>")
install(TARGETS normals normals-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages carry the project's version, compressed as Debian wants them.
set(man_pages "")
foreach(page normals.1 normals-snapshot.1)
  configure_file(man/${page}.in ${PROJECT_BINARY_DIR}/man/${page} @ONLY)
  add_custom_command(OUTPUT man/${page}.gz
    COMMAND gzip -9 -n -f -k man/${page}
    DEPENDS ${PROJECT_BINARY_DIR}/man/${page}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
  list(APPEND man_pages ${PROJECT_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(normals_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The desktop's menu entry, its icons (made by scripts/make-icons.sh, one file per size) and
# the AppStream description software centres show.
install(FILES data/${NORMALS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
file(GLOB icons ${PROJECT_SOURCE_DIR}/data/icons/*.png)
foreach(icon IN LISTS icons)
  get_filename_component(size ${icon} NAME_WE)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${NORMALS_APP_ID}.png)
endforeach()
configure_file(data/${NORMALS_APP_ID}.metainfo.xml
  ${PROJECT_BINARY_DIR}/data/${NORMALS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/data/${NORMALS_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The copyright file in Debian's machine-readable form, made from LICENSE so the licence has
# one text; the changelog, compressed.
file(READ LICENSE license)
if(NOT license MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.*)$")
  message(FATAL_ERROR "LICENSE does not start as the copyright file expects")
endif()
set(holder "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
file(WRITE ${PROJECT_BINARY_DIR}/doc/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PROJECT_NAME}
Upstream-Contact: ${NORMALS_MAINTAINER}

Files: *
Copyright: ${holder}
License: Expat

License: Expat
 ${terms}
")
add_custom_command(OUTPUT doc/changelog.gz
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/data/changelog > doc/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/data/changelog
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
add_custom_target(normals_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/doc/changelog.gz)
install(FILES README.md ${PROJECT_BINARY_DIR}/doc/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME normals)
set(CPACK_PACKAGE_VENDOR "The normals authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "${NORMALS_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"One window shows one of six parametric surfaces, cut into 21 x 21 lit cells,
each with a black outline and a red line along its normal, with the three axes
and the surface's formula. Keys change the surface, pause the animation that
slides the grid across it, and quit.
.
normals-snapshot writes the same frames as PNG files or animated GIFs, on a
virtual display when there is no screen.")
# The libraries come from the binaries themselves (dpkg-shlibdeps). Mesa's renderer is loaded
# at run time, so no binary names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
# normals-snapshot draws on a virtual display through xvfb-run when no screen is reachable.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xvfb, xauth")
include(CPack)
