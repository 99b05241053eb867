# A Debian package of the program: `cpack -G DEB` in the build directory, or scripts/package.
set(CPACK_PACKAGE_NAME lattiscribe)
set(CPACK_PACKAGE_VENDOR Kelvo)
set(CPACK_PACKAGE_CONTACT "Kelvo <lattiscribe@kelvo.invalid>")
# Debian wants a synopsis that is a phrase, and description lines within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "handwriting-practice copybook maker for Chinese text")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "LattiScribe lays a text, Chinese first of all, out on A4 pages of square\n"
    "practice cells, each with a dotted cross through its centre, and saves them\n"
    "as one multi-page PDF at 300 dpi. Trace books give every character a row of\n"
    "its own: a model glyph, then faded copies to trace over. Copy books lay the\n"
    "text out in reading order.\n"
    "\n"
    "The package holds the window program, Lattiscribe, and the command-line\n"
    "renderer lattiscribe-render, which needs no display.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kelvo.invalid/lattiscribe")
# The Qt libraries come from dpkg-shlibdeps. The Kai font is what makes the default "楷体" look right;
# Qt's own catalogue translates the standard dialogs; the window's Chinese text wants a CJK sans font,
# and tone-marked pinyin and Latin text want DejaVu.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-arphic-ukai, fonts-wqy-microhei | fonts-noto-cjk, fonts-dejavu-core, qttranslations5-l10n")
# The pinyin band prefers Andika's single-storey a and g, and falls back on DejaVu Sans without it. LXGW
# WenKai is a free Kai of full coverage for the Font Name list, beside the default 楷体.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-sil-andika, fonts-lxgw-wenkai")
set(CPACK_STRIP_FILES ON)
include(CPack)
