# One CTest test per trace case in this folder (tapwell-cli trace against the
# expected output).
set(_golden_dir ${CMAKE_CURRENT_LIST_DIR})
file(GLOB _golden_cases RELATIVE ${_golden_dir} ${_golden_dir}/*.in)
foreach(_case ${_golden_cases})
  string(REGEX REPLACE "\\.in$" "" _name ${_case})
  set(_out_dir ${CMAKE_CURRENT_BINARY_DIR}/golden_trace/${_name})
  file(MAKE_DIRECTORY ${_out_dir})
  add_test(NAME golden_trace.${_name}
    COMMAND ${CMAKE_COMMAND}
      -D CLI=$<TARGET_FILE:tapwell-cli>
      -D CASE=${_golden_dir}/${_name}
      -D OUT_DIR=${_out_dir}
      "-D EMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
      -D KIND=trace
      -P ${_golden_dir}/../run_golden_case.cmake)
  set_tests_properties(golden_trace.${_name} PROPERTIES LABELS "golden")
endforeach()
