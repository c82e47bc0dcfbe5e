// PageSetupRec.h - the page setup of one conversion as the job carries it.
//
// Built per conversion by the conversion driver and handed to the job by
// pointer; the PDF Utility reads it, so the field order and widths are fixed.
#pragma once

#include "nsString.h"

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
