# Installing Orvel where a Debian system expects it, and the .deb CPack builds from the same
# rules: the three programs, libkpx2.so with its header, the desktop entry, the icon, the udev
# rule for the converter, the manual pages made from the programs' --help, and the package's
# copyright file and changelog.
# Libraries go to the multiarch folder on Debian, under /usr and /usr/local alike (both are in
# ld.so's search path there). Qt's package files may have set the plain default already.
if(CMAKE_LIBRARY_ARCHITECTURE AND EXISTS /etc/debian_version
   AND (NOT CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (LIBDIR)" FORCE)
endif()
include(GNUInstallDirs)

set(ORVEL_PACKAGE_NAME orvel)
set(ORVEL_PACKAGE_MAINTAINER "Orvel developers <orvel@example.org>" CACHE STRING
    "Maintainer named in the .deb's control file and its changelog")
set(ORVEL_PACKAGE_RELEASE 1)   # the Debian revision: a new package of the same sources counts up
set(_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${ORVEL_PACKAGE_NAME})   # named after the package
set(_packaging_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_packaging_out})

# The loader library: its SONAME follows the project's major version (libkpx2.so.2), the file
# carries the whole version; callers compile against kpx2.h.
set_target_properties(kpx2 PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})

set(_programs kpx-sim)
if(TARGET orvel-cli)
  list(PREPEND _programs orvel-cli)
endif()
if(TARGET orvel)
  list(PREPEND _programs orvel)
endif()
install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kpx2 LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/loader/kpx2.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

if(TARGET orvel)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/orvel.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/orvel.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
endif()

# udev reads packaged rules from <prefix>/lib/udev/rules.d (/usr/lib and /usr/local/lib alike),
# never from the multiarch library folder.
install(FILES ${PROJECT_SOURCE_DIR}/assets/60-orvel-kpx.rules DESTINATION lib/udev/rules.d)

# Manual pages, made at build time from each program's --help and --version by help2man and
# compressed as Debian installs them. The window answers both without a display.
find_program(ORVEL_HELP2MAN help2man)
find_program(ORVEL_GZIP gzip)
if(ORVEL_HELP2MAN AND ORVEL_GZIP)
  set(_man_summary_orvel "editor and librarian of the KPX-2 and KPX-3 foot controllers")
  set(_man_summary_orvel-cli "command-line companion of the KPX-2/KPX-3 editor")
  set(_man_summary_kpx-sim "virtual KPX-2/KPX-3 foot controller on a pseudo-terminal")
  set(_man_pages)
  foreach(program IN LISTS _programs)
    set(page ${_packaging_out}/${program}.1.gz)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${ORVEL_HELP2MAN} --no-info --section=1 "--name=${_man_summary_${program}}"
              --output=${_packaging_out}/${program}.1 $<TARGET_FILE:${program}>
      COMMAND ${ORVEL_GZIP} -9nf ${_packaging_out}/${program}.1
      DEPENDS ${program}
      COMMENT "Making the manual page of ${program}"
      VERBATIM)
    list(APPEND _man_pages ${page})
  endforeach()
  add_custom_target(orvel_man_pages ALL DEPENDS ${_man_pages})
  install(FILES ${_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man or gzip not found: no manual pages (scripts/install-deps.sh installs help2man)")
endif()

# The package's copyright file and changelog, where Debian keeps them for every package.
string(TIMESTAMP _changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/cmake/changelog.Debian.in ${_packaging_out}/changelog.Debian @ONLY)
execute_process(COMMAND gzip -9nf ${_packaging_out}/changelog.Debian)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright ${_packaging_out}/changelog.Debian.gz DESTINATION ${_doc_dir})

# The .deb: `cpack` in the build folder (or `cmake --build build --target package`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ORVEL_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ORVEL_PACKAGE_RELEASE})   # orvel_2.4-1_amd64.deb
set(CPACK_PACKAGE_CONTACT ${ORVEL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and librarian for the KPX-2 and KPX-3 foot controllers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvel edits the foot controllers' 100 presets, bank functions and global
settings, keeps whole set-ups in preset files, transfers them to and from the
controller over its USB converter or a serial port and upgrades the
controller's firmware.
.
The package holds the editor's window, orvel-cli (the same commands from a
terminal), kpx-sim (a virtual controller on a pseudo-terminal, to try
everything without hardware), the firmware loader library libkpx2 with its
header, and a udev rule that gives the user logged in at the seat access to
FTDI USB converters with low latency.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORVEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries' links do not say: Qt's platform plug-ins (the window and the CLI's
# print-table) and the printed table's font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# libkpx2 is registered with ld.so through dpkg's ldconfig trigger; the maintainer scripts
# apply and retract the udev rule (they replace CPack's own, which would call ldconfig).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/cmake/deb/postinst ${PROJECT_SOURCE_DIR}/cmake/deb/postrm ${PROJECT_SOURCE_DIR}/cmake/deb/triggers)
include(CPack)
