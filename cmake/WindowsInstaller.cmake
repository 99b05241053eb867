# The Windows installer (NSIS) and the portable zip, made by `cpack` in the build folder or by
# scripts/package-windows. The installer's script is our own (packaging/windows/NSIS.template.in):
# CMake's asks for administrator rights, where a teacher may only install for themselves.
set(CPACK_PACKAGE_NAME LattiScribe)
set(CPACK_PACKAGE_VENDOR Kelvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Handwriting-practice copybooks for Chinese text")
set(CPACK_PACKAGE_INSTALL_DIRECTORY LattiScribe)
set(CPACK_PACKAGE_FILE_NAME LattiScribe-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR NSIS ZIP)
# The zip unpacks into a folder of its own name, the installer straight into the folder chosen.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/cpack-generator.cmake)
set(CPACK_NSIS_PACKAGE_NAME "格书字帖 LattiScribe")
# The Start-menu entry and the name in the list of installed programs: the program's Chinese name.
set(CPACK_NSIS_DISPLAY_NAME "格书字帖")
set(CPACK_NSIS_INSTALLED_ICON_NAME Lattiscribe.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/lattiscribe.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/lattiscribe.ico)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_STRIP_FILES ON)
# CPack looks for NSIS.template.in on the module path first.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
include(CPack)
