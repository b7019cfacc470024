# One CTest test per case in this folder: tapwell-cli script --dry-run on
# NAME.qz here, or on examples/NAME.qz, against NAME.out. NAME.args holds
# extra options, NAME.exit the expected exit status (default 0); an .args
# line starting with "cli" is a whole command line of its own.
set(_golden_dir ${CMAKE_CURRENT_LIST_DIR})
file(GLOB _golden_cases RELATIVE ${_golden_dir} ${_golden_dir}/*.out)
foreach(_case ${_golden_cases})
  string(REGEX REPLACE "\\.out$" "" _name ${_case})
  set(_input ${_golden_dir}/${_name}.qz)
  if(NOT EXISTS ${_input})
    set(_input ${PROJECT_SOURCE_DIR}/examples/${_name}.qz)
  endif()
  set(_out_dir ${CMAKE_CURRENT_BINARY_DIR}/golden_script/${_name})
  file(MAKE_DIRECTORY ${_out_dir})
  add_test(NAME golden_script.${_name}
    COMMAND ${CMAKE_COMMAND}
      -D CLI=$<TARGET_FILE:tapwell-cli>
      -D CASE=${_golden_dir}/${_name}
      -D INPUT=${_input}
      -D OUT_DIR=${_out_dir}
      "-D EMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
      -D KIND=script
      -P ${_golden_dir}/../run_golden_case.cmake)
  # An endless script that the statement cap misses must fail, not hang.
  set_tests_properties(golden_script.${_name} PROPERTIES LABELS "golden" TIMEOUT 120)
endforeach()
