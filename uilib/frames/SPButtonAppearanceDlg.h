// SPButtonAppearanceDlg.h - the "Button Appearance" dialog that a toolbar or
// menu opens in customise mode for one button: image only, text only, or
// image and text; the button text; the command's default image or a user
// image, new and edited images drawn in the image editor. OK writes the
// choice into the button.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "afxctl.h"

#include "SPButtonsList.h"

#define SP_IDD_BUTTON_APPEARANCE 16132
#define SP_IDC_APPEARANCE_TEXT 16500
#define SP_IDC_APPEARANCE_IMAGE_ONLY 16505
#define SP_IDC_APPEARANCE_TEXT_ONLY 16506
#define SP_IDC_APPEARANCE_IMAGE_AND_TEXT 16507
#define SP_IDC_APPEARANCE_USER_IMAGES 16508
#define SP_IDC_APPEARANCE_NEW_IMAGE 16509
#define SP_IDC_APPEARANCE_EDIT_IMAGE 16510
#define SP_IDC_APPEARANCE_USER_IMAGE 16529
#define SP_IDC_APPEARANCE_DEFAULT_IMAGE 16530
#define SP_IDC_APPEARANCE_DEFAULT_AREA 16531
#define SP_IDC_APPEARANCE_DESCRIPTION 16603

#define SP_IDS_SELECT_IMAGE 16001
#define SP_IDS_ENTER_TEXT 16002
#define SP_IDS_CANT_CREATE_IMAGE 16003
#define SP_IDS_INTERNAL_ERROR 16008

class CSPToolbarButton;
class CSPButtonImages;
class CSPUserTool;

class CSPButtonAppearanceDlg : public CDialog {
    DECLARE_DYNAMIC(CSPButtonAppearanceDlg)

public:
    // The button is the caller's; the user images may be NULL. The grid
    // lists the user images from iStartImage on.
    CSPButtonAppearanceDlg(CSPToolbarButton* pButton, CSPButtonImages* pImages, CWnd* pParent = NULL,
                           int iStartImage = 0, BOOL bMenuMode = FALSE);
    ~CSPButtonAppearanceDlg() override;

    CButton m_wndDefaultImage;
    CButton m_wndUserImage;
    CStatic m_wndDefaultImageArea;
    CEdit m_wndButtonText;
    CButton m_wndAddImage;
    CSPButtonsList m_wndButtonList;
    CButton m_wndEditImage;
    CString m_strButtonText;
    CString m_strButtonDescr;

    int GetSelectedImage() const { return m_iSelImage; }
    BOOL IsImageChoice() const { return m_bImage; }
    BOOL IsTextChoice() const { return m_bText; }
    BOOL IsUserImageChoice() const { return m_bUserButton; }
    const CString& GetAcceleratorText() const { return m_strAccel; }
    CRect GetDefaultImageRect() const { return m_rectDefaultImage; }

protected:
    CSPToolbarButton* m_pButton;
    CSPButtonImages* m_pImages;
    int m_iStartImage;
    CObList m_Buttons;  // the grid's image buttons, owned
    int m_iSelImage;
    BOOL m_bImage;
    BOOL m_bText;
    BOOL m_bMenuMode;
    BOOL m_bUserButton;
    CRect m_rectDefaultImage;
    CString m_strAccel;
    CSPUserTool* m_pUserTool;

    // The command's image in the shared images, -1 when it has none.
    int GetDefaultImage() const;
    void EnableControls();
    void RebuildImageList();
    // The editor on a bitmap of the user images' size; TRUE on OK.
    BOOL EditBitmap(CBitmap& bitmap);
    void ShowMessage(UINT uiStringId);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnImageOnly();
    afx_msg void OnTextOnly();
    afx_msg void OnImageAndText();
    afx_msg void OnDefaultImage();
    afx_msg void OnUserImage();
    afx_msg void OnUserImagesList();
    afx_msg void OnAddImage();
    afx_msg void OnEditImage();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
