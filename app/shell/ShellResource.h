// ShellResource.h - resource ids of the shell's dialogs that the engine drives.
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
