// PdfSettings.cpp - the conversion options in profile section "Config".
#include "PdfSettings.h"

#include <stdio.h>
#include <stdlib.h>

namespace {
const char kSection[] = "Config";
}

CPdfSettings::CPdfSettings()
    : m_nReserved(0), m_bSave(0), m_nOpenPdf(0), m_nHeaderSeperator(0), m_nFooterSeperator(0),
      m_dMarginRight(0), m_dMarginLeft(0), m_dMarginBottom(0), m_dMarginTop(0), m_nOrientation(0),
      m_dPageHeight(0), m_dPageWidth(0), m_nPageSizeUnit(0) {}

CPdfSettings::~CPdfSettings() {}

void CPdfSettings::Load() {
    m_strFootCenter = ReadString("FootCenter");
    m_strFootLeft = ReadString("FootLeft");
    m_strFootRight = ReadString("FootRight");
    m_strHeadCenter = ReadString("HeadCenter");
    m_strHeadLeft = ReadString("HeadLeft");
    m_strHeadRight = ReadString("HeadRight");
    m_dMarginRight = ReadDouble("MarginRight", "0.5");
    m_dMarginBottom = ReadDouble("MarginBottom", "0.5");
    m_dMarginTop = ReadDouble("MarginTop", "0.5");
    m_dMarginLeft = ReadDouble("MarginLeft", "0.5");
    m_nOrientation = ReadInt("Orientation");
    m_dPageHeight = ReadDouble("PageHeight");
    m_dPageWidth = ReadDouble("PageWidth");
    m_strPageSize = ReadString("PageSize", "A4");
    m_nPageSizeUnit = ReadInt("PageSizeUnit");
    m_strAuthor = ReadString("Author");
    m_strCreator = ReadString("Creator");
    m_strKeywords = ReadString("Keywords");
    m_strSubject = ReadString("Subject");
    m_strTitle = ReadString("Title");

    char szTemp[1024] = "";
    DWORD n = ::GetTempPathA(sizeof(szTemp), szTemp);
    if (n >= sizeof(szTemp)) szTemp[0] = '\0';  // longer than the buffer: no default
    m_strTempDir = ReadString("TempDir", szTemp);

    m_nOpenPdf = ReadInt("Openpdf", 1);
    m_nHeaderSeperator = ReadInt("HeaderSeperator");
    m_nFooterSeperator = ReadInt("FooterSeperator");
}

void CPdfSettings::Save() {
    if (!m_bSave) return;
    WriteString("FootCenter", m_strFootCenter);
    WriteString("FootLeft", m_strFootLeft);
    WriteString("FootRight", m_strFootRight);
    WriteString("HeadCenter", m_strHeadCenter);
    WriteString("HeadLeft", m_strHeadLeft);
    WriteString("HeadRight", m_strHeadRight);
    WriteDouble("MarginRight", m_dMarginRight);
    WriteDouble("MarginBottom", m_dMarginBottom);
    WriteDouble("MarginTop", m_dMarginTop);
    WriteDouble("MarginLeft", m_dMarginLeft);
    WriteInt("Orientation", m_nOrientation);
    WriteDouble("PageHeight", m_dPageHeight);
    WriteDouble("PageWidth", m_dPageWidth);
    WriteString("PageSize", m_strPageSize);
    WriteInt("PageSizeUnit", m_nPageSizeUnit);
    WriteInt("HeaderSeperator", m_nHeaderSeperator);
    WriteInt("FooterSeperator", m_nFooterSeperator);
    WriteString("Author", m_strAuthor);
    WriteString("Creator", m_strCreator);
    WriteString("Keywords", m_strKeywords);
    WriteString("Subject", m_strSubject);
    WriteString("Title", m_strTitle);
    WriteString("TempDir", m_strTempDir);
    WriteInt("Openpdf", m_nOpenPdf);
}

CString CPdfSettings::ReadString(LPCTSTR pszKey, LPCTSTR pszDefault) {
    return AfxGetApp()->GetProfileString(kSection, pszKey, pszDefault);
}

double CPdfSettings::ReadDouble(LPCTSTR pszKey, LPCTSTR pszDefault) {
    // atof: an empty or non-numeric text reads as 0.0.
    return atof(ReadString(pszKey, pszDefault));
}

int CPdfSettings::ReadInt(LPCTSTR pszKey, int nDefault) {
    return (int)AfxGetApp()->GetProfileInt(kSection, pszKey, nDefault);
}

void CPdfSettings::WriteString(LPCTSTR pszKey, LPCTSTR pszValue) {
    AfxGetApp()->WriteProfileString(kSection, pszKey, pszValue);
}

void CPdfSettings::WriteDouble(LPCTSTR pszKey, double dValue) {
    // "%f" of a huge value has hundreds of digits: format into a string that
    // grows as needed rather than a fixed buffer.
    CString text;
    text.Format("%f", dValue);
    WriteString(pszKey, text);
}

void CPdfSettings::WriteInt(LPCTSTR pszKey, int nValue) {
    AfxGetApp()->WriteProfileInt(kSection, pszKey, nValue);
}
