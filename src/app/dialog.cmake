# The main dialog: portable rules and layout arithmetic, and the Windows side.
# Included from src/app/CMakeLists.txt.
add_library(tapwell_dialog STATIC
  dialog_layout.cpp
  dialog_text_edit.cpp
  dialog_texts.cpp
  menu_key_items.cpp
  mode_rules.cpp
)
target_include_directories(tapwell_dialog PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
target_link_libraries(tapwell_dialog PUBLIC tapwell_app tapwell_keystroke)
tapwell_warnings(tapwell_dialog)
