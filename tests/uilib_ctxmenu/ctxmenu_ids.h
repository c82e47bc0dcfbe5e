// The resources and commands of the context-menu tests.
#pragma once

#define IDR_CTX_EDIT 0x7201
#define IDR_CTX_VIEW 0x7202
#define IDR_CTX_NOSUB 0x7203
#define IDS_CTX_EDIT_NAME 0x7204

#define ID_CTX_CUT 401
#define ID_CTX_COPY 402
#define ID_CTX_PASTE 403
#define ID_CTX_SPELL 404
#define ID_CTX_COUNT 405
#define ID_CTX_ZOOM 411
#define ID_CTX_FIT 412
#define ID_CTX_PLAIN 420

#define IDR_DOC_A 0x7210
#define IDR_DOC_B 0x7211
#define IDR_MAIN_MENU 0x7212
#define ID_DOC_NEW 430
#define ID_DOC_OPEN 431
#define ID_DOC_CUT 432
#define ID_DOC_ZOOM 433

#define IDR_ALTERNATIVES 0x7220
#define ID_ALT_LINE 416
#define ID_ALT_BOX 417
#define ID_ALT_ELLIPSE 418
