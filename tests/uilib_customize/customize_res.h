// Resource ids of the customisation sheet tests.
#pragma once
#define IDR_TESTFRAME 7100
#define IDR_TESTBAR 7101
#define IDR_EXTRAMENU 7102
#define IDI_VIEW 7103
#define IDR_TOOLSARGS 7104
#define IDR_MDIFRAME 7105
#define ID_T_WINDOWS 7212

#define ID_T_NEW 7201
#define ID_T_OPEN 7202
#define ID_T_SAVE 7203
#define ID_T_GUIDE 7204
#define ID_T_REFERENCE 7205
#define ID_T_COPY 7206
#define ID_T_PASTE 7207
#define ID_T_OPEN_EDIT 7208
#define ID_T_TIPONLY 7209
#define ID_T_EXTRA_A 7210
#define ID_T_EXTRA_B 7211
#define IDS_T_ARG_FILE 7220
