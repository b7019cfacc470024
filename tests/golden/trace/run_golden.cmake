# Runs one trace case: NAME.in with the options in NAME.args, compared with
# NAME.out. The exit status must match the "end" line (ok 0, error 1,
# limit 3); an .out file reading "#exit N" expects status N and no output.
# -D CLI=... -D CASE=<dir>/<name> [-D EMULATOR=...]
file(STRINGS ${CASE}.args arg_line LIMIT_COUNT 1)
separate_arguments(args UNIX_COMMAND "${arg_line}")
execute_process(
  COMMAND ${EMULATOR} ${CLI} trace ${args} ${CASE}.in
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(READ ${CASE}.out expected)

if(expected MATCHES "^#exit ([0-9]+)")
  set(expected_status ${CMAKE_MATCH_1})
  set(expected "")
elseif(expected MATCHES "end ok\n$")
  set(expected_status 0)
elseif(expected MATCHES "end error\n$")
  set(expected_status 1)
elseif(expected MATCHES "end limit\n$")
  set(expected_status 3)
else()
  message(FATAL_ERROR "${CASE}.out does not end with an end line")
endif()

if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  file(WRITE ${OUT_DIR}/actual.out "${actual}")
  message(FATAL_ERROR "output differs from ${CASE}.out; it is in ${OUT_DIR}/actual.out")
endif()
