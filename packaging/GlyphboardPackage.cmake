# The Debian package, built by CPack from the install rules:
#
#   cpack --config build/CPackConfig.cmake -B build/package
#
# The package installs into /usr. Files that belong under /etc (the conf.d
# link of the font alias) are installed with absolute paths, so CPack stages
# through DESTDIR instead of rewriting the prefix.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${GLYPHBOARD_PACKAGE_NAME}")
set(CPACK_PACKAGE_VENDOR "The Glyphboard developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${GLYPHBOARD_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "palette for typing Arabic school mathematics into Writer")
set(CPACK_PACKAGE_DESCRIPTION [[
Glyphboard is a small always-on-top palette that types Arabic
school-mathematics notation into the open LibreOffice Writer document:
fractions, radicals, functions, sets, geometry, limits, sums and
integrals, written right to left. Each click types a short character
sequence in one of the two mathematics fonts the package installs,
Al-DizaDorvan and Al-ZavuraDorvan, and then returns to the Arabic text
font, for which the package adds a fontconfig alias named Traditional
Arabic.]])
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${GLYPHBOARD_COMPONENT};/")
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GLYPHBOARD_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${GLYPHBOARD_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Libraries come from dpkg-shlibdeps; what the programs reach at run time
# without linking to it is listed here: the word processor they type into,
# fontconfig for the alias and the font it points to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libreoffice-writer, fontconfig, fonts-hosny-amiri")

include(CPack)
