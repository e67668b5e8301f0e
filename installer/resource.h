// Identifiers shared by installer.rc and the code. Only #defines: the
// resource compiler reads this file too.
#pragma once

#define IDD_PROGRESS 109
#define IDC_PROGRESS_TEXT 1002

#define IDD_DATADIR 113
#define IDC_DATADIR_EDIT 1097
