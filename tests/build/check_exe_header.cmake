# Fails unless the executable is marked terminal-server aware, so that on a
# Remote Desktop server the system does not hand it the user's private
# Windows folder. -D OBJDUMP=... -D EXE=...
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE header RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed (${status})")
endif()
if(NOT header MATCHES "DllCharacteristics[ \t]+([0-9a-fA-F]+)")
  message(FATAL_ERROR "no DllCharacteristics in the header of ${EXE}")
endif()
set(characteristics ${CMAKE_MATCH_1})
# IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE
math(EXPR aware "0x${characteristics} & 0x8000")
if(aware EQUAL 0)
  message(FATAL_ERROR "DllCharacteristics 0x${characteristics}: not terminal-server aware")
endif()
