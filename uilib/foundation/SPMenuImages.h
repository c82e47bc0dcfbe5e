// SPMenuImages.h - CSPMenuImages: the library's 9 x 9 menu glyphs (arrows,
// check mark, caption-button glyphs, pins, chevrons) in four colourings.
#pragma once
#include "afxwin.h"
#include "SPButtonImages.h"

// Bitmap resource of the glyph strip (res/uilib/menu_glyphs.bmp).
#define IDB_SP_MENU_IMAGES 16129

class CSPMenuImages {
public:
    // Glyph numbers.
    enum IMAGES_IDS {
        IdArowDown = 0,
        IdArowRight = 1,
        IdCheck = 2,
        IdMinimize = 3,
        IdRestore = 4,
        IdClose = 5,
        IdMaximize = 6,
        IdArowUp = 7,
        IdArowShowAll = 8,
        IdArowLeft = 9,
        IdArowPageLeft = 10,
        IdArowPageRight = 11,
        IdRadio = 12,
        IdArowDownLarge = 13,
        IdArowRightSmall = 14,
        IdPinVert = 15,
        IdPinHorz = 16,
        IdArowLeftSmall = 17,
        IdArowFirst = 18,
        IdArowLast = 19,
        IdArowRightTab3d = 20,
        IdArowLeftTab3d = 21,
        IdArowShowAllUp = 22,
        IdMoreDots = 23,
        IdArowUpLarge = 24,
    };
    // Colourings (the state argument of Draw).
    enum IMAGE_STATE { ImageBlack = 0, ImageGray = 1, ImageLtGray = 2, ImageWhite = 3 };

    static BOOL Initialize();
    static void Draw(CDC* pDC, int id, const CPoint& ptImage, int state = ImageBlack,
                     const CSize& sizeImage = CSize(0, 0));
    static CSize Size() { return CSize(9, 9); }
    static void CleanUp();

    // The collection of one colouring (ImageBlack is the base glyphs).
    static CSPButtonImages& GetImages(int state);

    // TRUE when the system's glyph font ("Marlett") is installed. Asking
    // for a face that is missing gives some other font, which would show
    // the glyph's letter itself ("0", "1", "r" ...), so whoever draws such
    // a glyph draws the library's own instead while this is FALSE.
    static BOOL IsGlyphFontAvailable();
    // Tests: -1 asks the system again, 0 and 1 force the answer.
    static void SetGlyphFontAvailable(int nAvailable) { s_nGlyphFont = nAvailable; }
    // One glyph centred in the rectangle: the Marlett character in the
    // colour where the font is installed, else the library's glyph id in
    // the colouring given.
    static void DrawGlyph(CDC* pDC, LPCTSTR lpszMarlett, int id, const CRect& rect, COLORREF clrText,
                          int state = ImageBlack);

private:
    static int s_nGlyphFont;
};
