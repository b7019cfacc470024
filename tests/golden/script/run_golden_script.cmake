# Runs one script case and compares its output and exit status. An .args
# file that starts with "check" runs that subcommand instead of a dry run;
# one that starts with "cli" runs the rest of its line alone, without FILE.
# -D CLI=... -D CASE=<dir>/<name> -D INPUT=<file> -D OUT_DIR=... [-D EMULATOR=...]
set(args "")
if(EXISTS ${CASE}.args)
  file(STRINGS ${CASE}.args arg_line LIMIT_COUNT 1)
  separate_arguments(args UNIX_COMMAND "${arg_line}")
endif()
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
execute_process(
  COMMAND ${EMULATOR} ${CLI} ${command} ${args} ${INPUT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(READ ${CASE}.out expected)
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  file(WRITE ${OUT_DIR}/actual.out "${actual}")
  message(FATAL_ERROR "output differs from ${CASE}.out; it is in ${OUT_DIR}/actual.out")
endif()
