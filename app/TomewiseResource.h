// TomewiseResource.h - resource ids of the application's own windows:
// the main frame, the document template, the bars popup, the About box and
// the option sheets' document pages.
#pragma once

#include "AppResource.h"

#define IDR_MAINFRAME 128        // menu, toolbar, bitmap, accelerators, icon
#define IDR_TOMEWISETYPE 129     // document template string, icon
#define IDR_POPUP_TOOLBAR 131    // "DUMMY": the bars popup and toolbar list
#define IDS_OLE_INIT_FAILED 100  // the string table holds no text for it
#define IDS_TOOLBAR_STANDARD 101

#define IDD_ABOUTBOX 100
#define IDC_ABOUT_LINK 1041

// "Save to PDF" (161) and "General" (164) document pages.
#define IDD_SAVE_TO_PDF 161
#define IDD_OPTION_GENERAL 164
#define IDC_DOC_TITLE 1057
#define IDC_DOC_SUBJECT 1058
#define IDC_DOC_KEYWORDS 1059
#define IDC_DOC_AUTHOR 1060
#define IDC_DOC_CREATOR 1061
#define IDC_PDF_FILENAME 1056
#define IDC_PDF_BROWSE 1078
#define IDC_PDF_OPEN_AFTER 1080
#define IDC_TEMP_DIR 1077
#define IDC_TEMP_DIR_BROWSE 1071
#define IDC_OPTION_OPEN_AFTER 1087

// Commands.
#define ID_CUSTOMIZE 32770
#define ID_TOOLBARS_PLACEHOLDER 32771
#define ID_VIEW_WORKSPACE 32793
#define ID_CONVERT_TO_PDF 32827
#define ID_EXPORT_WEB_PAGES 32829
#define ID_OPTIONS 32837
#define ID_OPEN_CHM_FILE 32839
#define ID_CLOSE_CHM_FILE 32840
#define ID_HELP_CONTENT 32841
#define ID_HELP_GETTING_STARTED 32842
#define ID_HELP_FAQ 32843
#define ID_VIEW_TOOLBAR_ITEM 59392

#define ID_MENU_BAR 0xE806
