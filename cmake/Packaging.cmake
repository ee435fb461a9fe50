# Installation layout and the Debian package built by cpack:
#   bin/zel, bin/zelctl, bin/zelsim
#   share/zel/zel.ini                          packaged defaults, copied to ~/.config/zel
#   share/applications/zel.desktop, share/icons/hicolor/scalable/apps/zel.svg
#   share/man/man1/zelctl.1.gz                 made from zelctl --help-all
include(GNUInstallDirs)

set(ZEL_PACKAGE_DATA ${CMAKE_SOURCE_DIR}/data/package)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/core/shell/ProgramFolder.cpp
    DIRECTORY ${CMAKE_SOURCE_DIR}/src
    PROPERTIES COMPILE_DEFINITIONS ZEL_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/zel")

# The built programs find the same defaults beside them (build/share/zel).
configure_file(${CMAKE_SOURCE_DIR}/data/zel.ini ${CMAKE_BINARY_DIR}/share/zel/zel.ini COPYONLY)

set(ZEL_MAN_PAGE ${CMAKE_BINARY_DIR}/zelctl.1.gz)
add_custom_command(OUTPUT ${ZEL_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -DZELCTL=$<TARGET_FILE:zelctl> -DOUTPUT=${CMAKE_BINARY_DIR}/zelctl.1
            -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/zelctl.1
    DEPENDS zelctl ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "zelctl manual page")
add_custom_target(zelctl_man ALL DEPENDS ${ZEL_MAN_PAGE})

install(TARGETS zel zelctl zelsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/zel.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/zel)
install(FILES ${ZEL_PACKAGE_DATA}/zel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZEL_PACKAGE_DATA}/zel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ZEL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack packs what the build made; it does not build everything again first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "zel maintainers <zel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Service tool for CCTV camera controllers on an RS-232 line")
set(CPACK_PACKAGE_DESCRIPTION
    "zel drives pan/tilt/zoom cameras from an on-screen panel, edits their titles, backs up and restores their settings and reflashes their CPUs over one serial line. zelctl does the same from scripts; zelsim simulates a camera controller.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs in Japanese and a font with the Japanese captions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipafont-gothic")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

if(ZEL_BUILD_TESTS)
    # The package builds and holds the files (cpack reuses the built programs).
    add_test(NAME package_deb
        COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
    set_tests_properties(package_deb PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
endif()
