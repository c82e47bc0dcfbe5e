// PageSetup.h - the page setup of one conversion and the paper-size table.
//
//   PageSetupRec    (PageSetupRec.h) built per conversion from the
//                   conversion settings and handed to the job by pointer.
//   PaperSizeRow    one named paper of the table, five texts.
//   g_PaperSizes    the 28 named papers (also used by the page-setting page).
//   FindPaperSize   a row by name, ignoring case; null when unknown.
//   NewPageSetup    a new record from the settings (free it with
//                   FreePageSetupStrings, then delete).
#pragma once

#include "PageSetupRec.h"

class CPdfSettings;

struct PaperSizeRow {
    const char* name;
    const char* widthCm;
    const char* heightCm;
    const char* widthInch;   // carried for the page-setting page
    const char* heightInch;
};

enum { PAPER_SIZE_COUNT = 28 };
extern const PaperSizeRow g_PaperSizes[PAPER_SIZE_COUNT];

// The row named `name` (multibyte, case-insensitive), or null.
const PaperSizeRow* FindPaperSize(const char* name);

// 1 / 2.54: centimetres to inches.
const double kInchesPerCm = 0.39370078740157477;

// A new record of the settings. With unit 0 the named paper's size in
// inches, A4 when the name is not in the table; with unit 1 the typed
// width and height. Null when memory runs out.
PageSetupRec* NewPageSetup(const CPdfSettings& settings);

// Deletes the six string objects and clears their pointers; the record
// itself stays with the caller.
void FreePageSetupStrings(PageSetupRec* setup);
