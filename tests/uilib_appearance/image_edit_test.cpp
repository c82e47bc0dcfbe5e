// The button image editor: the cell geometry for images of every size,
// each tool's result read back from the bitmap, picking a colour, the
// tools toolbar, copy, paste and clear through the clipboard.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageBoxRecorder.h"
#include "SPGlobalData.h"
#include "SPImageEditDlg.h"
#include "appearance_support.h"

using namespace apptest;

namespace {

// The editor with its paste handler within reach: the toolbar offers no
// paste while the clipboard holds no bitmap.
class CTestEditDlg : public CSPImageEditDlg {
public:
    using CSPImageEditDlg::CSPImageEditDlg;
    using CSPImageEditDlg::OnToolPaste;
};

class ImageEditTest : public AppearanceTest {
protected:
    CBitmap bitmap;
    std::unique_ptr<CTestEditDlg> dlg;

    // The editor opened modeless on a new image of the button face.
    void Open(int cx = 16, int cy = 15) {
        bitmap.Attach(SolidBitmap(cx, cy, spGlobalData.clrBtnFace));
        dlg.reset(new CTestEditDlg(&bitmap, frame));
        ASSERT_TRUE(dlg->Create(SP_IDD_IMAGE_EDIT, frame));
        dlg->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override {
        if (dlg && dlg->GetSafeHwnd() != NULL) dlg->DestroyWindow();
        dlg.reset();
        AppearanceTest::TearDown();
    }
    CSPImageEditArea& Area() { return dlg->GetArea(); }
    HBITMAP Bits() { return (HBITMAP)bitmap.GetSafeHandle(); }
    // A drag in the area from one image pixel to another.
    void Drag(CPoint ptFrom, CPoint ptTo) {
        const CPoint from = Area().BitmapToClient(ptFrom), to = Area().BitmapToClient(ptTo);
        Area().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        Area().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        Area().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    void Tool(UINT nID) { dlg->SendMessage(WM_COMMAND, nID); }
    // What a colour the user chose becomes in the stored image.
    static COLORREF Stored(COLORREF color) { return SPMapToSysColor(color); }
    int Drawn() { return CountPixels(Bits(), Stored(RGB(0, 0, 0))); }
    void Clear() { Tool(SP_ID_IMAGE_EDIT_CLEAR); }
    // Puts a bitmap on the clipboard: its top-left 16 by 15 pixels red,
    // the rest blue.
    void ClipboardBitmap(int cx, int cy) {
        HBITMAP hbm = SolidBitmap(cx, cy, clrBlue);
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
        dc.FillSolidRect(0, 0, std::min(cx, 16), std::min(cy, 15), clrRed);
        ::SelectObject(dc.GetSafeHdc(), hOld);
        ASSERT_TRUE(::OpenClipboard(NULL));
        ::EmptyClipboard();
        ::SetClipboardData(CF_BITMAP, hbm);
        ::CloseClipboard();
    }
    static void EmptyClipboard() {
        if (::OpenClipboard(NULL)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
};

struct GeometryCase {
    CSize sizeArea, sizeImage, sizeCell;
};

}  // namespace

// Cells of (area - 2) / image pixels, at least one pixel each way: an image
// larger than the area still maps every point.
TEST_F(ImageEditTest, CellGeometryAsATable) {
    Open();
    const GeometryCase cases[] = {
        {{162, 152}, {16, 15}, {10, 10}}, {{162, 152}, {1, 1}, {160, 150}}, {{100, 50}, {16, 15}, {6, 3}},
        {{40, 40}, {64, 64}, {1, 1}},     {{10, 10}, {300, 20}, {1, 1}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sizeImage.cx << "x" << c.sizeImage.cy);
        CBitmap image;
        image.Attach(SolidBitmap(c.sizeImage.cx, c.sizeImage.cy, spGlobalData.clrBtnFace));
        Area().SetWindowPos(NULL, 0, 0, c.sizeArea.cx, c.sizeArea.cy, SWP_NOMOVE | SWP_NOZORDER);
        Area().SetBitmap(&image);
        EXPECT_EQ(c.sizeCell, Area().GetCellSize());
        EXPECT_EQ(CPoint(0, 0), Area().ScreenToBitmap(CPoint(-5, -5)));
        EXPECT_EQ(CPoint(c.sizeImage.cx - 1, c.sizeImage.cy - 1), Area().ScreenToBitmap(CPoint(5000, 5000)));
        Area().UpdateWindow();  // draws without dividing by a zero cell
        Area().SetBitmap(NULL);
    }
    EXPECT_EQ(CSize(0, 0), Area().GetCellSize());
}

// Every tool writes into the bitmap at once; a click without moving sets
// one pixel with the line, rectangle and ellipse tools.
TEST_F(ImageEditTest, ToolsDrawIntoTheBitmap) {
    Open();
    Area().SetWindowPos(NULL, 0, 0, 162, 152, SWP_NOMOVE | SWP_NOZORDER);
    Area().SetBitmap(&bitmap);
    ASSERT_EQ(CSize(10, 10), Area().GetCellSize());
    EXPECT_EQ(0, Drawn());

    for (UINT nTool : {SP_ID_IMAGE_EDIT_LINE, SP_ID_IMAGE_EDIT_RECT, SP_ID_IMAGE_EDIT_ELLIPSE}) {
        SCOPED_TRACE(nTool);
        Clear();
        Tool(nTool);
        Drag(CPoint(7, 7), CPoint(7, 7));
        EXPECT_EQ(1, Drawn());
        EXPECT_EQ(Stored(RGB(0, 0, 0)), PixelOf(Bits(), 7, 7));
    }

    // A rectangle from (2, 2) to (5, 4) outlines pixels 2 to 5 by 2 to 4.
    Clear();
    Tool(SP_ID_IMAGE_EDIT_RECT);
    Drag(CPoint(2, 2), CPoint(5, 4));
    EXPECT_EQ(10, Drawn());
    for (int x = 2; x <= 5; x++) {
        EXPECT_EQ(Stored(RGB(0, 0, 0)), PixelOf(Bits(), x, 2)) << x;
        EXPECT_EQ(Stored(RGB(0, 0, 0)), PixelOf(Bits(), x, 4)) << x;
    }
    EXPECT_EQ(Stored(RGB(0, 0, 0)), PixelOf(Bits(), 2, 3));
    EXPECT_EQ(Stored(RGB(0, 0, 0)), PixelOf(Bits(), 5, 3));
    // The same dragged the other way round.
    Clear();
    Drag(CPoint(5, 4), CPoint(2, 2));
    EXPECT_EQ(10, Drawn());

    // A line takes in both ends.
    Clear();
    Tool(SP_ID_IMAGE_EDIT_LINE);
    Drag(CPoint(0, 0), CPoint(5, 0));
    EXPECT_EQ(6, Drawn());

    // The pencil follows the mouse; the fill fills what is connected.
    Clear();
    Tool(SP_ID_IMAGE_EDIT_PENCIL);
    Drag(CPoint(1, 1), CPoint(3, 1));
    EXPECT_EQ(2, Drawn());
    Area().SetColor(clrGreen);
    Tool(SP_ID_IMAGE_EDIT_FILL);
    Drag(CPoint(10, 10), CPoint(10, 10));
    EXPECT_EQ(16 * 15 - 2, CountPixels(Bits(), clrGreen));

    // The standard colours go in as the system's: silver is the face.
    Area().SetColor(RGB(192, 192, 192));
    Tool(SP_ID_IMAGE_EDIT_PENCIL);
    Drag(CPoint(15, 14), CPoint(15, 14));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelOf(Bits(), 15, 14));
    EXPECT_EQ(RGB(192, 192, 192), Area().GetPixelColor(CPoint(15, 14)));
}

// Picking a colour gives it to the palette and the area and goes back to
// the pencil; the toolbar shows the tool in use.
TEST_F(ImageEditTest, PickingAColourReturnsToThePencil) {
    Open();
    CSPImageEditToolBar& tools = dlg->GetToolBar();
    EXPECT_TRUE(tools.IsLocked());
    EXPECT_EQ(10, tools.GetCount());
    EXPECT_FALSE(tools.AllowShowOnList());

    Area().SetColor(clrBlue);
    Drag(CPoint(3, 3), CPoint(3, 3));
    Area().SetColor(RGB(0, 0, 0));
    Tool(SP_ID_IMAGE_EDIT_SELECT_COLOR);
    EXPECT_EQ(CSPImageEditArea::SelectColor, Area().GetMode());
    dlg->SendMessage(WM_KICKIDLE);
    EXPECT_TRUE(tools.GetButtonStyle(tools.CommandToIndex(SP_ID_IMAGE_EDIT_SELECT_COLOR)) & TBBS_CHECKED);
    Drag(CPoint(3, 3), CPoint(3, 3));
    EXPECT_EQ(CSPImageEditArea::Pencil, Area().GetMode());
    EXPECT_EQ(clrBlue, Area().GetColor());
    EXPECT_EQ(clrBlue, dlg->GetColorBar().GetColor());
    dlg->SendMessage(WM_KICKIDLE);
    EXPECT_TRUE(tools.GetButtonStyle(tools.CommandToIndex(SP_ID_IMAGE_EDIT_PENCIL)) & TBBS_CHECKED);
    EXPECT_FALSE(tools.GetButtonStyle(tools.CommandToIndex(SP_ID_IMAGE_EDIT_SELECT_COLOR)) & TBBS_CHECKED);

    // A colour chosen in the palette becomes the drawing colour.
    dlg->GetColorBar().SetColor(clrGreen);
    dlg->SendMessage(WM_COMMAND, SP_IDC_IMAGE_EDIT_COLORS);
    EXPECT_EQ(clrGreen, Area().GetColor());
}

// Paste: the picture centred on the face, a larger one's top-left part;
// without a bitmap the message and the image as it was. Copy and clear.
TEST_F(ImageEditTest, CopyPasteAndClear) {
    Open();
    CSPImageEditToolBar& tools = dlg->GetToolBar();
    const int iPaste = tools.CommandToIndex(SP_ID_IMAGE_EDIT_PASTE);

    EmptyClipboard();
    dlg->SendMessage(WM_KICKIDLE);
    EXPECT_TRUE(tools.GetButtonStyle(iPaste) & TBBS_DISABLED) << "nothing to paste";
    Drag(CPoint(0, 0), CPoint(0, 0));
    {
        MessageBoxRecorder boxes;
        dlg->OnToolPaste();
        EXPECT_EQ(std::vector<std::string>{"Can't paste bitmap image from the clipboard!"}, boxes.texts);
    }
    EXPECT_EQ(1, Drawn()) << "the image stays as it was";

    ClipboardBitmap(32, 32);
    dlg->SendMessage(WM_KICKIDLE);
    EXPECT_FALSE(tools.GetButtonStyle(iPaste) & TBBS_DISABLED);
    Tool(SP_ID_IMAGE_EDIT_PASTE);
    EXPECT_EQ(16 * 15, CountPixels(Bits(), clrRed)) << "the top-left 16 by 15 pixels";

    ClipboardBitmap(2000, 2000);  // a huge picture: its corner, nothing else
    Tool(SP_ID_IMAGE_EDIT_PASTE);
    EXPECT_EQ(16 * 15, CountPixels(Bits(), clrRed));

    ClipboardBitmap(4, 4);
    Tool(SP_ID_IMAGE_EDIT_PASTE);
    EXPECT_EQ(16, CountPixels(Bits(), clrRed));
    EXPECT_EQ(clrRed, PixelOf(Bits(), 6, 5)) << "centred";
    EXPECT_EQ(clrRed, PixelOf(Bits(), 9, 8));
    EXPECT_EQ(spGlobalData.clrBtnFace, PixelOf(Bits(), 5, 5));

    // Copy puts the image on the clipboard.
    Tool(SP_ID_IMAGE_EDIT_CLEAR);
    EXPECT_EQ(16 * 15, CountPixels(Bits(), spGlobalData.clrBtnFace));
    Drag(CPoint(4, 4), CPoint(4, 4));
    Tool(SP_ID_IMAGE_EDIT_COPY);
    ASSERT_TRUE(::OpenClipboard(NULL));
    HBITMAP hbmCopy = (HBITMAP)::GetClipboardData(CF_BITMAP);
    ASSERT_TRUE(hbmCopy != NULL);
    EXPECT_EQ(1, CountPixels(hbmCopy, Stored(RGB(0, 0, 0))));
    ::CloseClipboard();
    EmptyClipboard();
}

// An image of 8 bits or fewer gets the 16 colours of the system palette.
TEST_F(ImageEditTest, TheColourDepthChoosesThePalette) {
    bitmap.Attach(SolidBitmap(16, 15, spGlobalData.clrBtnFace));
    CSPImageEditDlg dlg4(&bitmap, frame, 4);
    EXPECT_EQ(4, dlg4.GetBitsPerPixel());
    ASSERT_TRUE(dlg4.Create(SP_IDD_IMAGE_EDIT, frame));
    int nCells = 0;
    for (int i = 0; i < dlg4.GetColorBar().GetCount(); i++)
        if (!dlg4.GetColorBar().GetButton(i)->IsSeparator()) nCells++;
    EXPECT_EQ(16, nCells);
    EXPECT_EQ(RGB(0, 0, 0), dlg4.GetColorBar().GetColor());
    // The preview shows the image at real size.
    EXPECT_EQ(CSize(16, 15), dlg4.GetPreviewRect().Size());
    dlg4.DestroyWindow();

    CSPImageEditDlg dlgOwn(&bitmap, frame);
    EXPECT_EQ(::GetDeviceCaps(CClientDC(NULL).GetSafeHdc(), BITSPIXEL), dlgOwn.GetBitsPerPixel());
}
