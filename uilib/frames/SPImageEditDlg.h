// SPImageEditDlg.h - the "Edit Button Image" dialog: one toolbar button
// image painted pixel by pixel in a magnified area, with a tools toolbar, a
// colour palette and a preview at real size. Every edit goes straight into
// the caller's bitmap; OK and Cancel only end the dialog.
#pragma once
#include "afxwin.h"
#include "afxctl.h"

#include "SPColorBar.h"
#include "SPImageEditArea.h"
#include "SPToolBar.h"

#define SP_IDD_IMAGE_EDIT 16133
#define SP_IDC_IMAGE_EDIT_AREA 16513
#define SP_IDC_IMAGE_EDIT_COLORS 16516
#define SP_IDC_IMAGE_EDIT_PREVIEW 16519
#define SP_IDC_IMAGE_EDIT_TOOLS 16533
#define SP_IDR_IMAGE_EDIT_TOOLS 16138

// The tools' commands.
#define SP_ID_IMAGE_EDIT_FILL 16901
#define SP_ID_IMAGE_EDIT_PENCIL 16902
#define SP_ID_IMAGE_EDIT_SELECT_COLOR 16903
#define SP_ID_IMAGE_EDIT_LINE 16904
#define SP_ID_IMAGE_EDIT_RECT 16905
#define SP_ID_IMAGE_EDIT_ELLIPSE 16906
#define SP_ID_IMAGE_EDIT_COPY 16907
#define SP_ID_IMAGE_EDIT_PASTE 16908
#define SP_ID_IMAGE_EDIT_CLEAR 16909

// The tools' cursors.
#define SP_IDC_IMAGE_EDIT_RECT_CURSOR 16140
#define SP_IDC_IMAGE_EDIT_ELLIPSE_CURSOR 16141
#define SP_IDC_IMAGE_EDIT_FILL_CURSOR 16142
#define SP_IDC_IMAGE_EDIT_LINE_CURSOR 16143
#define SP_IDC_IMAGE_EDIT_PENCIL_CURSOR 16144
#define SP_IDC_IMAGE_EDIT_COLOR_CURSOR 16145

#define SP_IDS_CANT_PASTE_IMAGE 16004
#define SP_IDS_CANT_COPY_IMAGE 16010

// The tools toolbar: its commands and their states go to its owner, the
// dialog.
class CSPImageEditToolBar : public CSPToolBar {
    DECLARE_DYNAMIC(CSPImageEditToolBar)

public:
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL AllowShowOnList() const override { return FALSE; }
};

class CSPImageEditDlg : public CDialog {
    DECLARE_DYNAMIC(CSPImageEditDlg)

public:
    // nBitsPixel -1 takes the bitmap's own colour depth.
    CSPImageEditDlg(CBitmap* pBitmap, CWnd* pParent = NULL, int nBitsPixel = -1);
    ~CSPImageEditDlg() override;

    INT_PTR DoModal() override;

    // The select-colour tool picked a colour: it becomes the drawing colour
    // and the pencil the tool.
    void OnPickColor(COLORREF color);

    CSPImageEditArea& GetArea() { return m_wndLargeDrawArea; }
    CSPImageEditToolBar& GetToolBar() { return m_wndPaletteBar; }
    CSPColorBar& GetColorBar() { return m_wndColorPicker; }
    int GetBitsPerPixel() const { return m_nBitsPixel; }
    CSize GetImageSize() const { return m_sizeImage; }
    CRect GetPreviewRect() const { return m_rectPreviewImage; }

protected:
    CStatic m_wndColorPickerLocation;
    CStatic m_wndPaletteBarLocation;
    CStatic m_wndPreview;
    CSPImageEditArea m_wndLargeDrawArea;
    CBitmap* m_pBitmap;
    CSize m_sizeImage;
    int m_nBitsPixel;
    CSPImageEditToolBar m_wndPaletteBar;
    CSPColorBar m_wndColorPicker;
    CRect m_rectPreviewFrame;
    CRect m_rectPreviewImage;
    CPalette m_palSmall;

    // Fills the whole image with the button face.
    void ClearImage();
    // A control's rectangle in this dialog's client coordinates.
    CRect ControlRect(CWnd& wnd) const;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg void OnColors();
    afx_msg void OnTool(UINT nID);
    afx_msg void OnUpdateTool(CCmdUI* pCmdUI);
    afx_msg void OnToolCopy();
    afx_msg void OnToolPaste();
    afx_msg void OnUpdateToolPaste(CCmdUI* pCmdUI);
    afx_msg void OnToolClear();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
