#include "SPGlobalData.h"
#include "SPClientHooks.h"
#include "SPCommandManager.h"
#include "SPKeyboardManager.h"
#include "SPMenuImages.h"
#include "SPTempStateStore.h"
#include "SPVisualManager.h"
#include <commctrl.h>
#include <shellapi.h>
#include <objbase.h>
#include <uxtheme.h>

const CString strTahomaFont("Tahoma");
const CString strMSSansSerifFont("MS Sans Serif");
const CString strArialFont("Arial");
const CString strMarlettFont("Marlett");

int SPGlobalData::s_nForceBitsPerPixel = 0;
int SPGlobalData::s_nForceTahoma = -1;

static HMODULE LoadUxThemeLibrary() { return ::LoadLibraryA("UxTheme.dll"); }
HMODULE (*SPGlobalData::s_pfnLoadUxTheme)() = LoadUxThemeLibrary;

// Built before the application's own start; the font-face strings above are
// defined first in this file so they exist when the fonts are made.
SPGlobalData spGlobalData;

SPGlobalData::SPGlobalData() {
    hbrBtnHilite = NULL;
    hbrBtnShadow = NULL;
    nBitsPerPixel = 0;
    hinstUxTheme = NULL;
    nTextHeightHorz = 0;
    nTextHeightVert = 0;

    UpdateSysColors();

    hcurStretch = NULL;
    hcurStretchVert = NULL;
    hcurHand = NULL;
    hcurSizeAll = NULL;
    hiconTool = NULL;

    UpdateFonts();

    // Small-icon size of the shell.
    sizeSmallIcon = CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    HRESULT hrCo = ::CoInitialize(NULL);
    SHFILEINFOA sfi;
    ZeroMemory(&sfi, sizeof(sfi));
    HIMAGELIST himl = (HIMAGELIST)::SHGetFileInfoA(
        "", FILE_ATTRIBUTE_DIRECTORY, &sfi, sizeof(sfi),
        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE | SHGFI_USEFILEATTRIBUTES);
    if (himl != NULL) {
        int cx = 0, cy = 0;
        if (::ImageList_GetIconSize(himl, &cx, &cy)) sizeSmallIcon = CSize(cx, cy);
    }
    if (SUCCEEDED(hrCo)) ::CoUninitialize();

    // Operating-system flag and the docking metrics.
    OSVERSIONINFOA osvi;
    ZeroMemory(&osvi, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    bIsWindowsNT4 = FALSE;
    if (::GetVersionExA(&osvi)) {
        bIsWindowsNT4 = osvi.dwPlatformId == VER_PLATFORM_WIN32_NT && osvi.dwMajorVersion < 5;
    }
    nDragFrameThickness = 4;
    nAutoHideMargin = 4;
    nDragTabInset = 3;
    nAutoHideSpacing = 14;
    nMaxDockedPercent = 50;
    hinstUxTheme = NULL;
}

SPGlobalData::~SPGlobalData() {
    CleanUp();
    // The wrapped system brushes belong to the system.
    brBtnFace.Detach();
    brHilite.Detach();
    brBtnDkShadow.Detach();
}

void SPGlobalData::UpdateSysColors() {
    clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    clrBtnDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    clrBtnLight = ::GetSysColor(COLOR_3DLIGHT);
    clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    clrGrayedText = ::GetSysColor(COLOR_GRAYTEXT);
    clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    clrTextHilite = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    clrHotLinkText = RGB(0, 0, 255);

    hbrBtnShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    hbrBtnHilite = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    brBtnFace.Detach();
    brBtnFace.Attach(::GetSysColorBrush(COLOR_BTNFACE));
    brHilite.Detach();
    brHilite.Attach(::GetSysColorBrush(COLOR_HIGHLIGHT));
    brBtnDkShadow.Detach();
    brBtnDkShadow.Attach(::GetSysColorBrush(COLOR_3DDKSHADOW));

    HDC hdcScreen = ::GetDC(NULL);
    nBitsPerPixel = ::GetDeviceCaps(hdcScreen, BITSPIXEL);
    ::ReleaseDC(NULL, hdcScreen);
    if (s_nForceBitsPerPixel > 0) nBitsPerPixel = s_nForceBitsPerPixel;
    if (brLight.GetSafeHandle() != NULL) brLight.DeleteObject();

    if (nBitsPerPixel <= 8) {
        // A one-pixel checkerboard of face and highlight.
        struct {
            BITMAPINFOHEADER bmiHeader;
            RGBQUAD bmiColors[2];
        } bmi;
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = 8;
        bmi.bmiHeader.biHeight = 8;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 1;
        bmi.bmiHeader.biCompression = BI_RGB;
        const COLORREF clr0 = ::GetSysColor(COLOR_BTNFACE), clr1 = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        bmi.bmiColors[0].rgbRed = GetRValue(clr0);
        bmi.bmiColors[0].rgbGreen = GetGValue(clr0);
        bmi.bmiColors[0].rgbBlue = GetBValue(clr0);
        bmi.bmiColors[1].rgbRed = GetRValue(clr1);
        bmi.bmiColors[1].rgbGreen = GetGValue(clr1);
        bmi.bmiColors[1].rgbBlue = GetBValue(clr1);
        DWORD patGray[8];
        for (int i = 0; i < 8; i++) patGray[i] = (i % 2) == 0 ? 0x5555AAAAu : 0xAAAA5555u;
        HDC hdc = ::GetDC(NULL);
        HBITMAP hbm = ::CreateDIBitmap(hdc, &bmi.bmiHeader, CBM_INIT, patGray, (BITMAPINFO*)&bmi,
                                       DIB_RGB_COLORS);
        ::ReleaseDC(NULL, hdc);
        if (hbm != NULL) {
            brLight.Attach(::CreatePatternBrush(hbm));
            ::DeleteObject(hbm);
        }
    } else {
        const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrHi = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const int r = GetRValue(clrFace) + (GetRValue(clrHi) - GetRValue(clrFace)) / 2;
        const int g = GetGValue(clrFace) + (GetGValue(clrHi) - GetGValue(clrFace)) / 2;
        const int b = GetBValue(clrFace) + (GetBValue(clrHi) - GetBValue(clrFace)) / 2;
        brLight.Attach(::CreateSolidBrush(RGB(r, g, b)));
    }

    CSPMenuImages::CleanUp();
}

static int CALLBACK FindTahomaProc(const LOGFONTA* plf, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    if (::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, plf->lfFaceName, -1, strTahomaFont, -1) ==
        CSTR_EQUAL) {
        *(BOOL*)lParam = TRUE;
        return 0;  // found: stop
    }
    return 1;
}

static void ReadNonClientMetrics(NONCLIENTMETRICSA& ncm) {
    ZeroMemory(&ncm, sizeof(ncm));
    // The record as the library has always asked for it, without the
    // padded-border field of later systems.
    ncm.cbSize = 340;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
}

static void DeleteFontIfAny(CFont& font) {
    if (font.GetSafeHandle() != NULL) font.DeleteObject();
}

void SPGlobalData::UpdateFonts() {
    DeleteFontIfAny(fontRegular);
    DeleteFontIfAny(fontStatus);
    DeleteFontIfAny(fontBold);
    DeleteFontIfAny(fontUnderline);
    DeleteFontIfAny(fontVert);
    DeleteFontIfAny(fontMarlett);

    NONCLIENTMETRICSA ncm;
    ReadNonClientMetrics(ncm);

    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    HDC hdcScreen = ::GetDC(NULL);
    lf.lfCharSet = (BYTE)::GetTextCharsetInfo(hdcScreen, NULL, 0);
    lf.lfHeight = ncm.lfMenuFont.lfHeight;
    lf.lfWeight = ncm.lfMenuFont.lfWeight;
    lf.lfItalic = ncm.lfMenuFont.lfItalic;
    lstrcpynA(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE);

    if (ncm.lfMenuFont.lfCharSet <= SYMBOL_CHARSET) {
        BOOL bTahoma = FALSE;
        if (s_nForceTahoma >= 0) {
            bTahoma = s_nForceTahoma != 0;
        } else {
            ::EnumFontFamiliesA(hdcScreen, NULL, (FONTENUMPROCA)FindTahomaProc, (LPARAM)&bTahoma);
        }
        lstrcpynA(lf.lfFaceName, bTahoma ? (LPCSTR)strTahomaFont : (LPCSTR)strMSSansSerifFont, LF_FACESIZE);
    }
    ::ReleaseDC(NULL, hdcScreen);

    fontRegular.CreateFontIndirect(&lf);

    ReadNonClientMetrics(ncm);
    lf.lfWeight = ncm.lfStatusFont.lfWeight;
    lf.lfItalic = ncm.lfStatusFont.lfItalic;
    fontStatus.CreateFontIndirect(&lf);

    lf.lfWeight = ncm.lfMenuFont.lfWeight;
    lf.lfItalic = ncm.lfMenuFont.lfItalic;
    lf.lfUnderline = TRUE;
    fontUnderline.CreateFontIndirect(&lf);
    lf.lfUnderline = FALSE;
    lf.lfWeight = FW_BOLD;
    fontBold.CreateFontIndirect(&lf);

    const BYTE bCharSet = lf.lfCharSet;
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfWeight = 0;
    lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lstrcpynA(lf.lfFaceName, strMarlettFont, LF_FACESIZE);
    fontMarlett.CreateFontIndirect(&lf);
    lf.lfCharSet = bCharSet;

    HFONT hfontDefault = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA lfVert;
    if (hfontDefault != NULL && ::GetObjectA(hfontDefault, sizeof(lfVert), &lfVert) != 0) {
        lfVert.lfHeight = ncm.lfMenuFont.lfHeight;
        lfVert.lfItalic = ncm.lfMenuFont.lfItalic;
        lfVert.lfWeight = ncm.lfMenuFont.lfWeight;
        lfVert.lfEscapement = 2700;
        lfVert.lfOrientation = 900;
        lstrcpynA(lfVert.lfFaceName, strArialFont, LF_FACESIZE);
        fontVert.CreateFontIndirect(&lfVert);
    }

    UpdateTextMetrics();
}

BOOL SPGlobalData::SetMenuFont(LPLOGFONT lpLogFont, BOOL bHorz) {
    if (lpLogFont == NULL) return FALSE;
    if (bHorz) {
        DeleteFontIfAny(fontRegular);
        if (!fontRegular.CreateFontIndirect(lpLogFont)) return FALSE;
        const LONG lWeight = lpLogFont->lfWeight;
        const BYTE bUnderline = lpLogFont->lfUnderline;
        lpLogFont->lfUnderline = TRUE;
        DeleteFontIfAny(fontUnderline);
        BOOL bOK = fontUnderline.CreateFontIndirect(lpLogFont);
        lpLogFont->lfUnderline = FALSE;
        lpLogFont->lfWeight = FW_BOLD;
        DeleteFontIfAny(fontBold);
        bOK = fontBold.CreateFontIndirect(lpLogFont) && bOK;
        lpLogFont->lfWeight = lWeight;
        lpLogFont->lfUnderline = bUnderline;
        if (!bOK) return FALSE;
    } else {
        DeleteFontIfAny(fontVert);
        if (!fontVert.CreateFontIndirect(lpLogFont)) return FALSE;
    }
    UpdateTextMetrics();
    return TRUE;
}

void SPGlobalData::UpdateTextMetrics() {
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::GetCurrentObject(hdc, OBJ_FONT);
    TEXTMETRICA tm;
    if (fontRegular.GetSafeHandle() != NULL) {
        ::SelectObject(hdc, fontRegular.GetSafeHandle());
        ::GetTextMetricsA(hdc, &tm);
        nTextHeightHorz = tm.tmHeight + 2;
    }
    if (fontVert.GetSafeHandle() != NULL) {
        ::SelectObject(hdc, fontVert.GetSafeHandle());
        ::GetTextMetricsA(hdc, &tm);
        nTextHeightVert = tm.tmHeight + 2;
    }
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
}

void SPGlobalData::CleanUp() {
    if (brLight.GetSafeHandle() != NULL) brLight.DeleteObject();
    DeleteFontIfAny(fontRegular);
    DeleteFontIfAny(fontBold);
    DeleteFontIfAny(fontUnderline);
    DeleteFontIfAny(fontVert);
    DeleteFontIfAny(fontStatus);
    if (hinstUxTheme != NULL) {
        ::FreeLibrary(hinstUxTheme);
        hinstUxTheme = NULL;
    }
}

BOOL SPGlobalData::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect) {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL) return FALSE;
    HDC hdc = pDC != NULL ? pDC->GetSafeHdc() : NULL;

    if (lpRect != NULL && hdc != NULL) {
        HRGN hrgn = ::CreateRectRgnIndirect(lpRect);
        ::SelectClipRgn(hdc, hrgn);
        ::DeleteObject(hrgn);
    }

    CWnd* pParent = pWnd->GetParent();

    if (hinstUxTheme == NULL && s_pfnLoadUxTheme != NULL) hinstUxTheme = s_pfnLoadUxTheme();
    if (hinstUxTheme != NULL) {
        typedef HRESULT(WINAPI * PFNDRAWTHEMEPARENTBACKGROUND)(HWND, HDC, const RECT*);
        PFNDRAWTHEMEPARENTBACKGROUND pfn =
            (PFNDRAWTHEMEPARENTBACKGROUND)(void (*)())::GetProcAddress(hinstUxTheme, "DrawThemeParentBackground");
        if (pfn != NULL && pfn(pWnd->GetSafeHwnd(), hdc, lpRect) == S_OK) {
            if (hdc != NULL) ::SelectClipRgn(hdc, NULL);
            return TRUE;
        }
    }

    if (pParent == NULL || hdc == NULL) {
        if (hdc != NULL) ::SelectClipRgn(hdc, NULL);
        return FALSE;
    }
    POINT pt = {0, 0};
    ::MapWindowPoints(pWnd->GetSafeHwnd(), pParent->GetSafeHwnd(), &pt, 1);
    POINT ptOrg;
    ::GetWindowOrgEx(hdc, &ptOrg);
    ::SetWindowOrgEx(hdc, ptOrg.x + pt.x, ptOrg.y + pt.y, NULL);
    const LRESULT lResult = ::SendMessageA(pParent->GetSafeHwnd(), WM_ERASEBKGND, (WPARAM)hdc, 0);
    ::SetWindowOrgEx(hdc, ptOrg.x, ptOrg.y, NULL);
    ::SelectClipRgn(hdc, NULL);
    return (BOOL)lResult;
}

CFrameWnd* SPGetParentFrame(CWnd* pWnd) {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL) return NULL;
    CWnd* pCur = pWnd;
    // A chain of windows is finite, but a mini frame owned by a window inside
    // itself would loop: stop after a generous number of steps.
    for (int nSteps = 0; nSteps < 1000; nSteps++) {
        CWnd* pNext = NULL;
        ISPMiniFrame* pMiniFrame = SPClientHooks::GetMiniFrame(pCur);
        if (pMiniFrame != NULL) {
            pNext = CWnd::FromHandlePermanent(pMiniFrame->GetOwnerFrameHwnd());
        } else {
            pNext = pCur->GetParent();
        }
        if (pNext == NULL) return NULL;
        if (pNext->IsFrameWnd()) return (CFrameWnd*)pNext;
        pCur = pNext;
    }
    return NULL;
}

void SPCleanUpGlobals() {
    spGlobalData.CleanUp();
    spTempStateStore.RemoveAll();
    CSPMenuImages::CleanUp();
    SPGetCommandManager()->ClearAllCmdImages();
    CSPKeyboardManager::CleanUp();
    CSPVisualManager* pManager = CSPVisualManager::s_pInstance;
    if (pManager != NULL && pManager->m_bAutoDelete) {
        delete pManager;
        CSPVisualManager::s_pInstance = NULL;
    }
}
