tapwell_add_fuzzer(fuzz_parse SOURCES fuzz_parse.cpp LIBS tapwell_script DICT qzscript.dict
  SEEDS ${PROJECT_SOURCE_DIR}/examples)
tapwell_add_fuzzer(fuzz_script
  SOURCES fuzz_script.cpp ${PROJECT_SOURCE_DIR}/tests/support/allocation_limit.cpp
  LIBS tapwell_script DICT qzscript.dict SEEDS ${PROJECT_SOURCE_DIR}/examples)
target_include_directories(fuzz_script PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
