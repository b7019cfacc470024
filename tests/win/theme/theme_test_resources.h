// Ids of the theme tests' own dialog, for its template and the tests alike.
#pragma once

#define IDD_THEME_TEST 200
#define IDC_THEME_TEST_STATIC 10
#define IDC_THEME_TEST_CHECK 11
#define IDC_THEME_TEST_RADIO 12
