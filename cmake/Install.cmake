# The installed layout (`cmake --install`, and the package made from it). The portable layout
# in build/bin is left as it is; these rules only say where each file goes under the prefix.
include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the icon and the AppStream component.
set(QX_APP_ID cn.chengling.QxReminder)
set(QX_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS qxreminder qxreminder-newstore RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The sounds and the icons are made by the asset generator during the build.
get_target_property(QX_SOUND_FILES qx_assets QX_SOUND_FILES)
install(FILES ${QX_SOUND_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/qxreminder/wave)

get_target_property(QX_ICON_DIR qx_assets QX_ICON_DIR)
set(QX_ICON_THEME_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${QX_ICON_DIR}/appIcon${size}.png
          DESTINATION ${QX_ICON_THEME_DIR}/${size}x${size}/apps RENAME ${QX_APP_ID}.png)
endforeach()
install(FILES ${QX_ICON_DIR}/appIcon.svg
        DESTINATION ${QX_ICON_THEME_DIR}/scalable/apps RENAME ${QX_APP_ID}.svg)

install(FILES ${QX_PACKAGING_DIR}/${QX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QX_PACKAGING_DIR}/${QX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages carry the project's version and are installed compressed, as Debian wants them.
find_program(QX_GZIP gzip REQUIRED)
set(QX_MAN_DIR ${CMAKE_BINARY_DIR}/packaging/man)
set(QX_MAN_PAGES)
foreach(page qxreminder qxreminder-newstore)
  configure_file(${QX_PACKAGING_DIR}/${page}.1.in ${QX_MAN_DIR}/${page}.1 @ONLY)
  add_custom_command(
    OUTPUT ${QX_MAN_DIR}/${page}.1.gz
    COMMAND ${QX_GZIP} -9nkf ${page}.1
    DEPENDS ${QX_MAN_DIR}/${page}.1
    WORKING_DIRECTORY ${QX_MAN_DIR}
    VERBATIM)
  list(APPEND QX_MAN_PAGES ${QX_MAN_DIR}/${page}.1.gz)
endforeach()
add_custom_target(qx_man_pages ALL DEPENDS ${QX_MAN_PAGES})
install(FILES ${QX_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
