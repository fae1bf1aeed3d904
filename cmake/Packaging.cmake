# Installing the programs, and the Debian package made from the installed
# tree (cpack -G DEB in the build folder).
install(TARGETS tickwell tickwell-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The commands the light tickwell-cli hands on; found from its own folder.
install(TARGETS tickwell-cli-full RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tickwell)

set(CPACK_PACKAGE_NAME tickwell)
set(CPACK_PACKAGE_VENDOR "The Tickwell team")
set(CPACK_PACKAGE_CONTACT "support@tickwell.example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop event reminder")
set(CPACK_PACKAGE_DESCRIPTION
  "Tickwell keeps one list of dated events, each with a repeat rule, an end date, a notice period and a keep flag, and shows every day which are coming, due today or overdue: at start-up, from its tray icon and at set times. It has a main list, an event editor, a calendar, a desktop clock, printing, CSV and iCalendar exchange, backup and restore, and tickwell-cli, a command line over the same events.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# Libraries from the programs' links; the display plugin Qt loads at run time
# is no link, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-gtk-platformtheme, fonts-noto-color-emoji")
include(CPack)
