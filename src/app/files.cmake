# Text and hex-dump files and help: included from src/app/CMakeLists.txt.
add_library(tapwell_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/file_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hex_dump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_file_decoding.cpp
)
target_include_directories(tapwell_files PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tapwell_files PUBLIC tapwell_common)
tapwell_warnings(tapwell_files)

if(WIN32)
  add_library(tapwell_files_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/code_page_service_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_store_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_file_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_commands_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help_win32.cpp
  )
  target_link_libraries(tapwell_files_win32 PUBLIC tapwell_files ole32 comdlg32 shell32 advapi32)
  tapwell_warnings(tapwell_files_win32)
endif()

if(NOT WIN32)
  # Where there is no multi-language service: the C library's iconv.
  add_library(tapwell_files_iconv STATIC ${CMAKE_CURRENT_LIST_DIR}/code_page_service_iconv.cpp)
  target_link_libraries(tapwell_files_iconv PUBLIC tapwell_files)
  tapwell_warnings(tapwell_files_iconv)
endif()
