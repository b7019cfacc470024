# Runs one golden case and compares its output and exit status with NAME.out.
# KIND=trace: tapwell-cli trace on NAME.in; the status must match the "end"
#   line (ok 0, error 1, limit 3), and an .out reading "#exit N" expects
#   status N and no output.
# KIND=script: tapwell-cli script --dry-run on INPUT; NAME.exit holds the
#   status (default 0). An .args line starting with "check" runs that
#   subcommand instead; one starting with "cli" the rest of its line alone.
# NAME.args holds the options.
# -D KIND=trace|script -D CLI=... -D CASE=<dir>/<name> [-D INPUT=<file>]
# -D OUT_DIR=... [-D EMULATOR=...]
set(args "")
if(EXISTS ${CASE}.args)
  file(STRINGS ${CASE}.args arg_line LIMIT_COUNT 1)
  separate_arguments(args UNIX_COMMAND "${arg_line}")
endif()
file(READ ${CASE}.out expected)
if(KIND STREQUAL "trace")
  set(command trace)
  set(INPUT ${CASE}.in)
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
else()
  set(expected_status 0)
  if(EXISTS ${CASE}.exit)
    file(STRINGS ${CASE}.exit expected_status LIMIT_COUNT 1)
  endif()
  set(command script --dry-run)
  if(args MATCHES "^check")
    set(command "")
  elseif(args MATCHES "^cli")
    list(REMOVE_AT args 0)
    set(command "")
    set(INPUT "")
  endif()
endif()
execute_process(
  COMMAND ${EMULATOR} ${CLI} ${command} ${args} ${INPUT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  file(WRITE ${OUT_DIR}/actual.out "${actual}")
  message(FATAL_ERROR "output differs from ${CASE}.out; it is in ${OUT_DIR}/actual.out")
endif()
