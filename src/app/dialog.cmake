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

if(WIN32)
  # The real dialog behind RunMainDialog; start-up links it.
  add_library(tapwell_main_dialog_win32 STATIC
    dialog_accelerator_win32.cpp
    dialog_controls_win32.cpp
    dialog_layout_win32.cpp
    dialog_script_win32.cpp
    dialog_tooltips_win32.cpp
    main_dialog_commands_win32.cpp
    main_dialog_common_win32.cpp
    main_dialog_init_win32.cpp
    main_dialog_win32.cpp
    menu_bar_mode_win32.cpp
    menu_keys_win32.cpp
    mode_controls_win32.cpp
    run_host_win32.cpp
  )
  target_link_libraries(tapwell_main_dialog_win32 PUBLIC
    tapwell_dialog tapwell_app_win32 tapwell_files_win32 tapwell_keystroke_win32
    tapwell_script_win32 tapwell_theme_win32 user32 gdi32 comctl32 shell32)
  if(EXISTS ${PROJECT_SOURCE_DIR}/src/about/about_box_win32.h)
    target_compile_definitions(tapwell_main_dialog_win32 PRIVATE TAPWELL_HAVE_ABOUT)
    target_link_libraries(tapwell_main_dialog_win32 PUBLIC tapwell_about_win32)
  endif()
  tapwell_warnings(tapwell_main_dialog_win32)
endif()
