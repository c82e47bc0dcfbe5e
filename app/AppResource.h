// AppResource.h - resource ids of the application shell's dialogs.
#pragma once

#define IDD_CONVERT_PROGRESS 108

#define IDC_CONVERT_PROGRESS 1043    // progress bar, 0..100
#define IDC_TOTAL_PROGRESS 1044      // "Total progress"
#define IDC_CURRENT_URL 1045         // the page being loaded
#define IDC_SOURCE_CHM 1047          // the CHM file
#define IDC_DEST_PDF 1048            // the PDF file
#define IDC_TIME_REMAINING 1065      // "Time Remaining:"
#define IDC_TIME_USED 1066           // "Time used:"
#define IDC_OPEN_PDF 1072            // "Open the PDF file after created."
#define IDC_CANCEL_CONVERT 1079      // "Cancel"

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
