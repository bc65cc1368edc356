# Two builds of one commit in different folders make the same programs and library, byte for
# byte, and so the same packages.
#
# Paths: the compiler writes the source and build folders into debug information and
# __FILE__; both are mapped to fixed names (GCC tries the map given last first, so the build
# folder, usually inside the source folder, keeps its own name). A debug build keeps the
# real paths, for the debugger.
add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                    "$<$<NOT:$<CONFIG:Debug>>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=./build>")

# The search path the programs use inside the build folder is relative to themselves, so its
# length, and with it where everything after it lies in the file, does not depend on the
# folder's name; installing replaces it in place.
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)

# The date a build stands for: SOURCE_DATE_EPOCH when set, else the time of the last commit,
# else now. The Debian changelog, the manual pages and the release in the AppStream metainfo
# carry it, so a build of an unchanged commit says the same date whenever it runs.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ORVEL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE ORVEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE _orvel_git_status ERROR_QUIET)
  if(NOT _orvel_git_status EQUAL 0 OR NOT ORVEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    string(TIMESTAMP ORVEL_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
endif()
set(ORVEL_SOURCE_DATE_EPOCH ${ORVEL_SOURCE_DATE_EPOCH} CACHE INTERNAL "The date the build stands for (seconds since 1970)")
