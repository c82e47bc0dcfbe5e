// PdfSettings.h - CPdfSettings, the options of a conversion to PDF.
//
// The record lives in the application profile, section "Config". The
// "Options" sheet sets the save flag and saves; the "Save to PDF" sheet edits
// a copy for one conversion and never saves.
#pragma once
#include "afxwin.h"

class CPdfSettings {
public:
    CPdfSettings();
    virtual ~CPdfSettings();

    // Reads every value of section "Config", with the defaults of a new
    // profile (margins 0.5, paper "A4", open the PDF, the system's
    // temporary folder).
    void Load();
    // Writes every value back, only when the save flag is set.
    void Save();

    int m_nReserved;
    int m_bSave;  // nonzero: Save writes

    CString m_strAuthor;
    CString m_strCreator;
    CString m_strKeywords;
    CString m_strSubject;
    CString m_strTitle;

    int m_nOpenPdf;
    CString m_strTempDir;

    int m_nHeaderSeperator;
    int m_nFooterSeperator;

    CString m_strFootRight;
    CString m_strFootCenter;
    CString m_strFootLeft;
    CString m_strHeadRight;
    CString m_strHeadCenter;
    CString m_strHeadLeft;

    double m_dMarginRight;
    double m_dMarginLeft;
    double m_dMarginBottom;
    double m_dMarginTop;

    int m_nOrientation;  // 0 portrait, 1 landscape

    double m_dPageHeight;
    double m_dPageWidth;

    int m_nPageSizeUnit;  // 0 inch (paper by name), 1 cm (typed size)
    CString m_strPageSize;

private:
    static CString ReadString(LPCTSTR pszKey, LPCTSTR pszDefault = "");
    static double ReadDouble(LPCTSTR pszKey, LPCTSTR pszDefault = "");
    static int ReadInt(LPCTSTR pszKey, int nDefault = 0);
    static void WriteString(LPCTSTR pszKey, LPCTSTR pszValue);
    static void WriteDouble(LPCTSTR pszKey, double dValue);
    static void WriteInt(LPCTSTR pszKey, int nValue);
};
