# The Debian package: `cmake --build build --target package` writes
# build/irvata_<version>_amd64.deb with both programs, the help pages, the desktop entry, the
# *.irv file type, the icon (all installed from src/app) and the sample mine.

install(FILES ${PROJECT_SOURCE_DIR}/examples/sample_mine.irv DESTINATION share/irvata/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME irvata)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Irvata maintainers <irvata@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fire-fighting and irrigation pipelines of a coal mine")
# Below the summary line.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Ирвата keeps a mine's underground fire-fighting and irrigation water pipeline and the\n"
  "other pipes laid in its workings: tables of nodes, workings and equipment, checks, the\n"
  "technological schema, its pictures and printing, and the 3D topology schema.\n"
  "irvata-cli reads, checks, converts, draws and prints network files without a display.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps (dpkg-dev). Qt's platform plugins,
# the offscreen one irvata-cli draws with included, ship in libqt6gui6, which it pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs and buttons in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
