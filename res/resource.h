// Resource, control and command identifiers of the program. Read by the
// resource compiler and by C++ alike, so it holds plain #defines only.
#pragma once

// Templates and resources
#define IDR_MENU_JA 109
#define IDR_MENU_EN 110
#define IDD_MAIN_JA 129
#define IDI_PROGRAM 130
#define IDD_MAIN_EN 131

// Main dialog controls
#define IDC_START 1
#define IDC_EXIT 2
#define IDC_TEXT 1000
#define IDC_MODE_KEYBOARD 1001
#define IDC_MODE_UNICODE 1002
#define IDC_MODE_DESCRIPTION 1004
#define IDC_BIG_DIALOG 1005
#define IDC_WAIT_AFTER_START 1006
#define IDC_WAIT_UNTIL_TIME 1007
#define IDC_WAIT_SEC 1008
#define IDC_WAIT_SEC_SPIN 1009
#define IDC_TIME_HOUR 1010
#define IDC_TIME_HOUR_SPIN 1011
#define IDC_WAIT_SEC_LABEL 1012
#define IDC_TIME_HOUR_LABEL 1013
#define IDC_TIME_MIN 1014
#define IDC_TIME_MIN_SPIN 1015
#define IDC_TIME_MIN_LABEL 1016
#define IDC_TIME_SEC 1017
#define IDC_TIME_SEC_SPIN 1018
#define IDC_TIME_SEC_LABEL 1019
#define IDC_MODE_SCRIPT 1020
#define IDC_INTERVAL 1021
#define IDC_INTERVAL_SPIN 1022
#define IDC_INTERVAL_UNIT 1023
#define IDC_LOOP 1024
#define IDC_LOOP_SPIN 1025
#define IDC_LOOP_UNIT 1026
#define IDC_PREFIX 1027
#define IDC_SUFFIX 1028
#define IDC_SETTINGS_GROUP 1029
#define IDC_INTERVAL_LABEL 1030
#define IDC_LOOP_LABEL 1031
#define IDC_PREFIX_LABEL 1032
#define IDC_SUFFIX_LABEL 1033
#define IDC_MENU_FILE 1034
#define IDC_MENU_SETTINGS 1035
#define IDC_MENU_KEYS 1036
#define IDC_MENU_HELP 1037
#define IDC_MODE_PROMPT 1041

// Menu commands
#define IDM_HELP 9
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_ERROR_STOP 32784
#define IDM_IGNORE_TAB 32785
#define IDM_IGNORE_SPACE 32786
#define IDM_IGNORE_RETURN 32787
#define IDM_DELETE_SPACES 32788
#define IDM_DELETE_TABS 32789
#define IDM_DELETE_RETURNS 32790
#define IDM_ALWAYS_TOP 32791
#define IDM_LOAD_TEXT 32792
#define IDM_SAVE_TEXT 32793
#define IDM_READ_HEX 32794
#define IDM_WRITE_HEX 32795
#define IDM_HELP_NOTATION 32796
#define IDM_HELP_KEYCODES 32797
#define IDM_HELP_SCRIPT 32798
#define IDM_INSERT_PAUSE 32804
#define IDM_INSERT_WAIT 32805
#define IDM_KEY_PUSH_BASE 32809
#define IDM_KEY_PULL_BASE 33321
#define IDM_KEY_PUSH_PULL_BASE 33577
#define IDM_KEY_LAST 33832
// Delivery: the two radio items, then the Target layout submenu: the local
// layout, the built-in US and Japanese tables, and the installed layouts
// from IDM_LAYOUT_INSTALLED_FIRST on, as many as fit up to IDM_LAYOUT_LAST.
// They stand above the key items, whose ids are a base plus a key code and
// so reach into any id from IDM_KEY_PUSH_BASE to IDM_KEY_LAST.
#define IDM_DELIVERY_WRITTEN 33840
#define IDM_DELIVERY_KEY_PRESSES 33841
#define IDM_LAYOUT_LOCAL 33842
#define IDM_LAYOUT_US 33850
#define IDM_LAYOUT_JAPANESE 33851
#define IDM_LAYOUT_INSTALLED_FIRST 33852
#define IDM_LAYOUT_LAST 33889
// The run's own Settings items, also above the key items.
#define IDM_ESC_ABORT 33833
#define IDM_FOCUS_GUARD 33834
// Quick type: the Settings menu's items, and the tray icon's menu.
#define IDM_TRAY_ICON 33890
#define IDM_HOTKEYS 33891
#define IDM_QUICK_ASK 33892
#define IDM_QUICK_PROGRESS 33893
#define IDM_QUICK_CLIPBOARD 33894
#define IDM_QUICK_TEXT 33895
#define IDM_QUICK_CLICK 33896
#define IDM_QUICK_SHOW 33897
#define IDM_QUICK_EXIT 33898
// The destination's IME and Caps Lock (radio items of two submenus).
#define IDM_IME_TURN_OFF 33910
#define IDM_IME_TURN_OFF_EVERY_RUN 33911
#define IDM_IME_LEAVE 33912
#define IDM_CAPS_LOCK_TURN_OFF 33913
#define IDM_CAPS_LOCK_LEAVE 33914
