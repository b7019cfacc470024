# The linker's flags as tapwell.exe's header records them.
find_program(TAPWELL_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
add_test(NAME build.tapwell_exe_header
  COMMAND ${CMAKE_COMMAND} -D OBJDUMP=${TAPWELL_OBJDUMP} -D EXE=$<TARGET_FILE:tapwell>
    -P ${CMAKE_CURRENT_LIST_DIR}/check_exe_header.cmake)
