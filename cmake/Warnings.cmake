# Warnings for the project's own targets; third-party code is built without them.
function(tapwell_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()
