# cmake -DSRC=... -DDST=... [-DROWS=...] [-DFILES=...] [-DICONV=...] -P prepare_page.cmake
# Fills the placeholders of one help source and writes it in the encoding
# the help viewer expects for a Japanese help file (Shift_JIS), or UTF-8
# when no converter is available.
file(READ "${SRC}" text)
if(ROWS)
  file(READ "${ROWS}" rows)
  string(REPLACE "@KEY_ROWS@" "${rows}" text "${text}")
endif()
if(FILES)
  string(REPLACE "|" "\n" files "${FILES}")
  string(REPLACE "@TOPIC_FILES@" "${files}" text "${text}")
endif()
if(ICONV)
  string(REPLACE "@CHARSET@" "Shift_JIS" text "${text}")
else()
  string(REPLACE "@CHARSET@" "UTF-8" text "${text}")
endif()
file(WRITE "${DST}.utf8" "${text}")
if(ICONV)
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${DST}.utf8"
                  OUTPUT_FILE "${DST}" RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${SRC}: cannot convert to Shift_JIS: ${err}")
  endif()
  file(REMOVE "${DST}.utf8")
else()
  file(RENAME "${DST}.utf8" "${DST}")
endif()
