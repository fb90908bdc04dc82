# Installation into the standard places and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS milten milten-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/milten.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/milten-project.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/milten.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/milten-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/docs/chart.png
        ${PROJECT_BINARY_DIR}/docs/guide.html DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR}
        OPTIONAL)

set(CPACK_PACKAGE_NAME milten)
set(CPACK_PACKAGE_VENDOR "milten")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "psychrometric i-x chart in engineering units (Japanese)")
set(CPACK_PACKAGE_DESCRIPTION
    "The i-x chart of moist air at 760 mmHg in kcal/kg(DA), with air states from any two\n\
properties, mixing, cooling and heating loads, PMV/PPD and the discomfort index; and\n\
milten-cli, which completes states in batches and renders the chart to PDF, SVG or PNG.")
set(CPACK_PACKAGE_CONTACT "milten developers <milten@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the Japanese face the chart's labels are drawn in, and the
# platform plugins the window needs on a desktop (milten-cli uses the offscreen one of libqt6gui6).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2")
include(CPack)
