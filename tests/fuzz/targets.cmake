# Fuzz targets over the subsystems' portable libraries.
tapwell_add_fuzzer(fuzz_trace SOURCES fuzz_trace.cpp LIBS tapwell_keystroke DICT notation.dict)
tapwell_add_fuzzer(fuzz_hex SOURCES fuzz_hex.cpp LIBS tapwell_files)
tapwell_add_fuzzer(fuzz_text_decoding SOURCES fuzz_text_decoding.cpp LIBS tapwell_files)
target_include_directories(fuzz_text_decoding PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit/files)
tapwell_add_fuzzer(fuzz_command_line SOURCES fuzz_command_line.cpp LIBS tapwell_app)
tapwell_add_fuzzer(fuzz_setting_values SOURCES fuzz_setting_values.cpp LIBS tapwell_settings)
tapwell_add_fuzzer(fuzz_parse SOURCES fuzz_parse.cpp LIBS tapwell_script DICT qzscript.dict
  SEEDS ${PROJECT_SOURCE_DIR}/examples)
tapwell_add_fuzzer(fuzz_script
  SOURCES fuzz_script.cpp ${PROJECT_SOURCE_DIR}/tests/support/allocation_limit.cpp
  LIBS tapwell_script DICT qzscript.dict SEEDS ${PROJECT_SOURCE_DIR}/examples)
target_include_directories(fuzz_script PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
