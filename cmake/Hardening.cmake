# The distribution's hardening flags, as dpkg-buildflags gives them to every Debian package
# (DEB_BUILD_MAINT_OPTIONS=hardening=+all): the stack protector, FORTIFY_SOURCE, full RELRO
# and BIND_NOW. Debian's compiler makes position-independent executables by itself.
#
# On by default, off in the sanitizer and fuzzing builds (their run-time libraries replace
# the checked functions FORTIFY_SOURCE calls). dpkg-buildflags' optimisation and debug
# options are left out: the build type chooses those. Its path mapping is left out too:
# Reproducible.cmake maps the source and build folders itself.
if(ORVEL_SANITIZE OR ORVEL_TSAN OR ORVEL_FUZZ)
  set(_orvel_harden_default OFF)
else()
  set(_orvel_harden_default ON)
endif()
option(ORVEL_HARDEN "Build with the distribution's hardening flags (dpkg-buildflags)" ${_orvel_harden_default})

if(ORVEL_HARDEN)
  find_program(ORVEL_DPKG_BUILDFLAGS dpkg-buildflags)
  # What dpkg-buildflags gives on Debian 12, for systems without it.
  set(_orvel_hardening_CPPFLAGS -D_FORTIFY_SOURCE=2)
  set(_orvel_hardening_CXXFLAGS -fstack-protector-strong)
  set(_orvel_hardening_LDFLAGS -Wl,-z,relro -Wl,-z,now)
  if(ORVEL_DPKG_BUILDFLAGS)
    foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${ORVEL_DPKG_BUILDFLAGS} --get ${_kind}
        OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE _status)
      if(NOT _status EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags --get ${_kind} failed")
      endif()
      separate_arguments(_flags UNIX_COMMAND "${_flags}")
      # -Wformat and -Werror=format-security are inside the project's -Wformat=2 already.
      list(FILTER _flags EXCLUDE REGEX "^(-g.*|-O.*|-f(file|debug|macro)-prefix-map=.*|-Wformat.*|-Werror=format.*)$")
      set(_orvel_hardening_${_kind} ${_flags})
    endforeach()
  endif()
  list(JOIN _orvel_hardening_CPPFLAGS " " _shown)
  list(JOIN _orvel_hardening_CXXFLAGS " " _shown_cxx)
  list(JOIN _orvel_hardening_LDFLAGS " " _shown_ld)
  message(STATUS "Hardening flags: ${_shown} ${_shown_cxx} ${_shown_ld}")

  # FORTIFY_SOURCE checks only optimised code; an unoptimised build would warn of it.
  foreach(_flag IN LISTS _orvel_hardening_CPPFLAGS)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:${_flag}>)
  endforeach()
  add_compile_options(${_orvel_hardening_CXXFLAGS})
  add_link_options(${_orvel_hardening_LDFLAGS})
endif()
