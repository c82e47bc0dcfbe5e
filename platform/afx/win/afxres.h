// afxres.h - resource and command ids of the class library.
//
// Plain #defines only, so that both the C++ compiler and windres read it.
// An application's .rc includes "afxres.rc" (which includes this file) to get
// the standard strings the library shows; see afxres.rc.
#ifndef TW_AFXRES_H
#define TW_AFXRES_H

// Window ids
#define AFX_IDW_TOOLBAR            0xE800
#define AFX_IDW_STATUS_BAR         0xE801
#define AFX_IDW_PREVIEW_BAR        0xE802
#define AFX_IDW_RESIZE_BAR         0xE803
#define AFX_IDW_REBAR              0xE804
#define AFX_IDW_DIALOGBAR          0xE805
#define AFX_IDW_DOCKBAR_TOP        0xE81B
#define AFX_IDW_DOCKBAR_LEFT       0xE81C
#define AFX_IDW_DOCKBAR_RIGHT      0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM     0xE81E
#define AFX_IDW_DOCKBAR_FLOAT      0xE81F
#define AFX_IDW_PANE_FIRST         0xE900
#define AFX_IDW_PANE_LAST          0xE9FF
#define AFX_IDW_HSCROLL_FIRST      0xEA00
#define AFX_IDW_VSCROLL_FIRST      0xEA10
#define AFX_IDW_SIZE_BOX           0xEA20
#define AFX_IDW_PANE_SAVE          0xEA21

// the button strip of the layer's own print preview
#define AFX_IDD_PREVIEW_TOOLBAR    0x7801

// Commands
#define ID_FILE_NEW                0xE100
#define ID_FILE_OPEN               0xE101
#define ID_FILE_CLOSE              0xE102
#define ID_FILE_SAVE               0xE103
#define ID_FILE_SAVE_AS            0xE104
#define ID_FILE_PAGE_SETUP         0xE105
#define ID_FILE_PRINT_SETUP        0xE106
#define ID_FILE_PRINT              0xE107
#define ID_FILE_PRINT_DIRECT       0xE108
#define ID_FILE_PRINT_PREVIEW      0xE109
#define ID_FILE_MRU_FILE1          0xE110
#define ID_FILE_MRU_FIRST          0xE110
#define ID_FILE_MRU_LAST           0xE11F
#define ID_EDIT_CLEAR              0xE120
#define ID_EDIT_COPY               0xE122
#define ID_EDIT_CUT                0xE123
#define ID_EDIT_FIND               0xE124
#define ID_EDIT_PASTE              0xE125
#define ID_EDIT_SELECT_ALL         0xE12A
#define ID_EDIT_UNDO               0xE12B
#define ID_WINDOW_NEW              0xE130
#define ID_WINDOW_ARRANGE          0xE131
#define ID_WINDOW_CASCADE          0xE132
#define ID_WINDOW_TILE_HORZ        0xE133
#define ID_WINDOW_TILE_VERT        0xE134
#define ID_WINDOW_SPLIT            0xE135
#define AFX_IDM_WINDOW_FIRST       0xE130
#define AFX_IDM_WINDOW_LAST        0xE13F
#define AFX_IDM_FIRST_MDICHILD     0xFF00
#define ID_APP_ABOUT               0xE140
#define ID_APP_EXIT                0xE141
#define ID_HELP_INDEX              0xE142
#define ID_HELP_FINDER             0xE143
#define ID_HELP_USING              0xE144
#define ID_CONTEXT_HELP            0xE145
#define ID_HELP                    0xE146
#define ID_DEFAULT_HELP            0xE147
#define ID_NEXT_PANE               0xE150
#define ID_PREV_PANE               0xE151
#define ID_OLE_VERB_FIRST          0xE210
#define ID_OLE_VERB_LAST           0xE21F
#define ID_VIEW_TOOLBAR            0xE800
#define ID_VIEW_STATUS_BAR         0xE801
#define ID_VIEW_REBAR              0xE804
#define ID_SEPARATOR               0

// Dialog and property sheet buttons
#define ID_APPLY_NOW               0x3021
#define ID_WIZBACK                 0x3023
#define ID_WIZNEXT                 0x3024
#define ID_WIZFINISH               0x3025
#ifndef IDHELP
#define IDHELP                     9
#endif

// Print preview commands
#define AFX_ID_PREVIEW_CLOSE       0xE300
#define AFX_ID_PREVIEW_NUMPAGE     0xE301
#define AFX_ID_PREVIEW_NEXT        0xE302
#define AFX_ID_PREVIEW_PREV        0xE303
#define AFX_ID_PREVIEW_PRINT       0xE304
#define AFX_ID_PREVIEW_ZOOMIN      0xE305
#define AFX_ID_PREVIEW_ZOOMOUT     0xE306

// Strings
#define AFX_IDS_APP_TITLE          0xE000
#define AFX_IDS_IDLEMESSAGE        0xE001
#define AFX_IDS_HELPMODEMESSAGE    0xE002
#define AFX_IDS_APP_TITLE_EMBEDDING 0xE003
#define AFX_IDS_COMPANY_NAME       0xE004
#define AFX_IDS_OBJ_TITLE_INPLACE  0xE005

#define AFX_IDS_SCFIRST            0xEF00
#define AFX_IDS_SCSIZE             0xEF00
#define AFX_IDS_SCMOVE             0xEF01
#define AFX_IDS_SCMINIMIZE         0xEF02
#define AFX_IDS_SCMAXIMIZE         0xEF03
#define AFX_IDS_SCNEXTWINDOW       0xEF04
#define AFX_IDS_SCPREVWINDOW       0xEF05
#define AFX_IDS_SCCLOSE            0xEF06
#define AFX_IDS_SCRESTORE          0xEF12
#define AFX_IDS_SCTASKLIST         0xEF13
#define AFX_IDS_MDICHILD           0xEF1F

#define AFX_IDS_UNTITLED           0xF000
#define AFX_IDS_PREVIEW_CLOSE      0xF005
#define AFX_IDS_PREVIEWPAGEDESC    0xF006
#define AFX_IDS_PRINTONPORT        0xF040
#define AFX_IDS_ONEPAGE            0xF041
#define AFX_IDS_TWOPAGE            0xF042
#define AFX_IDS_PRINTPAGENUM       0xF043
#define AFX_IDS_PREVIEW_PRINT      0xF044

// Prompts
#define AFX_IDP_INVALID_FILENAME   0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF102
#define AFX_IDP_ASK_TO_SAVE        0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104
#define AFX_IDP_FILE_TOO_LARGE     0xF105
#define AFX_IDP_FAILED_TO_START_PRINT 0xF106
#define AFX_IDP_FAILED_TO_LAUNCH_HELP 0xF107
#define AFX_IDP_INTERNAL_FAILURE   0xF108
#define AFX_IDP_COMMAND_FAILURE    0xF109
#define AFX_IDP_FAILED_MEMORY_ALLOC 0xF10A
#define AFX_IDP_PARSE_INT          0xF110
#define AFX_IDP_PARSE_REAL         0xF111
#define AFX_IDP_PARSE_INT_RANGE    0xF112
#define AFX_IDP_PARSE_REAL_RANGE   0xF113
#define AFX_IDP_PARSE_STRING_SIZE  0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE         0xF116
#define AFX_IDP_PARSE_UINT         0xF117

// Cursors
#define AFX_IDC_CONTEXTHELP        30977
#define AFX_IDC_MAGNIFY            30978
#define AFX_IDC_SMALLARROWS        30979
#define AFX_IDC_HSPLITBAR          30980
#define AFX_IDC_VSPLITBAR          30981
#define AFX_IDC_NODROPCRSR         30982
#define AFX_IDC_TRACKNWSE          30983
#define AFX_IDC_TRACKNESW          30984
#define AFX_IDC_TRACKNS            30985
#define AFX_IDC_TRACKWE            30986
#define AFX_IDC_TRACK4WAY          30987
#define AFX_IDC_MOVE4WAY           30988

#endif
