#pragma once
// Test-only templates for the framework's own tests.
#define IDD_TEST_LISTS      900
#define IDD_TEST_DAMAGED    901
#define IDD_TEST_CHILD      902
#define IDD_TEST_NO_INIT    903
#define IDC_TEST_COMBO      9001
#define IDC_TEST_LIST       9002
#define IDC_TEST_EDIT       9003
#define IDC_TEST_MISSING    9099
