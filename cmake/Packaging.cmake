# Installing Orvel where a Debian system expects it, and the three .deb packages CPack builds
# from the same rules, one install component each:
#   orvel        (programs)    the three programs with their manual pages, the desktop entry
#                              and icons, the preset files' type, the AppStream metainfo and
#                              the udev rule for the converter;
#   libkpx2-2    (runtime)     the loader library, named for its SONAME libkpx2.so.2;
#   libkpx2-dev  (development) its headers, the development link, kpx2.pc and the CMake
#                              package (find_package(kpx2), target kpx2::kpx2).
# Each package carries the copyright file and the changelog in its own doc folder.

# Libraries go to the multiarch folder on Debian, under /usr and /usr/local alike (both are in
# ld.so's search path there). Qt's package files may have set the plain default already.
if(CMAKE_LIBRARY_ARCHITECTURE AND EXISTS /etc/debian_version
   AND (NOT CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (LIBDIR)" FORCE)
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ORVEL_PACKAGE_NAME orvel)
set(ORVEL_PACKAGE_MAINTAINER "Orvel developers <orvel@example.org>" CACHE STRING
    "Maintainer named in the packages' control files and their changelog")
set(ORVEL_HOMEPAGE "https://orvel.example.org" CACHE STRING
    "The project's web site, named by the packages and the AppStream metainfo")
# The metainfo's screenshot is docs/screenshots/main-window.png of this commit, made by
# scripts/make-screenshot.sh; the web site publishes that folder of each release under
# screenshots/<version>/, so a release's metainfo keeps showing that release's window.
set(ORVEL_SCREENSHOT_URL "${ORVEL_HOMEPAGE}/screenshots/${PROJECT_VERSION}/main-window.png" CACHE STRING
    "Where the web site publishes docs/screenshots/main-window.png of this release")
set(ORVEL_PACKAGE_RELEASE 1)   # the Debian revision: a new package of the same sources counts up
# The AppStream component: reverse DNS of the project's domain. It launches orvel.desktop.
set(ORVEL_APPSTREAM_ID org.example.orvel)
set(_packaging_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_packaging_out})

# The date of the changelog entry and of the release in the metainfo: the build's date
# (Reproducible.cmake).
set(_saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${ORVEL_SOURCE_DATE_EPOCH})
string(TIMESTAMP ORVEL_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP ORVEL_RELEASE_DATE "%Y-%m-%d" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${_saved_epoch}")

# --- The loader library (libkpx2-2, libkpx2-dev) ---------------------------------------------

# Its SONAME follows the project's major version (libkpx2.so.2), the file carries the whole
# version. Callers include kpx2.h and, for the serial port functions the library exports
# besides its _LFP_ functions, zudedize.h.
set_target_properties(kpx2 PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
install(TARGETS kpx2 EXPORT kpx2Targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/loader/kpx2.h ${PROJECT_SOURCE_DIR}/serial/include/zudedize/zudedize.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

# kpx2.pc names its folders relative to its own place, so one file serves every prefix
# (the package's /usr, `cmake --install --prefix DIR`).
file(RELATIVE_PATH _pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" KPX2_PC_PREFIX "\${pcfiledir}/${_pc_to_prefix}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/kpx2.pc.in ${_packaging_out}/kpx2.pc @ONLY)
install(FILES ${_packaging_out}/kpx2.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

set(_kpx2_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/kpx2)
install(EXPORT kpx2Targets NAMESPACE kpx2:: DESTINATION ${_kpx2_cmake_dir} COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kpx2Config.cmake.in ${_packaging_out}/kpx2Config.cmake
                              INSTALL_DESTINATION ${_kpx2_cmake_dir})
write_basic_package_version_file(${_packaging_out}/kpx2ConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${_packaging_out}/kpx2Config.cmake ${_packaging_out}/kpx2ConfigVersion.cmake
        DESTINATION ${_kpx2_cmake_dir} COMPONENT development)

# --- The programs (orvel) --------------------------------------------------------------------

set(_programs kpx-sim)
if(TARGET orvel-cli)
  list(PREPEND _programs orvel-cli)
endif()
if(TARGET orvel)
  list(PREPEND _programs orvel)
endif()
# The programs that link kpx2 (the window and orvel-cli, for the firmware upgrade) find it
# beside them wherever the prefix is, with no ldconfig run after `cmake --install` (the folder
# is one ld.so searches under /usr, not under every prefix).
foreach(_program IN ITEMS orvel orvel-cli)
  if(TARGET ${_program})
    set_target_properties(${_program} PROPERTIES INSTALL_RPATH "\$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  endif()
endforeach()
install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)

if(TARGET orvel)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/orvel.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
          COMPONENT programs)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/orvel.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps COMPONENT programs)
  foreach(_size 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/orvel-${_size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${_size}x${_size}/apps RENAME orvel.png
            COMPONENT programs)
  endforeach()
  # The screenshot's size, as its PNG header gives it (width and height, 4 bytes each from
  # byte 16).
  set(_screenshot ${PROJECT_SOURCE_DIR}/docs/screenshots/main-window.png)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_screenshot})
  file(READ ${_screenshot} _png_size OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${_png_size} 0 8 _width)
  string(SUBSTRING ${_png_size} 8 8 _height)
  math(EXPR ORVEL_SCREENSHOT_WIDTH 0x${_width})
  math(EXPR ORVEL_SCREENSHOT_HEIGHT 0x${_height})
  configure_file(${PROJECT_SOURCE_DIR}/assets/orvel.metainfo.xml.in
                 ${_packaging_out}/${ORVEL_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${_packaging_out}/${ORVEL_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT programs)
endif()
# The type of preset files (application/x-orvel-setup), known by their first section.
install(FILES ${PROJECT_SOURCE_DIR}/assets/orvel-mime.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages
        RENAME orvel.xml COMPONENT programs)

# udev reads packaged rules from <prefix>/lib/udev/rules.d (/usr/lib and /usr/local/lib alike),
# never from the multiarch library folder.
install(FILES ${PROJECT_SOURCE_DIR}/assets/60-orvel-kpx.rules DESTINATION lib/udev/rules.d COMPONENT programs)

# Manual pages, made at build time from each program's --help and --version by help2man, with
# a SEE ALSO section of their own, dated by the build's date and compressed as Debian installs
# them. The window answers both without a display.
find_program(ORVEL_HELP2MAN help2man)
find_program(ORVEL_GZIP gzip)
if(ORVEL_HELP2MAN AND ORVEL_GZIP)
  set(_man_summary_orvel "editor and librarian of the KPX-2 and KPX-3 foot controllers")
  set(_man_summary_orvel-cli "command-line companion of the KPX-2/KPX-3 editor")
  set(_man_summary_kpx-sim "virtual KPX-2/KPX-3 foot controller on a pseudo-terminal")
  set(_man_pages)
  foreach(program IN LISTS _programs)
    set(page ${_packaging_out}/${program}.1.gz)
    set(include ${PROJECT_SOURCE_DIR}/cmake/man/${program}.h2m)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen SOURCE_DATE_EPOCH=${ORVEL_SOURCE_DATE_EPOCH}
              ${ORVEL_HELP2MAN} --no-info --section=1 "--name=${_man_summary_${program}}" --include=${include}
              --output=${_packaging_out}/${program}.1 $<TARGET_FILE:${program}>
      COMMAND ${ORVEL_GZIP} -9nf ${_packaging_out}/${program}.1
      DEPENDS ${program} ${include}
      COMMENT "Making the manual page of ${program}"
      VERBATIM)
    list(APPEND _man_pages ${page})
  endforeach()
  add_custom_target(orvel_man_pages ALL DEPENDS ${_man_pages})
  install(FILES ${_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
else()
  message(WARNING "help2man or gzip not found: no manual pages (scripts/install-deps.sh installs help2man)")
endif()

# --- Stripping -------------------------------------------------------------------------------

# A stripped installation (`cmake --install --strip`, and every package) also drops the
# .comment sections, which name the compilers of every object linked in.
set(_stripped ${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:kpx2>)
foreach(_program IN LISTS _programs)
  list(APPEND _stripped ${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${_program}>)
endforeach()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(file ${_stripped})
      set(path \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\")
      if(EXISTS \"\${path}\")
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${path}\" COMMAND_ERROR_IS_FATAL ANY)
      endif()
    endforeach()
  endif()" ALL_COMPONENTS)

# --- Copyright and changelog -----------------------------------------------------------------

configure_file(${PROJECT_SOURCE_DIR}/cmake/changelog.Debian.in ${_packaging_out}/changelog.Debian @ONLY)
execute_process(COMMAND gzip -9nf ${_packaging_out}/changelog.Debian)
set(_package_components programs runtime development)
set(_package_names ${ORVEL_PACKAGE_NAME} libkpx2-${PROJECT_VERSION_MAJOR} libkpx2-dev)
foreach(_component _package IN ZIP_LISTS _package_components _package_names)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright ${_packaging_out}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${_package} COMPONENT ${_component})
  string(TOUPPER ${_component} _upper)
  set(CPACK_DEBIAN_${_upper}_PACKAGE_NAME ${_package})
endforeach()

# What each package installs, relative to the prefix: the install layout test lays out a
# scratch prefix and compares, scripts/check-package.sh compares each .deb under /usr.
string(TOLOWER "${CMAKE_BUILD_TYPE}" KPX2_EXPORT_CONFIG)
if(NOT KPX2_EXPORT_CONFIG)
  set(KPX2_EXPORT_CONFIG noconfig)
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/installed_files.txt.in ${_packaging_out}/installed_files.txt @ONLY)

# --- The packages: `cpack` in the build folder (or `cmake --build build --target package`) ---

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${_package_components})
set(CPACK_PACKAGE_NAME ${ORVEL_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ORVEL_PACKAGE_RELEASE})   # orvel_2.4-1_amd64.deb
set(CPACK_PACKAGE_CONTACT ${ORVEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORVEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORVEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SOURCE ${ORVEL_PACKAGE_NAME})   # one source, as the changelog says
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)   # "libkpx2-2 (= 2.4-1)" for the other two

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "editor and librarian for the KPX-2 and KPX-3 foot controllers
Orvel edits the foot controllers' 100 presets, bank functions and global
settings, keeps whole set-ups in preset files, transfers them to and from the
controller over its USB converter or a serial port and upgrades the
controller's firmware.
.
The package holds the editor's window, orvel-cli (the same commands from a
terminal), kpx-sim (a virtual controller on a pseudo-terminal, to try
everything without hardware) and a udev rule that gives the user logged in at
the seat access to FTDI USB converters with low latency.")
set(CPACK_COMPONENT_PROGRAMS_DEPENDS runtime)
# The runtime dependencies dpkg-shlibdeps finds, but for libkpx2, which it finds in the build
# folder and leaves to the dependency on libkpx2-2 above.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
get_target_property(_kpx2_build_dir kpx2 BINARY_DIR)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${_kpx2_build_dir})
# What the libraries' links do not say: Qt's platform plug-ins (the window and the CLI's
# print-table) and the printed table's font.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# The maintainer scripts apply and retract the udev rule.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/cmake/deb/postinst ${PROJECT_SOURCE_DIR}/cmake/deb/postrm)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "firmware loader library of the KPX-2 foot controller
libkpx2 upgrades the firmware of KPX-2 foot controllers over a serial port or
USB converter with the firmware image it carries. Orvel, the controllers'
editor, calls it for its firmware upgrade.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# ld.so learns of the library through dpkg's ldconfig trigger, as debhelper's packages do.
# (CPack also gives the package maintainer scripts of its own that call ldconfig, as it does
# for every package with a library under /usr/lib; lintian's maintscript-calls-ldconfig.)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/deb/libkpx2/triggers)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "firmware loader library of the KPX-2 foot controller (development files)
libkpx2 upgrades the firmware of KPX-2 foot controllers over a serial port or
USB converter with the firmware image it carries.
.
This package holds its C headers (kpx2.h and zudedize.h), the link to build
against, the pkg-config file kpx2.pc and the CMake package kpx2 (target
kpx2::kpx2).")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)

include(CPack)
