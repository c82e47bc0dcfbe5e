// nsIBaseWindow.h - placing a browser inside a native window.
#pragma once

#include "nsISupports.h"
#include "nsIWidget.h"

typedef void* nativeWindow;

class nsIBaseWindow : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x16745A6F, 0xFE61, 0x4076, {0xAC, 0xF1, 0xD0, 0x99, 0xE9, 0x39, 0xB8, 0x52}})

  // Where the window will live; Create then builds it.
  NS_IMETHOD InitWindow(nativeWindow parentNativeWindow, nsIWidget* parentWidget,
                        PRInt32 x, PRInt32 y, PRInt32 cx, PRInt32 cy) = 0;
  NS_IMETHOD Create() = 0;
  NS_IMETHOD Destroy() = 0;
  NS_IMETHOD SetPositionAndSize(PRInt32 x, PRInt32 y, PRInt32 cx, PRInt32 cy,
                                PRBool repaint) = 0;
  NS_IMETHOD GetPositionAndSize(PRInt32* x, PRInt32* y, PRInt32* cx, PRInt32* cy) = 0;
  NS_IMETHOD SetVisibility(PRBool visible) = 0;
  NS_IMETHOD GetVisibility(PRBool* visible) = 0;
};
