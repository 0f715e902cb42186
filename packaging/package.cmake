# The system-wide install that the Debian package carries: the two programs in bin/, the
# shipped tree in share/frondel/temp (which seeds each user's working folder), the desktop
# entry, icons, AppStream metadata, man pages and the copyright file. kestrup stays out.
include(GNUInstallDirs)
set(package_dir ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PACKAGE_CONTACT "the frondel authors <frondel@example.org>")
set(generated ${PROJECT_BINARY_DIR}/packaging)

install(DIRECTORY data/temp/ DESTINATION ${CMAKE_INSTALL_DATADIR}/frondel/temp)

set(FRONDEL_EXEC frondel)
set(FRONDEL_ICON frondel)
configure_file(icons/frondel.desktop.in ${generated}/frondel.desktop @ONLY)
install(FILES ${generated}/frondel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 256)
  install(FILES icons/frondel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME frondel.png)
endforeach()
install(FILES icons/frondel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The release date of the metadata and the changelog; SOURCE_DATE_EPOCH fixes it.
string(TIMESTAMP release_date "%Y-%m-%d" UTC)
configure_file(${package_dir}/frondel.metainfo.xml.in ${generated}/frondel.metainfo.xml @ONLY)
install(FILES ${generated}/frondel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The man pages are made from each program's --help and --version, so they never drift apart.
find_program(HELP2MAN help2man REQUIRED)
set(man_pages)
foreach(page "frondel|build and export the menu texture files of a football game's menu screens"
             "frondel-cli|build, export and describe menu texture files from the command line")
  string(REPLACE "|" ";" page "${page}")
  list(GET page 0 program)
  list(GET page 1 summary)
  add_custom_command(
    OUTPUT ${generated}/${program}.1.gz
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr "--name=${summary}"
            --include=${package_dir}/working-folder.h2m --output=${generated}/${program}.1
            $<TARGET_FILE:${program}>
    COMMAND gzip -9nf ${generated}/${program}.1
    DEPENDS ${program} ${package_dir}/working-folder.h2m
    VERBATIM)
  list(APPEND man_pages ${generated}/${program}.1.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The copyright file in Debian's machine-readable format, with the licence text of LICENSE.
file(READ LICENSE licence_text)
string(FIND "${licence_text}" "Permission is hereby granted" licence_start)
string(SUBSTRING "${licence_text}" ${licence_start} -1 licence_text)
string(STRIP "${licence_text}" licence_text)
string(REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REPLACE "\n" "\n " licence_text "${licence_text}")
configure_file(${package_dir}/copyright.in ${generated}/copyright @ONLY)
install(FILES ${generated}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# A native package carries its changelog, in Debian's format.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${package_dir}/changelog.in ${generated}/changelog @ONLY)
add_custom_command(
  OUTPUT ${generated}/changelog.gz
  COMMAND gzip -9nkf ${generated}/changelog
  DEPENDS ${generated}/changelog)
add_custom_target(changelog ALL DEPENDS ${generated}/changelog.gz)
install(FILES ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME frondel)
set(CPACK_PACKAGE_VENDOR "the frondel authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "menu texture files of a football game's menu screens")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "frondel builds the compressed menu texture files (.bin) of a football game's\n"
    "menu screens from a DDS texture or a picture and one of thirteen menu places,\n"
    "and exports the texture back out of such a file. frondel-cli does the same\n"
    "from the command line.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's layout is measured in this font; a font is no library, so dpkg-shlibdeps
# cannot find it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
