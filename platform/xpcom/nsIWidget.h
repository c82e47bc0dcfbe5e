// nsIWidget.h - a native window that hosts a browser.
//
// Class id of the native window class: NS_NATIVE_WIDGET_CID (created through
// nsComponentManager::CreateInstance); interface nsIWidget.
#pragma once

#include "nsISupports.h"

// {2D96B3D0-C051-11D1-A827-0040959A28C9}
#define NS_NATIVE_WIDGET_CID \
  {0x2D96B3D0, 0xC051, 0x11D1, {0xA8, 0x27, 0x00, 0x40, 0x95, 0x9A, 0x28, 0xC9}}

struct nsRect {
  PRInt32 x = 0, y = 0, width = 0, height = 0;
  nsRect() = default;
  nsRect(PRInt32 ax, PRInt32 ay, PRInt32 w, PRInt32 h) : x(ax), y(ay), width(w), height(h) {}
};

// Creation options; the defaults make a plain hidden child-less window.
struct nsWidgetInitData {
  PRBool clipChildren = PR_FALSE;
  PRBool clipSiblings = PR_FALSE;
};

// Kinds for nsIWidget::GetNativeData.
#define NS_NATIVE_WINDOW 0
#define NS_NATIVE_GRAPHIC 1
#define NS_NATIVE_WIDGET 3  // the window handle (HWND)

typedef void* nsNativeWidget;

class nsIWidget : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x18032AD5, 0xB265, 0x11D1, {0xAA, 0x2A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}})

  // Creates the native window; a null parent makes a top-level window.
  NS_IMETHOD Create(nsNativeWidget parent, const nsRect& rect,
                    const nsWidgetInitData* initData) = 0;
  NS_IMETHOD Destroy() = 0;
  NS_IMETHOD GetBounds(nsRect& rect) = 0;
  NS_IMETHOD Resize(PRInt32 x, PRInt32 y, PRInt32 width, PRInt32 height,
                    PRBool repaint) = 0;
  NS_IMETHOD Show(PRBool show) = 0;
  // Null for a kind the widget does not have or before Create.
  NS_IMETHOD_(void*) GetNativeData(PRUint32 kind) = 0;
};
