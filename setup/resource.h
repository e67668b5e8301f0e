// Identifiers shared by setup.rc and the code. Only #defines: the resource
// compiler reads this file too.
#pragma once

#define IDD_SETUP 102
#define IDI_SETUP 140

#define IDC_INSTALL_SOFTWARE 1000
#define IDC_SETUP_INSTRUCTIONS 1001
#define IDC_EXIT 1004
#define IDC_ABOUT 1005
