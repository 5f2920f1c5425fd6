# The programs as a desktop expects them installed: the menu entry, the .klx file type, icons in the
# hicolor theme, the software centre's data and the manual pages; and the Debian package made from
# that same install (`cpack -G DEB` in the build folder).

# The release's version and date come from the top entry of the package's changelog, so the
# metainfo, the manual pages and the package never tell different stories.
set(KAL_CHANGELOG ${CMAKE_SOURCE_DIR}/packaging/debian/changelog)
file(STRINGS ${KAL_CHANGELOG} KAL_CHANGELOG_HEAD LIMIT_COUNT 1)
file(STRINGS ${KAL_CHANGELOG} KAL_CHANGELOG_TRAILER REGEX "^ -- " LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KAL_CHANGELOG})
if(NOT KAL_CHANGELOG_HEAD MATCHES "^kalendra \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: its top entry is not for version ${PROJECT_VERSION}: add one")
endif()
if(NOT KAL_CHANGELOG_TRAILER MATCHES "^ -- (.+)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/debian/changelog: the top entry's trailer line does not read")
endif()
set(KAL_MAINTAINER "${CMAKE_MATCH_1}")
set(day ${CMAKE_MATCH_2})
set(year ${CMAKE_MATCH_4})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_3} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${month}" digits)
if(digits EQUAL 1)
  set(month 0${month})
endif()
set(KAL_RELEASE_DATE ${year}-${month}-${day})

find_program(KAL_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(KAL_GZIP gzip REQUIRED)
set(KAL_DESKTOP_BUILD ${CMAKE_BINARY_DIR}/desktop)
set(KAL_DESKTOP_OUTPUTS)

# The PNG sizes desktops and software centres ask for, drawn from the one scalable icon.
foreach(size 16 24 32 48 64 128 256)
  set(folder ${KAL_DESKTOP_BUILD}/icons/${size}x${size})
  add_custom_command(OUTPUT ${folder}/kalendra.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${KAL_RSVG_CONVERT} --width=${size} --height=${size} --output=${folder}/kalendra.png
      ${CMAKE_SOURCE_DIR}/data/kalendra.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/data/kalendra.svg VERBATIM)
  list(APPEND KAL_DESKTOP_OUTPUTS ${folder}/kalendra.png)
  install(FILES ${folder}/kalendra.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog, compressed as Debian's policy wants them.
foreach(page kalendra.1 kalendra-cli.1 kalendra-remind.1)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page} ${KAL_DESKTOP_BUILD}/man/${page} @ONLY)
endforeach()
configure_file(${KAL_CHANGELOG} ${KAL_DESKTOP_BUILD}/doc/changelog COPYONLY)
foreach(file man/kalendra.1 man/kalendra-cli.1 man/kalendra-remind.1 doc/changelog)
  add_custom_command(OUTPUT ${KAL_DESKTOP_BUILD}/${file}.gz
    COMMAND ${KAL_GZIP} -9 --no-name --keep --force ${KAL_DESKTOP_BUILD}/${file}
    DEPENDS ${KAL_DESKTOP_BUILD}/${file} VERBATIM)
  list(APPEND KAL_DESKTOP_OUTPUTS ${KAL_DESKTOP_BUILD}/${file}.gz)
endforeach()
add_custom_target(kalendra-desktop-files ALL DEPENDS ${KAL_DESKTOP_OUTPUTS})

set(KAL_METAINFO io.github.kalendra.Kalendra.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/data/${KAL_METAINFO}.in ${KAL_DESKTOP_BUILD}/${KAL_METAINFO} @ONLY)

install(FILES data/kalendra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/kalendra.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES data/kalendra.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${KAL_DESKTOP_BUILD}/${KAL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KAL_DESKTOP_BUILD}/man/kalendra.1.gz ${KAL_DESKTOP_BUILD}/man/kalendra-cli.1.gz
  ${KAL_DESKTOP_BUILD}/man/kalendra-remind.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The reminder starts with the session from the system's autostart folder: /etc/xdg/autostart for an
# install into /usr (the package), PREFIX/etc/xdg/autostart otherwise. Worked out when installing,
# as the package installs under a prefix of its own.
install(CODE "
  if(CMAKE_INSTALL_PREFIX MATCHES \"(^|/)usr/?$\")
    string(REGEX REPLACE \"usr/?$\" \"etc/xdg/autostart\" kal_autostart \"\${CMAKE_INSTALL_PREFIX}\")
  else()
    set(kal_autostart \"\${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart\")
  endif()
  file(INSTALL \"${CMAKE_SOURCE_DIR}/data/kalendra-remind.desktop\" DESTINATION \"\${kal_autostart}\"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
")
install(FILES packaging/debian/copyright ${KAL_DESKTOP_BUILD}/doc/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kalendra)
install(FILES packaging/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
  RENAME kalendra)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalendra)
set(CPACK_PACKAGE_VENDOR "The Kalendra developers")
set(CPACK_PACKAGE_CONTACT "${KAL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese personal schedule manager")
set(CPACK_PACKAGE_DESCRIPTION "Kalendra keeps one schedule file of dated schedules, to-dos, the national
holidays of Japan, day colours and memo pages, and shows it as a month calendar
with the selected day's list beside it. Its menus, dialogs and messages are in
Japanese; its files are the CP932 .klx schedule files older installations
wrote.

kalendra-cli reads, writes and queries the same files from scripts: agendas,
CSV export and import, searches, and adding schedules to an iCalendar file or
a CalDAV server.

kalendra-remind, started with the desktop session, shows each entry's alarm
as a desktop notification when it is due.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kalendra/kalendra)
# The linked libraries (libical, libxml2, Qt) come from dpkg-shlibdeps; what the programs only load,
# call or read when present is recommended: libcurl for a CalDAV server (loaded on first use, so no
# tool sees it), a Japanese font, Qt's Japanese texts, the browser opener for the manual, and the
# tools the maintainer scripts run.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The reminder shows its notifications through whatever service the desktop has.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "notification-daemon")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcurl4 | libcurl3-gnutls, fonts-noto-cjk | fonts-ipafont-gothic, \
qt6-translations-l10n, xdg-utils, shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(KAL_PACKAGE_DATADIR ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR})
foreach(script postinst postrm)
  configure_file(packaging/debian/${script}.in ${KAL_DESKTOP_BUILD}/debian/${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
# The autostart entry lives in /etc, where a file the admin may edit is kept over upgrades.
file(WRITE ${KAL_DESKTOP_BUILD}/debian/conffiles "/etc/xdg/autostart/kalendra-remind.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${KAL_DESKTOP_BUILD}/debian/postinst ${KAL_DESKTOP_BUILD}/debian/postrm
  ${KAL_DESKTOP_BUILD}/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
