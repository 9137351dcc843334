# Installation into any prefix and the Debian package.

install(FILES ${PROJECT_SOURCE_DIR}/data/quickref.html DESTINATION ${CMAKE_INSTALL_DATADIR}/quotewell OPTIONAL)
file(GLOB _qw_samples ${PROJECT_SOURCE_DIR}/Puzzles/*.QWL)
install(FILES ${_qw_samples} DESTINATION ${CMAKE_INSTALL_DATADIR}/quotewell/Puzzles)
install(FILES ${PROJECT_SOURCE_DIR}/data/quotewell.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/data/quotewell-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME quotewell.xml OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quotewell.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps OPTIONAL)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons OPTIONAL)

set(CPACK_PACKAGE_NAME quotewell)
set(CPACK_PACKAGE_VENDOR "Tamarisk")
set(CPACK_PACKAGE_CONTACT "Quotewell team <quotewell@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Solve acrostic puzzles on screen and on paper")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6svg6 (>= 6.4), qt6-qpa-plugins, fonts-liberation2, libc6, libstdc++6")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quotewell opens acrostic puzzle files (.QWL), lets you type letters\n into the diagram or the word list, checks and reveals letters once the\n puzzle's key number is known, saves progress and prints puzzles.")
set(CPACK_GENERATOR DEB)
include(CPack)
