// SPButtonImages.h - image strips of toolbar buttons and menus.
//
//   CSPDrawState      what PrepareDraw selected, restored by EndDraw
//   CSPButtonImages   one horizontal strip of equal-size images, drawn in the
//                     normal, highlighted, disabled, shadowed and faded states
//   SPMapToSysColor / SPMapFromSysColor
//                     the mapping between the standard button colours of a
//                     stored bitmap and the current system colours
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

// 0x000000 -> COLOR_BTNTEXT, 0x808080 -> COLOR_BTNSHADOW, 0xC0C0C0 ->
// COLOR_BTNFACE, 0xFFFFFF -> COLOR_BTNHIGHLIGHT; any other colour maps to
// itself. With bUseRGBQUAD the result has red and blue exchanged.
COLORREF SPMapToSysColor(COLORREF color, BOOL bUseRGBQUAD = FALSE);
COLORREF SPMapFromSysColor(COLORREF color, BOOL bUseRGBQUAD = FALSE);

class CSPDrawState {
public:
    HBITMAP hbmMono;       // the mask bitmap made by PrepareDraw
    HBITMAP hbmMonoOld;    // what the mask DC held before
    HBITMAP hbmOldGlyphs;  // what the strip DC held before

    CSPDrawState() : hbmMono(NULL), hbmMonoOld(NULL), hbmOldGlyphs(NULL) {}
};

class CSPButtonImages : public CObject {
public:
    // data
    CSize m_sizeImage;       // one image; default 16 x 15
    CSize m_sizeImageDest;   // the size being drawn, between PrepareDraw and EndDraw
    HBITMAP m_hbmImageWell;  // all images side by side; NULL when empty
    HBITMAP m_hbmImageLight; // 32-bit copy brightened to 130 %, for fading
    HINSTANCE m_hInstImageWell;
    CString m_strUDLPath;    // file the strip was loaded from
    BOOL m_bModified;
    int m_iCount;
    CList<UINT, UINT> m_lstOrigResIds;
    CMap<UINT, UINT, int, int> m_mapOrigResOffsets;
    BOOL m_bStretch;
    CDC m_dcMem;
    CBitmap m_bmpMem;
    HBITMAP m_hbmOldMem;
    COLORREF m_clrTransparent;  // -1: none
    BOOL m_bReadOnly;           // shares another collection's bitmaps
    COLORREF m_clrImageShadow;
    BOOL m_bFadeInactive;
    int m_nBitsPerPixel;

    // construction
    CSPButtonImages();
    virtual ~CSPButtonImages();

    // attributes
    int GetCount() const { return m_iCount; }
    CSize GetImageSize() const { return m_sizeImage; }
    void SetImageSize(SIZE sizeImage) { m_sizeImage = sizeImage; }
    HBITMAP GetImageWell() const { return m_hbmImageWell; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    COLORREF GetTransparentColor() const { return m_clrTransparent; }
    // Sets the transparent colour and rebuilds the faded strip.
    void SetTransparentColor(COLORREF clrTransparent);
    // The first image of a resource loaded with bAdd, -1 when not loaded.
    int GetResourceOffset(UINT uiResID) const;

    // operations
    BOOL Load(UINT uiResID, HINSTANCE hinst = NULL, BOOL bAdd = FALSE);
    BOOL LoadFromFile(LPCTSTR lpszPath);
    int AddImage(HBITMAP hbmp);
    BOOL UpdateImage(int iImage, HBITMAP hbmp);
    BOOL DeleteImage(int iImage);
    BOOL Reload();
    void Clear();
    BOOL CopyTo(CSPButtonImages& imageListDest);
    // Makes the destination a read-only collection that shares this one's
    // bitmaps, with this one's sizes and colours.
    void CopyTemplate(CSPButtonImages& imageListDest);
    // Writes the strip as a bitmap file; NULL writes it back to the file it
    // was loaded from (FALSE when it came from none).
    BOOL SaveToFile(LPCTSTR lpszPath);
    BOOL CopyImageToClipboard(int iImage);
    BOOL MapTo3dColors(BOOL bRGBQuad = TRUE, COLORREF clrSrc = (COLORREF)-1, COLORREF clrDest = (COLORREF)-1);
    void CreateFadedImage();

    // drawing
    BOOL PrepareDraw(CSPDrawState& ds, CSize sizeImageDest = CSize(0, 0), BOOL bFadeInactive = FALSE);
    BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
              BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bInactive = FALSE);
    void EndDraw(CSPDrawState& ds);

    // Deletes the two DCs shared by all collections.
    static void CleanUp();

protected:
    void CreateMask(int iImage, BOOL bHilite, BOOL bHiliteShadow);
    void UpdateCount();
    // Takes a loaded bitmap as the new strip (the old one is deleted).
    void SetStrip(HBITMAP hbmp);

    static HDC s_hDCGlyphs;  // the strip DC
    static HDC s_hDCMono;    // the mask DC

private:
    CSPButtonImages(const CSPButtonImages&) = delete;
    CSPButtonImages& operator=(const CSPButtonImages&) = delete;
};
