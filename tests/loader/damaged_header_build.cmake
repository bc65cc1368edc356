# Tries to build kpx2 from a damaged firmware header and expects the build to refuse it with
# a message naming the block, before the library is made.
#
#   cmake -DCASE=<missing_byte|missing_last_block|count_disagrees> -DSOURCE_DIR=<project>
#         -DWORK_DIR=<scratch> -DCXX=<compiler> [-DLAUNCHER=<ccache>] -P damaged_header_build.cmake

# A header in the export format, every byte 0x5A, with the damage of CASE.
set(count 89)
set(rows 89)
set(short_block -1)
if(CASE STREQUAL "missing_byte")
  set(short_block 17)
  set(expected "block 17 has 127 of its 128 bytes: 1 byte is missing")
elseif(CASE STREQUAL "missing_last_block")
  set(rows 88)
  set(expected "TablicaDanych has 88 block lines for 89 blocks: block 88 is missing")
elseif(CASE STREQUAL "count_disagrees")
  set(count 90)
  set(expected "IloscDanychZPliku declares 90 blocks; the image has 89")
else()
  message(FATAL_ERROR "unknown CASE ${CASE}")
endif()

string(REPEAT "0x5A, " 127 full_row)
string(REPEAT "0x5A, " 126 short_row)
set(header "#define TypUrzadzeniaZPliku                    0x1F\r\n")
string(APPEND header "#define NazwaUrzadzeniaZPliku                  \"KPX-2\"\r\n")
string(APPEND header "#define NumerWersjiZPliku                      \"2.25\"\r\n")
string(APPEND header "#define IloscDanychZPliku                      ${count}\r\n")
string(APPEND header "const boolean UzycAdresowaniaCzterobajtowego = false\;\r\n\r\n")
string(APPEND header "typedef byte WektorBajtow[0x80]\;\r\n")
string(APPEND header "WektorBajtow TablicaDanych[IloscDanychZPliku] =\r\n  {\r\n")
math(EXPR last "${rows} - 1")
foreach(block RANGE ${last})
  if(block EQUAL short_block)
    string(APPEND header "    {${short_row}0x5A")
  else()
    string(APPEND header "    {${full_row}0x5A")
  endif()
  if(block EQUAL last)
    string(APPEND header "}\r\n")
  else()
    string(APPEND header "},\r\n")
  endif()
endforeach()
string(APPEND header "  }\;\r\n")

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/damaged.h" "${header}")

set(configure_args -S "${SOURCE_DIR}" -B "${WORK_DIR}/build" -G Ninja -DCMAKE_CXX_COMPILER=${CXX}
    -DORVEL_FIRMWARE_HEADER=${WORK_DIR}/damaged.h -DORVEL_BUILD_UI=OFF -DORVEL_BUILD_TESTS=OFF
    -DORVEL_BUILD_BENCH=OFF)
if(LAUNCHER)
  list(APPEND configure_args -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} ${configure_args} RESULT_VARIABLE configured OUTPUT_QUIET
                ERROR_VARIABLE configure_errors)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring failed: ${configure_errors}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK_DIR}/build" --target kpx2
                RESULT_VARIABLE built OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(built EQUAL 0)
  message(FATAL_ERROR "kpx2 was built from a damaged header (${CASE})")
endif()
string(FIND "${output}${errors}" "${expected}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the build failed without naming the damage \"${expected}\":\n${output}${errors}")
endif()
file(GLOB_RECURSE made "${WORK_DIR}/build/*libkpx2.so" "${WORK_DIR}/build/*built_in_image.cpp.o")
if(made)
  message(FATAL_ERROR "the image was built in all the same: ${made}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "refused: ${expected}")
