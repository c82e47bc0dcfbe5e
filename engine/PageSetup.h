// PageSetup.h - the page setup of one conversion and the paper-size table.
//
//   PageSetupRec    built per conversion from the conversion settings and
//                   handed to the job by pointer; the PDF Utility reads it,
//                   so the field order and widths are fixed.
//   PaperSizeRow    one named paper of the table, five texts.
//   g_PaperSizes    the 28 named papers (also used by the page-setting page).
//   FindPaperSize   a row by name, ignoring case; null when unknown.
//   NewPageSetup    a new record from the settings (free it with
//                   FreePageSetupStrings, then delete).
#pragma once

#include "nsString.h"

class CPdfSettings;

struct PageSetupRec {
    double width;        // page width: inches for a named paper (unit 0),
    double height;       // the typed centimetres for unit 1
    int unit;            // 0 inch (paper by name), 1 cm (typed size)
    int orientation;     // 0 portrait, 1 landscape
    double marginLeft;
    double marginTop;
    double marginRight;
    double marginBottom;
    int headerSeparator;
    int footerSeparator;
    nsString* headerLeft;  // owned UTF-16 texts, never null in a built record
    nsString* headerCenter;
    nsString* headerRight;
    nsString* footerLeft;
    nsString* footerCenter;
    nsString* footerRight;
};

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
