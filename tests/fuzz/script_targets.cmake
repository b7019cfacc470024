tapwell_add_fuzzer(fuzz_parse SOURCES fuzz_parse.cpp LIBS tapwell_script DICT qzscript.dict
  SEEDS ${PROJECT_SOURCE_DIR}/examples)
tapwell_add_fuzzer(fuzz_script SOURCES fuzz_script.cpp LIBS tapwell_script DICT qzscript.dict
  SEEDS ${PROJECT_SOURCE_DIR}/examples)
