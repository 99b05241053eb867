# The Windows build (scripts/build-windows): what the SDK's static libraries need at link time, the
# folder the programs run from, with the Qt DLLs and plugins they load, and the installer and zip made
# from it (scripts/package-windows). The installed tree is flat: Qt finds its plugins beside the program,
# and qt.conf points its translations at the folder below.
if(NOT LATTISCRIBE_WIN_SDK)
    message(FATAL_ERROR "The Windows build needs the SDK's toolchain file (scripts/build-windows)")
endif()

# Only what the programs load: Network, Sql, Xml and the rest of the SDK stay out.
set(qt_dir ${LATTISCRIBE_WIN_SDK}/qt5)
set(windows_dlls
    ${qt_dir}/bin/Qt5Core.dll ${qt_dir}/bin/Qt5Gui.dll ${qt_dir}/bin/Qt5Widgets.dll ${qt_dir}/bin/Qt5PrintSupport.dll
    ${LATTISCRIBE_WIN_SDK}/runtime/libstdc++-6.dll ${LATTISCRIBE_WIN_SDK}/runtime/libgcc_s_seh-1.dll
    ${LATTISCRIBE_WIN_SDK}/runtime/libwinpthread-1.dll)
install(FILES ${windows_dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
# Both programs use the native platform (startup.h says why the renderer does).
install(FILES ${qt_dir}/plugins/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${qt_dir}/plugins/styles/qwindowsvistastyle.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
install(FILES ${qt_dir}/plugins/printsupport/windowsprintersupport.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/printsupport)
install(FILES ${qt_dir}/translations/qtbase_zh_CN.qm DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})

# The licences of what the installed tree carries, from the Debian packages built from the same
# sources, and where those sources are.
set(licence_dir ${CMAKE_INSTALL_BINDIR}/licences)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/SOURCES.txt DESTINATION ${licence_dir})
# The stroke outlines compiled into both programs are under the Arphic Public License.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ARPHICPL.TXT DESTINATION ${licence_dir})
foreach(licence LGPL-3 GPL-3 Apache-2.0)
    install(FILES /usr/share/common-licenses/${licence} DESTINATION ${licence_dir} RENAME ${licence}.txt)
endforeach()
foreach(package libqt5core5a libdeflate0 gcc-mingw-w64-base mingw-w64-common)
    if(EXISTS /usr/share/doc/${package}/copyright)
        install(FILES /usr/share/doc/${package}/copyright DESTINATION ${licence_dir}
            RENAME ${package}-copyright.txt)
    else()
        message(FATAL_ERROR "No licence text from the Debian package ${package}; install it (scripts/setup)")
    endif()
endforeach()

# LXGW WenKai (SIL Open Font License 1.1), a Kai of full coverage for a Windows without 楷体, from Debian's
# fonts-lxgw-wenkai: into fonts/ beside the programs, which register what is there at start
# (FontFiles::registerBundledFonts); the package's copyright file carries the licence's text.
set(lxgw_wenkai /usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Regular.ttf)
if(NOT EXISTS ${lxgw_wenkai} OR NOT EXISTS /usr/share/doc/fonts-lxgw-wenkai/copyright)
    message(FATAL_ERROR "No LXGW WenKai at ${lxgw_wenkai}; install fonts-lxgw-wenkai (scripts/setup)")
endif()
install(FILES ${lxgw_wenkai} DESTINATION ${CMAKE_INSTALL_BINDIR}/fonts)
install(FILES /usr/share/doc/fonts-lxgw-wenkai/copyright DESTINATION ${licence_dir}
    RENAME fonts-lxgw-wenkai-copyright.txt)

include(cmake/WindowsInstaller.cmake)

# The tests run under Wine, in a prefix of their own (tests/windows/wine). It lies in the system's
# temporary folder, named after the build tree, not in the tree: Wine refuses a prefix that does not show
# the user running it as its owner, which a checkout mounted from elsewhere may not.
string(MD5 build_tag ${CMAKE_BINARY_DIR})
string(SUBSTRING ${build_tag} 0 12 build_tag)
set(LATTISCRIBE_WINE_PREFIX /tmp/lattiscribe-wine-${build_tag})
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/windows/wine-run.sh ${LATTISCRIBE_WIN_SDK}
        ${LATTISCRIBE_WINE_PREFIX} ${CMAKE_BINARY_DIR})
endif()
