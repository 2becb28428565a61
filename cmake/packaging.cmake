# Installing, and a Debian package: cmake --install build, or cpack -G DEB in the build folder.
include(GNUInstallDirs)
install(TARGETS normals normals-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME normals)
set(CPACK_PACKAGE_VENDOR "The normals authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "The normals authors <normals@localhost>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "One window shows one of six parametric surfaces, cut into \
21 x 21 lit cells with black outlines and a red line along every cell's normal. \
normals-snapshot writes the same frames as PNG files or animated GIFs, on a virtual display \
when there is no screen.")
# The libraries come from the binaries themselves (dpkg-shlibdeps). Mesa's renderer is loaded
# at run time, so no binary names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
# normals-snapshot draws on a virtual display through xvfb-run when no screen is reachable.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xvfb, xauth")
include(CPack)
