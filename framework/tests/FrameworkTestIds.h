#pragma once
#define IDD_TEST_DIALOG 100
#define IDC_TEST_EDIT 1000
#define IDC_TEST_BUTTON 1001
