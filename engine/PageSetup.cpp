// PageSetup.cpp - the paper table and the page setup of a conversion.
#include "PageSetup.h"

#include <mbstring.h>
#include <stdlib.h>

#include <new>

#include "BrowserWrapper.h"
#include "PdfSettings.h"

const PaperSizeRow g_PaperSizes[PAPER_SIZE_COUNT] = {
    {"Letter", "21.59", "27.94", "8.5", "11"},
    {"Legal", "21.59", "35.56", "8.5", "14"},
    {"Ledger", "43.18", "27.94", "17", "11"},
    {"A0", "84.1", "118.9", "33.125", "46.8125"},
    {"A1", "59.4", "84.1", "23.375", "33.125"},
    {"A2", "42", "59.4", "16.5", "23.375"},
    {"A3", "29.7", "42", "11.6875", "16.5"},
    {"A4", "21", "29.7", "8.25", "11.6875"},
    {"A5", "14.8", "21", "5.8125", "8.25"},
    {"A6", "10.5", "14.8", "4.125", "5.8125"},
    {"A7", "7.4", "10.5", "2.9375", "4.125"},
    {"A8", "5.2", "7.4", "2.0625", "2.9375"},
    {"B0", "100", "141.4", "39.375", "55.6875"},
    {"B1", "70.7", "100", "27.8125", "39.375"},
    {"B2", "50", "70.7", "19.6875", "27.8125"},
    {"B3", "35.3", "50", "13.875", "19.6875"},
    {"B4", "25", "35.3", "9.8125", "13.875"},
    {"B5", "17.3", "24.6", "6.8125", "9.6875"},
    {"B5*", "17.6", "25", "6.9375", "9.8125"},
    {"B6", "12.5", "17.6", "4.9375", "6.9375"},
    {"B7", "8.8", "12.5", "3.4375", "4.9375"},
    {"B8", "6.2", "8.8", "2.4375", "3.4375"},
    {"C0", "91.7", "129.7", "36.125", "51.0625"},
    {"C1", "64.8", "91.7", "25.5", "36.125"},
    {"C2", "45.8", "64.8", "18", "25.5"},
    {"C3", "32.4", "45.8", "12.75", "18"},
    {"C4", "22.9", "32.4", "9", "12.75"},
    {"C5", "16.2", "22.9", "6.375", "9"},
};

const PaperSizeRow* FindPaperSize(const char* name) {
    if (!name) return nullptr;
    for (const PaperSizeRow& row : g_PaperSizes)
        if (_mbsicmp(reinterpret_cast<const unsigned char*>(row.name),
                     reinterpret_cast<const unsigned char*>(name)) == 0)
            return &row;
    return nullptr;
}

namespace {

nsString* NewWide(const char* ansi) {
    nsString* s = new (std::nothrow) nsString();
    if (!s) return nullptr;
    PRUnichar* wide = AnsiToUnicode(ansi ? ansi : "");
    if (wide) s->Assign(wide);
    free(wide);
    return s;
}

}  // namespace

PageSetupRec* NewPageSetup(const CPdfSettings& settings) {
    PageSetupRec* rec = new (std::nothrow) PageSetupRec();
    if (!rec) return nullptr;
    rec->unit = settings.m_nPageSizeUnit;
    rec->orientation = settings.m_nOrientation;
    if (rec->unit == 1) {
        rec->width = settings.m_dPageWidth;
        rec->height = settings.m_dPageHeight;
    } else {
        // A name outside the table (a damaged profile value) gets A4 rather
        // than a page of no size.
        const PaperSizeRow* row = FindPaperSize(settings.m_strPageSize);
        if (!row) row = FindPaperSize("A4");
        rec->width = atof(row->widthCm) * kInchesPerCm;
        rec->height = atof(row->heightCm) * kInchesPerCm;
    }
    rec->marginLeft = settings.m_dMarginLeft;
    rec->marginTop = settings.m_dMarginTop;
    rec->marginRight = settings.m_dMarginRight;
    rec->marginBottom = settings.m_dMarginBottom;
    rec->headerSeparator = settings.m_nHeaderSeperator;
    rec->footerSeparator = settings.m_nFooterSeperator;
    rec->headerLeft = NewWide(settings.m_strHeadLeft);
    rec->headerCenter = NewWide(settings.m_strHeadCenter);
    rec->headerRight = NewWide(settings.m_strHeadRight);
    rec->footerLeft = NewWide(settings.m_strFootLeft);
    rec->footerCenter = NewWide(settings.m_strFootCenter);
    rec->footerRight = NewWide(settings.m_strFootRight);
    if (!rec->headerLeft || !rec->headerCenter || !rec->headerRight || !rec->footerLeft ||
        !rec->footerCenter || !rec->footerRight) {
        FreePageSetupStrings(rec);
        delete rec;
        return nullptr;
    }
    return rec;
}

void FreePageSetupStrings(PageSetupRec* setup) {
    if (!setup) return;
    nsString** fields[] = {&setup->headerLeft, &setup->headerCenter, &setup->headerRight,
                           &setup->footerLeft, &setup->footerCenter, &setup->footerRight};
    for (nsString** f : fields) {
        delete *f;
        *f = nullptr;
    }
}
