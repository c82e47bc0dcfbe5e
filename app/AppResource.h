// AppResource.h - resource ids of the application's dialogs (those of the
// shell pieces the engine drives are in shell/ShellResource.h).
#pragma once

#include "ShellResource.h"

// The analysing dialog, shown while a CHM is opened.
#define IDD_ANALYZE 110
#define IDC_ANALYZE_PROGRESS 1043    // progress bar, 0..100, filled by time

// The "Page Setting" property page of the option sheets.
#define IDD_PAGE_SETTING 162
#define IDC_PAPER_SIZE 1137          // paper name (drop-down combo box)
#define IDC_HEAD_LEFT 1138           // header fields
#define IDC_HEAD_CENTER 1139
#define IDC_HEAD_RIGHT 1140
#define IDC_FOOT_LEFT 1141           // footer fields
#define IDC_FOOT_CENTER 1142
#define IDC_FOOT_RIGHT 1143
#define IDC_SIZE_UNIT 1069           // the "Size Unit" group box
#define IDC_UNIT_INCH 1070
#define IDC_UNIT_CM 1071
#define IDC_PAGE_WIDTH 1068
#define IDC_PAGE_HEIGHT 1086
#define IDC_PORTRAIT 1056
#define IDC_LANDSCAPE 1057
#define IDC_MARGIN_LEFT 1155
#define IDC_MARGIN_TOP 1156
#define IDC_MARGIN_RIGHT 1157
#define IDC_MARGIN_BOTTOM 1158
#define IDC_HEADER_SEPARATOR 1100    // hidden: carries the stored flag
#define IDC_FOOTER_SEPARATOR 1114    // hidden: carries the stored flag
