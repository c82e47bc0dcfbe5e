#include "SPButtonImages.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

// ---------------------------------------------------------------------------
// Colour mapping

static const struct {
    COLORREF rgbqFrom;
    int iSysColorTo;
} s_sysColorMap[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};

static inline COLORREF SwapRB(COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); }

COLORREF SPMapToSysColor(COLORREF color, BOOL bUseRGBQUAD) {
    const COLORREF key = bUseRGBQUAD ? SwapRB(color) : color;
    for (const auto& m : s_sysColorMap) {
        if (m.rgbqFrom == key) {
            const COLORREF sys = ::GetSysColor(m.iSysColorTo);
            return bUseRGBQUAD ? SwapRB(sys) : sys;
        }
    }
    return color;
}

COLORREF SPMapFromSysColor(COLORREF color, BOOL bUseRGBQUAD) {
    const COLORREF key = bUseRGBQUAD ? SwapRB(color) : color;
    for (const auto& m : s_sysColorMap) {
        if (::GetSysColor(m.iSysColorTo) == key) return bUseRGBQUAD ? SwapRB(m.rgbqFrom) : m.rgbqFrom;
    }
    return color;
}

// ---------------------------------------------------------------------------
// The shared DCs

HDC CSPButtonImages::s_hDCGlyphs = NULL;
HDC CSPButtonImages::s_hDCMono = NULL;

namespace {
// Deletes the shared DCs at exit.
struct SharedDCCleanUp {
    ~SharedDCCleanUp() { CSPButtonImages::CleanUp(); }
} s_sharedDCCleanUp;
}  // namespace

void CSPButtonImages::CleanUp() {
    if (s_hDCGlyphs != NULL) {
        ::DeleteDC(s_hDCGlyphs);
        s_hDCGlyphs = NULL;
    }
    if (s_hDCMono != NULL) {
        ::DeleteDC(s_hDCMono);
        s_hDCMono = NULL;
    }
}

// ---------------------------------------------------------------------------
// Construction

CSPButtonImages::CSPButtonImages()
    : m_sizeImage(16, 15),
      m_sizeImageDest(0, 0),
      m_hbmImageWell(NULL),
      m_hbmImageLight(NULL),
      m_hInstImageWell(NULL),
      m_bModified(FALSE),
      m_iCount(0),
      m_lstOrigResIds(10),
      m_mapOrigResOffsets(10),
      m_bStretch(FALSE),
      m_hbmOldMem(NULL),
      m_clrTransparent((COLORREF)-1),
      m_bReadOnly(FALSE),
      m_clrImageShadow(0),
      m_bFadeInactive(FALSE),
      m_nBitsPerPixel(0) {
    m_mapOrigResOffsets.InitHashTable(17);
    if (s_hDCGlyphs == NULL) s_hDCGlyphs = ::CreateCompatibleDC(NULL);
    if (s_hDCMono == NULL) s_hDCMono = ::CreateCompatibleDC(NULL);
    if (s_hDCGlyphs == NULL || s_hDCMono == NULL) AfxThrowResourceException();
    m_clrImageShadow = spGlobalData.clrBtnShadow;
}

CSPButtonImages::~CSPButtonImages() { Clear(); }

void CSPButtonImages::UpdateCount() {
    m_iCount = 0;
    if (m_hbmImageWell == NULL || m_sizeImage.cx <= 0) return;
    BITMAP bmp;
    if (::GetObject(m_hbmImageWell, sizeof(BITMAP), &bmp) == 0) return;
    m_iCount = bmp.bmWidth / m_sizeImage.cx;
}

void CSPButtonImages::SetStrip(HBITMAP hbmp) {
    if (m_hbmImageWell != NULL && !m_bReadOnly) ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmp;
    BITMAP bmp;
    m_nBitsPerPixel = ::GetObject(hbmp, sizeof(BITMAP), &bmp) != 0 ? bmp.bmBitsPixel : 0;
}

void CSPButtonImages::SetTransparentColor(COLORREF clrTransparent) {
    if (m_clrTransparent == clrTransparent) return;
    m_clrTransparent = clrTransparent;
    CreateFadedImage();
}

int CSPButtonImages::GetResourceOffset(UINT uiResID) const {
    int iOffset = -1;
    return m_mapOrigResOffsets.Lookup(uiResID, iOffset) ? iOffset : -1;
}

// ---------------------------------------------------------------------------
// Loading and editing

static HBITMAP LoadStripBitmap(HINSTANCE hinst, LPCSTR lpszName, UINT fuLoad) {
    return (HBITMAP)::LoadImageA(hinst, lpszName, IMAGE_BITMAP, 0, 0,
                                 fuLoad | LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
}

BOOL CSPButtonImages::Load(UINT uiResID, HINSTANCE hinst, BOOL bAdd) {
    if (m_bReadOnly) return FALSE;
    if (bAdd && m_lstOrigResIds.Find(uiResID) != NULL) return TRUE;

    LPCSTR lpszResName = MAKEINTRESOURCEA(uiResID);
    if (hinst == NULL) hinst = AfxFindResourceHandle(lpszResName, RT_BITMAP);
    HBITMAP hbmp = LoadStripBitmap(hinst, lpszResName, 0);
    if (hbmp == NULL) return FALSE;  // the previous strip stays

    if (!bAdd) {
        m_lstOrigResIds.RemoveAll();
        m_mapOrigResOffsets.RemoveAll();
        m_strUDLPath.Empty();
        m_hInstImageWell = hinst;
        SetStrip(hbmp);
        m_lstOrigResIds.AddTail(uiResID);
        m_mapOrigResOffsets.SetAt(uiResID, 0);
        if (m_nBitsPerPixel > 8) MapTo3dColors(FALSE);
        UpdateCount();
        CreateFadedImage();
        return TRUE;
    }

    const int iOffset = m_iCount;
    const int iAdded = AddImage(hbmp);
    ::DeleteObject(hbmp);
    if (iAdded < 0) return FALSE;
    m_lstOrigResIds.AddTail(uiResID);
    m_mapOrigResOffsets.SetAt(uiResID, iOffset);
    return TRUE;
}

BOOL CSPButtonImages::LoadFromFile(LPCTSTR lpszPath) {
    if (m_bReadOnly || lpszPath == NULL) return FALSE;
    HBITMAP hbmp = LoadStripBitmap(NULL, lpszPath, LR_LOADFROMFILE);
    if (hbmp == NULL) return FALSE;
    m_lstOrigResIds.RemoveAll();
    m_mapOrigResOffsets.RemoveAll();
    m_strUDLPath = lpszPath;
    SetStrip(hbmp);
    if (m_nBitsPerPixel > 8) MapTo3dColors(FALSE);
    UpdateCount();
    CreateFadedImage();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Copying between bitmaps

namespace {
// The two memory DCs of a copy from one bitmap into another; they go at
// the end of the scope, after the bitmaps selected into them are put back.
struct CopyDCs {
    CDC dcDst, dcSrc;
    CopyDCs() {
        dcDst.CreateCompatibleDC(NULL);
        dcSrc.CreateCompatibleDC(NULL);
    }
    BOOL IsValid() const { return dcDst.GetSafeHdc() != NULL && dcSrc.GetSafeHdc() != NULL; }
    HDC Dst() const { return dcDst.GetSafeHdc(); }
    HDC Src() const { return dcSrc.GetSafeHdc(); }
};
}  // namespace

int CSPButtonImages::AddImage(HBITMAP hbmp) {
    if (m_bReadOnly || hbmp == NULL) return -1;
    BITMAP bmpNew;
    if (::GetObject(hbmp, sizeof(BITMAP), &bmpNew) == 0) return -1;
    int cxOld = 0;
    if (m_hbmImageWell != NULL) {
        BITMAP bmpOld;
        if (::GetObject(m_hbmImageWell, sizeof(BITMAP), &bmpOld) == 0) return -1;
        cxOld = bmpOld.bmWidth;
    }

    CBitmap bmpStrip;
    {
        CopyDCs dcs;
        if (!dcs.IsValid() || !bmpStrip.Attach(SPCreateScreenBitmap(cxOld + bmpNew.bmWidth, bmpNew.bmHeight)))
            return -1;
        CSelectObject selDst(&dcs.dcDst, &bmpStrip);
        CSelectObject selSrc(dcs.Src(), m_hbmImageWell != NULL ? (HGDIOBJ)m_hbmImageWell : (HGDIOBJ)hbmp);
        if (m_hbmImageWell != NULL) {
            ::BitBlt(dcs.Dst(), 0, 0, cxOld, bmpNew.bmHeight, dcs.Src(), 0, 0, SRCCOPY);
            ::SelectObject(dcs.Src(), hbmp);
        }
        ::BitBlt(dcs.Dst(), cxOld, 0, bmpNew.bmWidth, bmpNew.bmHeight, dcs.Src(), 0, 0, SRCCOPY);
    }

    const int nBits = m_nBitsPerPixel != 0 ? m_nBitsPerPixel : bmpNew.bmBitsPixel;
    SetStrip((HBITMAP)bmpStrip.Detach());
    m_nBitsPerPixel = nBits;
    m_bModified = TRUE;
    UpdateCount();
    CreateFadedImage();
    return m_iCount - 1;
}

BOOL CSPButtonImages::UpdateImage(int iImage, HBITMAP hbmp) {
    if (m_bReadOnly || hbmp == NULL || iImage < 0 || iImage >= m_iCount) return FALSE;
    {
        CopyDCs dcs;
        if (!dcs.IsValid()) return FALSE;
        CSelectObject selDst(dcs.Dst(), m_hbmImageWell);
        CSelectObject selSrc(dcs.Src(), hbmp);
        ::BitBlt(dcs.Dst(), iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, dcs.Src(), 0, 0, SRCCOPY);
    }
    m_bModified = TRUE;
    CreateFadedImage();
    return TRUE;
}

BOOL CSPButtonImages::DeleteImage(int iImage) {
    if (m_bReadOnly || iImage < 0 || iImage >= m_iCount) return FALSE;
    BITMAP bmp;
    if (::GetObject(m_hbmImageWell, sizeof(BITMAP), &bmp) == 0) return FALSE;
    const int cx = m_sizeImage.cx;
    CBitmap bmpNew;
    {
        CopyDCs dcs;
        if (!bmpNew.Attach(SPCreateScreenBitmap(bmp.bmWidth - cx, bmp.bmHeight)) || !dcs.IsValid()) return FALSE;
        CSelectObject selDst(&dcs.dcDst, &bmpNew);
        CSelectObject selSrc(dcs.Src(), m_hbmImageWell);
        ::BitBlt(dcs.Dst(), 0, 0, iImage * cx, bmp.bmHeight, dcs.Src(), 0, 0, SRCCOPY);
        ::BitBlt(dcs.Dst(), iImage * cx, 0, bmp.bmWidth - (iImage + 1) * cx, bmp.bmHeight, dcs.Src(),
                 (iImage + 1) * cx, 0, SRCCOPY);
    }
    const int nBits = m_nBitsPerPixel;
    SetStrip((HBITMAP)bmpNew.Detach());
    m_nBitsPerPixel = nBits;
    m_bModified = TRUE;
    UpdateCount();
    CreateFadedImage();
    return TRUE;
}

BOOL CSPButtonImages::Reload() {
    if (m_bReadOnly) return FALSE;
    if (!m_strUDLPath.IsEmpty()) return LoadFromFile(CString(m_strUDLPath));
    if (m_lstOrigResIds.IsEmpty()) return FALSE;
    CList<UINT, UINT> lstIds(10);
    for (POSITION pos = m_lstOrigResIds.GetHeadPosition(); pos != NULL;) lstIds.AddTail(m_lstOrigResIds.GetNext(pos));
    BOOL bFirst = TRUE;
    for (POSITION pos = lstIds.GetHeadPosition(); pos != NULL;) {
        const UINT uiResID = lstIds.GetNext(pos);
        if (!Load(uiResID, m_hInstImageWell, !bFirst)) return FALSE;
        bFirst = FALSE;
    }
    m_bModified = FALSE;
    return TRUE;
}

void CSPButtonImages::Clear() {
    if (!m_bReadOnly) {
        if (m_hbmImageWell != NULL) ::DeleteObject(m_hbmImageWell);
        if (m_hbmImageLight != NULL) ::DeleteObject(m_hbmImageLight);
    }
    m_hbmImageWell = NULL;
    m_hbmImageLight = NULL;
    m_lstOrigResIds.RemoveAll();
    m_mapOrigResOffsets.RemoveAll();
    m_strUDLPath.Empty();
    m_iCount = 0;
    m_bModified = FALSE;
}

BOOL CSPButtonImages::CopyTo(CSPButtonImages& dest) {
    if (&dest == this || dest.m_bReadOnly) return FALSE;
    dest.Clear();
    if (m_hbmImageWell != NULL) {
        dest.m_hbmImageWell = (HBITMAP)::CopyImage(m_hbmImageWell, IMAGE_BITMAP, 0, 0, 0);
        if (dest.m_hbmImageWell == NULL) return FALSE;
    }
    if (m_hbmImageLight != NULL) dest.m_hbmImageLight = (HBITMAP)::CopyImage(m_hbmImageLight, IMAGE_BITMAP, 0, 0, 0);
    dest.m_sizeImage = m_sizeImage;
    dest.m_hInstImageWell = m_hInstImageWell;
    dest.m_strUDLPath = m_strUDLPath;
    dest.m_iCount = m_iCount;
    for (POSITION pos = m_lstOrigResIds.GetHeadPosition(); pos != NULL;) dest.m_lstOrigResIds.AddTail(m_lstOrigResIds.GetNext(pos));
    for (POSITION pos = m_mapOrigResOffsets.GetStartPosition(); pos != NULL;) {
        UINT uiKey = 0;
        int iValue = 0;
        m_mapOrigResOffsets.GetNextAssoc(pos, uiKey, iValue);
        dest.m_mapOrigResOffsets.SetAt(uiKey, iValue);
    }
    dest.m_clrTransparent = m_clrTransparent;
    dest.m_clrImageShadow = m_clrImageShadow;
    dest.m_nBitsPerPixel = m_nBitsPerPixel;
    return TRUE;
}

void CSPButtonImages::CopyTemplate(CSPButtonImages& dest) {
    if (&dest == this) return;
    dest.Clear();
    dest.m_sizeImage = m_sizeImage;
    dest.m_sizeImageDest = m_sizeImageDest;
    dest.m_hbmImageWell = m_hbmImageWell;
    dest.m_hbmImageLight = m_hbmImageLight;
    dest.m_hInstImageWell = m_hInstImageWell;
    dest.m_iCount = m_iCount;
    dest.m_clrTransparent = m_clrTransparent;
    dest.m_clrImageShadow = m_clrImageShadow;
    dest.m_nBitsPerPixel = m_nBitsPerPixel;
    dest.m_bReadOnly = TRUE;
}

BOOL CSPButtonImages::SaveToFile(LPCTSTR lpszPath) {
    // No path: back to the file the strip was loaded from.
    if (lpszPath == NULL && !m_strUDLPath.IsEmpty()) lpszPath = m_strUDLPath;
    if (m_hbmImageWell == NULL || lpszPath == NULL) return FALSE;
    BITMAP bmp;
    if (::GetObject(m_hbmImageWell, sizeof(BITMAP), &bmp) == 0) return FALSE;
    WORD wBits = (WORD)(bmp.bmPlanes * bmp.bmBitsPixel);
    if (wBits > 8 && wBits != 24 && wBits != 32) wBits = 24;
    const int nColors = wBits <= 8 ? (1 << wBits) : 0;
    const DWORD dwRow = ((bmp.bmWidth * wBits + 31) / 32) * 4;
    const DWORD dwImage = dwRow * bmp.bmHeight;
    const DWORD dwHeader = sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD);
    BYTE* pDIB = new BYTE[dwHeader + dwImage];
    ZeroMemory(pDIB, dwHeader);
    BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)pDIB;
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biWidth = bmp.bmWidth;
    pbih->biHeight = bmp.bmHeight;
    pbih->biPlanes = 1;
    pbih->biBitCount = wBits;
    pbih->biCompression = BI_RGB;
    pbih->biSizeImage = dwImage;
    pbih->biClrUsed = nColors;

    HDC hdc = ::GetDC(NULL);
    HPALETTE hOldPal = ::SelectPalette(hdc, (HPALETTE)::GetStockObject(DEFAULT_PALETTE), FALSE);
    ::RealizePalette(hdc);
    const int nLines = ::GetDIBits(hdc, m_hbmImageWell, 0, bmp.bmHeight, pDIB + dwHeader, (BITMAPINFO*)pbih,
                                   DIB_RGB_COLORS);
    ::SelectPalette(hdc, hOldPal, FALSE);
    ::ReleaseDC(NULL, hdc);
    if (nLines == 0) {
        delete[] pDIB;
        return FALSE;
    }

    BITMAPFILEHEADER bfh;
    ZeroMemory(&bfh, sizeof(bfh));
    bfh.bfType = 0x4D42;  // "BM"
    bfh.bfSize = (DWORD)(sizeof(BITMAPFILEHEADER) + dwHeader + dwImage);
    bfh.bfOffBits = (DWORD)(sizeof(BITMAPFILEHEADER) + dwHeader);

    BOOL bOK = FALSE;
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD dw1 = 0, dw2 = 0;
        bOK = ::WriteFile(hFile, &bfh, sizeof(bfh), &dw1, NULL) && dw1 == sizeof(bfh) &&
              ::WriteFile(hFile, pDIB, dwHeader + dwImage, &dw2, NULL) && dw2 == dwHeader + dwImage;
        ::CloseHandle(hFile);
    }
    delete[] pDIB;
    return bOK;
}

BOOL CSPButtonImages::CopyImageToClipboard(int iImage) {
    if (m_hbmImageWell == NULL || iImage < 0 || iImage >= m_iCount) return FALSE;
    CBitmap bmpImage;
    CopyDCs dcs;
    if (!bmpImage.Attach(SPCreateScreenBitmap(m_sizeImage.cx, m_sizeImage.cy)) || !dcs.IsValid()) return FALSE;
    {
        CSelectObject selDst(&dcs.dcDst, &bmpImage);
        CSelectObject selSrc(dcs.Src(), m_hbmImageWell);
        ::BitBlt(dcs.Dst(), 0, 0, m_sizeImage.cx, m_sizeImage.cy, dcs.Src(), iImage * m_sizeImage.cx, 0, SRCCOPY);
    }
    if (!::OpenClipboard(NULL)) return FALSE;
    ::EmptyClipboard();
    const BOOL bOK = ::SetClipboardData(CF_BITMAP, bmpImage.GetSafeHandle()) != NULL;
    if (bOK) bmpImage.Detach();  // the clipboard owns it now
    ::CloseClipboard();
    return bOK;
}

BOOL CSPButtonImages::MapTo3dColors(BOOL bRGBQuad, COLORREF clrSrc, COLORREF clrDest) {
    if (m_hbmImageWell == NULL) return FALSE;
    if (clrSrc != (COLORREF)-1 && clrDest == (COLORREF)-1) return FALSE;
    BITMAP bmp;
    if (::GetObject(m_hbmImageWell, sizeof(BITMAP), &bmp) == 0) return FALSE;

    CBitmap bmpNew;
    {
        CopyDCs dcs;
        if (!bmpNew.Attach(SPCreateScreenBitmap(bmp.bmWidth, bmp.bmHeight)) || !dcs.IsValid()) return FALSE;
        CSelectObject selDst(&dcs.dcDst, &bmpNew);
        CSelectObject selSrc(dcs.Src(), m_hbmImageWell);
        ::BitBlt(dcs.Dst(), 0, 0, bmp.bmWidth, bmp.bmHeight, dcs.Src(), 0, 0, SRCCOPY);
        for (int y = 0; y < bmp.bmHeight; y++) {
            for (int x = 0; x < bmp.bmWidth; x++) {
                const COLORREF clr = ::GetPixel(dcs.Src(), x, y);
                COLORREF clrNew = clr;
                if (clrSrc == (COLORREF)-1) clrNew = SPMapToSysColor(clr, bRGBQuad);
                else if (clr == clrSrc) clrNew = clrDest;
                if (clrNew != clr) ::SetPixelV(dcs.Dst(), x, y, clrNew);
            }
        }
    }
    const int nBits = m_nBitsPerPixel;
    SetStrip((HBITMAP)bmpNew.Detach());
    m_nBitsPerPixel = nBits;
    return TRUE;
}

void CSPButtonImages::CreateFadedImage() {
    if (m_bReadOnly) return;
    if (m_hbmImageLight != NULL) {
        ::DeleteObject(m_hbmImageLight);
        m_hbmImageLight = NULL;
    }
    if (m_hbmImageWell == NULL || spGlobalData.nBitsPerPixel <= 8) return;
    OSVERSIONINFOA osvi;
    ZeroMemory(&osvi, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    if (!::GetVersionExA(&osvi) || osvi.dwPlatformId != VER_PLATFORM_WIN32_NT) return;

    BITMAP bmp;
    if (::GetObject(m_hbmImageWell, sizeof(BITMAP), &bmp) == 0) return;
    BITMAPINFOHEADER bih;
    ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = bmp.bmWidth;
    bih.biHeight = -bmp.bmHeight;  // top-down
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    void* pBits = NULL;
    CBitmap bmpLight;
    if (!bmpLight.Attach(::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0))) return;
    {
        CopyDCs dcs;
        if (!dcs.IsValid()) return;
        CSelectObject selDst(&dcs.dcDst, &bmpLight);
        {
            CSelectObject selSrc(dcs.Src(), m_hbmImageWell);
            ::BitBlt(dcs.Dst(), 0, 0, bmp.bmWidth, bmp.bmHeight, dcs.Src(), 0, 0, SRCCOPY);
        }
        CSPDrawEffects dm(dcs.dcDst);
        dm.ScaleRectBrightness(CRect(0, 0, bmp.bmWidth, bmp.bmHeight), 130,
                               m_clrTransparent != (COLORREF)-1 ? m_clrTransparent : spGlobalData.clrBtnFace);
    }
    m_hbmImageLight = (HBITMAP)bmpLight.Detach();
}

// ---------------------------------------------------------------------------
// Drawing

BOOL CSPButtonImages::PrepareDraw(CSPDrawState& ds, CSize sizeImageDest, BOOL bFadeInactive) {
    if (m_hbmImageWell == NULL) return FALSE;
    m_bFadeInactive = bFadeInactive && m_hbmImageLight != NULL && m_nBitsPerPixel >= 1 && m_nBitsPerPixel <= 4;

    ds.hbmOldGlyphs =
        (HBITMAP)::SelectObject(s_hDCGlyphs, m_bFadeInactive ? m_hbmImageLight : m_hbmImageWell);
    ds.hbmMono = ::CreateBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2, 1, 1, NULL);
    ds.hbmMonoOld = (HBITMAP)::SelectObject(s_hDCMono, ds.hbmMono);
    if (ds.hbmOldGlyphs == NULL || ds.hbmMono == NULL) {
        EndDraw(ds);
        return FALSE;
    }

    m_sizeImageDest = (sizeImageDest.cx > 0 && sizeImageDest.cy > 0) ? sizeImageDest : m_sizeImage;
    m_bStretch = FALSE;
    if (m_sizeImageDest == m_sizeImage && m_clrTransparent == (COLORREF)-1) return TRUE;

    m_bStretch = m_sizeImageDest != m_sizeImage;
    HDC hdcScreen = ::GetDC(NULL);
    m_dcMem.Attach(::CreateCompatibleDC(hdcScreen));
    m_bmpMem.Attach(::CreateCompatibleBitmap(hdcScreen, m_sizeImage.cx + 2, m_sizeImage.cy + 2));
    ::ReleaseDC(NULL, hdcScreen);
    if (m_dcMem.GetSafeHdc() == NULL || m_bmpMem.GetSafeHandle() == NULL) {
        EndDraw(ds);
        return FALSE;
    }
    m_hbmOldMem = (HBITMAP)::SelectObject(m_dcMem.GetSafeHdc(), m_bmpMem.GetSafeHandle());
    return TRUE;
}

void CSPButtonImages::EndDraw(CSPDrawState& ds) {
    if (m_dcMem.GetSafeHdc() != NULL) {
        if (m_hbmOldMem != NULL) ::SelectObject(m_dcMem.GetSafeHdc(), m_hbmOldMem);
        m_hbmOldMem = NULL;
        ::DeleteDC(m_dcMem.Detach());
    }
    if (m_bmpMem.GetSafeHandle() != NULL) m_bmpMem.DeleteObject();
    if (ds.hbmMonoOld != NULL) ::SelectObject(s_hDCMono, ds.hbmMonoOld);
    if (ds.hbmMono != NULL) ::DeleteObject(ds.hbmMono);
    if (ds.hbmOldGlyphs != NULL) ::SelectObject(s_hDCGlyphs, ds.hbmOldGlyphs);
    ds = CSPDrawState();
    m_bStretch = FALSE;
    m_bFadeInactive = FALSE;
}

void CSPButtonImages::CreateMask(int iImage, BOOL bHilite, BOOL bHiliteShadow) {
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    ::PatBlt(s_hDCMono, 0, 0, cx + 2, cy + 2, WHITENESS);
    const COLORREF clrOldBk = ::SetBkColor(
        s_hDCGlyphs, m_clrTransparent != (COLORREF)-1 ? m_clrTransparent : spGlobalData.clrBtnFace);
    ::BitBlt(s_hDCMono, 0, 0, cx, cy, s_hDCGlyphs, iImage * cx, 0, SRCCOPY);
    if (bHilite) {
        ::SetBkColor(s_hDCGlyphs, spGlobalData.clrBtnHilite);
        ::BitBlt(s_hDCMono, 0, 0, cx, cy, s_hDCGlyphs, iImage * cx, 0, SRCPAINT);
    }
    ::SetBkColor(s_hDCGlyphs, clrOldBk);
    if (bHiliteShadow) ::BitBlt(s_hDCMono, 1, 1, cx + 1, cy + 1, s_hDCMono, 0, 0, SRCAND);
}

// PSDPxax: where the mask is 0 the brush is painted, elsewhere the target stays.
static const DWORD ROP_PSDPxax = 0x00B8074A;
// DSPDxax: where the mask is 1 the brush is painted, elsewhere the target stays.
static const DWORD ROP_DSPDxax = 0x00E20746;

BOOL CSPButtonImages::Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite, BOOL bDisabled,
                           BOOL bIndeterminate, BOOL bShadow, BOOL bInactive) {
    if (pDC == NULL || iImage < 0 || iImage >= m_iCount) return FALSE;
    if (bShadow && spGlobalData.nBitsPerPixel <= 8) return TRUE;
    if (m_bStretch) {
        bHilite = FALSE;
        bIndeterminate = FALSE;
    }
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;

    // Hot (not inactive) images of a fading collection come from the normal strip.
    HBITMAP hbmSwapped = NULL;
    if (m_bFadeInactive && bInactive) hbmSwapped = (HBITMAP)::SelectObject(s_hDCGlyphs, m_hbmImageWell);

    HDC hdcDest = pDC->GetSafeHdc();
    const BOOL bUseMem = m_dcMem.GetSafeHdc() != NULL;
    int xDest = x, yDest = y;
    CBrush brTransparent;
    if (bUseMem) {
        hdcDest = m_dcMem.GetSafeHdc();
        xDest = yDest = 0;
        RECT rectCell = {0, 0, cx + 2, cy + 2};
        if (m_clrTransparent != (COLORREF)-1) {
            brTransparent.CreateSolidBrush(m_clrTransparent);
            ::FillRect(hdcDest, &rectCell, (HBRUSH)brTransparent.GetSafeHandle());
        } else {
            ::FillRect(hdcDest, &rectCell, (HBRUSH)spGlobalData.brBtnFace.GetSafeHandle());
        }
    }

    if (!bHilite && !bDisabled && !bIndeterminate && !bShadow) {
        ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hDCGlyphs, iImage * cx, 0, SRCCOPY);
    } else if (bDisabled || bShadow) {
        CreateMask(iImage, TRUE, bShadow);
        const COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
        const COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
        if (bShadow) {
            // The image's silhouette, one pixel larger, in the shadow colour.
            CBrush brShadow;
            brShadow.CreateSolidBrush(m_clrImageShadow);
            CSelectObject selBrush(hdcDest, brShadow.GetSafeHandle());
            ::BitBlt(hdcDest, xDest, yDest, cx + 1, cy + 1, s_hDCMono, 0, 0, ROP_PSDPxax);
        } else {
            CSPVisualManager* pManager = CSPVisualManager::GetInstance();
            const BOOL bEmboss = pManager != NULL && pManager->m_bEmbossDisabledImage;
            CSelectObject selBrush(hdcDest, bEmboss ? spGlobalData.hbrBtnHilite : spGlobalData.hbrBtnShadow);
            if (bEmboss) {
                ::BitBlt(hdcDest, xDest + 1, yDest + 1, cx + 1, cy + 1, s_hDCMono, 0, 0, ROP_PSDPxax);
                ::SelectObject(hdcDest, spGlobalData.hbrBtnShadow);
            }
            ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hDCMono, 0, 0, ROP_PSDPxax);
        }
        ::SetTextColor(hdcDest, clrOldText);
        ::SetBkColor(hdcDest, clrOldBk);
    } else {
        // Highlighted or indeterminate: the image over the light brush.
        ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hDCGlyphs, iImage * cx, 0, SRCCOPY);
        CreateMask(iImage, !bIndeterminate, FALSE);
        CSelectObject selBrush(hdcDest, spGlobalData.brLight.GetSafeHandle());
        const COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
        const COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
        ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hDCMono, 0, 0, ROP_DSPDxax);
        ::SetTextColor(hdcDest, clrOldText);
        ::SetBkColor(hdcDest, clrOldBk);
    }

    if (hbmSwapped != NULL) ::SelectObject(s_hDCGlyphs, hbmSwapped);

    if (bUseMem) {
        // Stretch the cell to the draw size and put it on the target through
        // a mask, so pixels of the transparent colour leave the target alone.
        const int cxDest = m_sizeImageDest.cx + (bShadow ? 1 : 0);
        const int cyDest = m_sizeImageDest.cy + (bShadow ? 1 : 0);
        const int cxSrc = cx + (bShadow ? 1 : 0), cySrc = cy + (bShadow ? 1 : 0);
        HDC hdcTarget = pDC->GetSafeHdc();
        CDC dcImage, dcMask;
        dcImage.CreateCompatibleDC(pDC);
        dcMask.CreateCompatibleDC(pDC);
        CBitmap bmpImage, bmpMask;
        bmpImage.Attach(::CreateCompatibleBitmap(hdcTarget, cxDest, cyDest));
        bmpMask.Attach(::CreateBitmap(cxDest, cyDest, 1, 1, NULL));
        HDC hdcImage = dcImage.GetSafeHdc(), hdcMask = dcMask.GetSafeHdc();
        if (hdcImage != NULL && hdcMask != NULL && bmpImage.GetSafeHandle() != NULL &&
            bmpMask.GetSafeHandle() != NULL) {
            CSelectObject selImage(&dcImage, &bmpImage);
            CSelectObject selMask(&dcMask, &bmpMask);
            const int nOldMode = ::SetStretchBltMode(hdcImage, COLORONCOLOR);
            ::StretchBlt(hdcImage, 0, 0, cxDest, cyDest, m_dcMem.GetSafeHdc(), 0, 0, cxSrc, cySrc, SRCCOPY);
            ::SetStretchBltMode(hdcImage, nOldMode);
            ::SetBkColor(hdcImage,
                         m_clrTransparent != (COLORREF)-1 ? m_clrTransparent : spGlobalData.clrBtnFace);
            ::BitBlt(hdcMask, 0, 0, cxDest, cyDest, hdcImage, 0, 0, SRCCOPY);
            // The image with its transparent pixels black ...
            ::SetBkColor(hdcImage, RGB(0, 0, 0));
            ::SetTextColor(hdcImage, RGB(255, 255, 255));
            ::BitBlt(hdcImage, 0, 0, cxDest, cyDest, hdcMask, 0, 0, SRCAND);
            // ... the target with the image's pixels black ...
            const COLORREF clrOldBk = ::SetBkColor(hdcTarget, RGB(255, 255, 255));
            const COLORREF clrOldText = ::SetTextColor(hdcTarget, RGB(0, 0, 0));
            ::BitBlt(hdcTarget, x, y, cxDest, cyDest, hdcMask, 0, 0, SRCAND);
            ::SetBkColor(hdcTarget, clrOldBk);
            ::SetTextColor(hdcTarget, clrOldText);
            // ... and the two combined.
            ::BitBlt(hdcTarget, x, y, cxDest, cyDest, hdcImage, 0, 0, SRCPAINT);
        }
    }
    return TRUE;
}
