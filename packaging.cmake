# Installation into any prefix and the Debian package.
#
# The program finds its share folder as ../share/quotewell from its own folder, so the layout below
# must keep bin/ and share/ siblings under one prefix.

install(FILES ${PROJECT_SOURCE_DIR}/data/quickref.html DESTINATION ${CMAKE_INSTALL_DATADIR}/quotewell)
# Only the puzzles themselves: Puzzles/src holds the recipes they are built from.
file(GLOB _qw_samples ${PROJECT_SOURCE_DIR}/Puzzles/*.QWL ${PROJECT_SOURCE_DIR}/Puzzles/*.jpz
  ${PROJECT_SOURCE_DIR}/Puzzles/*.ipuz)
install(FILES ${_qw_samples} DESTINATION ${CMAKE_INSTALL_DATADIR}/quotewell/Puzzles)
install(FILES ${PROJECT_SOURCE_DIR}/data/quotewell.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/quotewell.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  RENAME com.example.quotewell.metainfo.xml)
install(FILES ${PROJECT_SOURCE_DIR}/data/quotewell-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME quotewell.xml)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quotewell.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
  FILES_MATCHING PATTERN "*.png")

set(CPACK_PACKAGE_NAME quotewell)
set(CPACK_PACKAGE_VENDOR "Tamarisk")
set(CPACK_PACKAGE_CONTACT "Quotewell team <quotewell@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Solve acrostic puzzles on screen and on paper")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A RelWithDebInfo build carries some 15 MB of debugging data the package has no use for.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link come from dpkg-shlibdeps. Listed by hand is what is loaded at run
# time only: the SVG plugins (About box icon) and the fonts that stand in for Arial on screen and
# on paper. The xcb and offscreen platform plugins ship in libqt6gui6 itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4), fonts-liberation2")
# The composer reads its words and clue drafts from these, as installed; without them it says so.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme, scowl, wordnet-base")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quotewell opens acrostic puzzle files (.QWL, JPZ, ipuz), lets you type letters
into the diagram or the word list, checks and reveals letters once the
puzzle's key number is known, saves progress and prints puzzles. Its sibling,
Quotewell Composer, builds acrostics from a quotation.")
set(CPACK_GENERATOR DEB)
include(CPack)
