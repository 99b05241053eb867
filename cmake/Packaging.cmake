# A Debian package of the program: `cpack -G DEB` in the build directory, or scripts/package.
set(CPACK_PACKAGE_NAME lattiscribe)
set(CPACK_PACKAGE_VENDOR Kelvo)
set(CPACK_PACKAGE_CONTACT "Kelvo <lattiscribe@kelvo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "LattiScribe lays a text, Chinese first of all, out on A4 pages of square practice cells and saves\n"
    "them as a multi-page PDF at 300 dpi: Trace books with a model glyph and faded copies per row, Copy\n"
    "books in reading order. Includes the command-line renderer lattiscribe-render.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kelvo.invalid/lattiscribe")
# The Qt libraries come from dpkg-shlibdeps; the Kai font is what makes the default "楷体" look right.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-ukai")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
