# A Debian package of the installed layout: `cpack -G DEB` in a configured build folder
# (package.sh does it all). The libraries it needs are found by dpkg-shlibdeps; what is only
# loaded at run time (the SQLite driver of Qt SQL) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qxreminder)
set(CPACK_PACKAGE_VENDOR "橙岭软件工作室")
set(CPACK_PACKAGE_CONTACT "橙岭软件工作室 <qxreminder@example.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.example.com/chengling/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timed reminders for a small group sharing one database")
set(CPACK_PACKAGE_DESCRIPTION [[
A small group of people who share one database file, on one machine or
in a network folder, publish reminders to themselves and to each other;
every running copy pops up, with a sound, the reminders that have fallen
due for its user until he acknowledges or postpones them. Birthday,
appointment and anniversary reminders, accounts with their rights, and a
perpetual calendar with Chinese lunar dates.]])

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
# The windows are in Chinese; a team's store on a PostgreSQL server needs Qt SQL's driver
# for it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, libqt6sql6-psql")
set(CPACK_STRIP_FILES ON)

include(CPack)
