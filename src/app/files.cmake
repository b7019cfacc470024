# Text and hex-dump files and help: included from src/app/CMakeLists.txt.
add_library(tapwell_files STATIC
  file_texts.cpp
  hex_dump.cpp
  text_file.cpp
  text_file_decoding.cpp
)
target_include_directories(tapwell_files PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tapwell_files PUBLIC tapwell_common)
tapwell_warnings(tapwell_files)

if(WIN32)
  add_library(tapwell_files_win32 STATIC
    code_page_service_win32.cpp
    file_store_win32.cpp
    text_file_win32.cpp
    file_commands_win32.cpp
    help_win32.cpp
  )
  target_link_libraries(tapwell_files_win32 PUBLIC tapwell_files ole32 comdlg32 shell32 advapi32)
  tapwell_warnings(tapwell_files_win32)
endif()
