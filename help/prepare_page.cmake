# cmake -DSRC=... -DDST=... -DLANG=ja|en -DICONV=... [-DROWS=... -DROWS_TAG=...] [-DFILES=...]
#       -P prepare_page.cmake
# Fills the placeholders of one help source and writes it in the encoding its
# meta tag declares: Japanese pages (and the contents, index and project
# files) in Shift_JIS, the encoding the help viewer expects of a Japanese help
# file; English pages in UTF-8, which they need for the Japanese text some
# examples hold and which the viewer takes from the meta tag.
file(READ "${SRC}" text)
if(ROWS)
  file(READ "${ROWS}" rows)
  string(REPLACE "@${ROWS_TAG}@" "${rows}" text "${text}")
endif()
if(FILES)
  string(REPLACE "|" "\n" files "${FILES}")
  string(REPLACE "@TOPIC_FILES@" "${files}" text "${text}")
endif()
if(LANG STREQUAL "en")
  string(REPLACE "@CHARSET@" "UTF-8" text "${text}")
  file(WRITE "${DST}" "${text}")
  return()
elseif(NOT LANG STREQUAL "ja")
  message(FATAL_ERROR "LANG must be ja or en, not '${LANG}'")
endif()
string(REPLACE "@CHARSET@" "Shift_JIS" text "${text}")
file(WRITE "${DST}.utf8" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${DST}.utf8"
                OUTPUT_FILE "${DST}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${SRC}: cannot convert to Shift_JIS: ${err}")
endif()
file(REMOVE "${DST}.utf8")
