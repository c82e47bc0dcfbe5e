// The native widget (a hidden top-level window, or a child of the parent
// given) and the window watcher, whose creator decides about pop-ups.
#include <windows.h>

#include <new>

#include "nsCOMPtr.h"
#include "nsIWidget.h"
#include "nsIWindowWatcher.h"
#include "nsWebBrowser.h"

namespace {

class NativeWidget final : public nsIWidget {
 public:
  NS_DECL_ISUPPORTS

  NS_IMETHOD Create(nsNativeWidget parent, const nsRect& rect, const nsWidgetInitData* init) override {
    if (mWnd) return NS_ERROR_ALREADY_INITIALIZED;
    static ATOM atom = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.lpszClassName = "TwHtmlEngineWidget";
      return RegisterClassA(&wc);
    }();
    if (!atom) return NS_ERROR_FAILURE;
    DWORD style = parent ? WS_CHILD : WS_POPUP;
    if (init && init->clipChildren) style |= WS_CLIPCHILDREN;
    if (init && init->clipSiblings) style |= WS_CLIPSIBLINGS;
    mWnd = CreateWindowExA(0, "TwHtmlEngineWidget", "", style, rect.x, rect.y, rect.width,
                           rect.height, static_cast<HWND>(parent), nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    if (!mWnd) return NS_ERROR_FAILURE;
    mBounds = rect;
    return NS_OK;
  }
  NS_IMETHOD Destroy() override {
    if (mWnd) DestroyWindow(mWnd);
    mWnd = nullptr;
    return NS_OK;
  }
  NS_IMETHOD GetBounds(nsRect& rect) override {
    rect = mBounds;
    return NS_OK;
  }
  NS_IMETHOD Resize(PRInt32 x, PRInt32 y, PRInt32 width, PRInt32 height, PRBool repaint) override {
    mBounds = nsRect(x, y, width, height);
    if (mWnd) MoveWindow(mWnd, x, y, width, height, repaint);
    return NS_OK;
  }
  NS_IMETHOD Show(PRBool show) override {
    if (mWnd) ShowWindow(mWnd, show ? SW_SHOWNA : SW_HIDE);
    return NS_OK;
  }
  NS_IMETHOD_(void*) GetNativeData(PRUint32 kind) override {
    return (kind == NS_NATIVE_WIDGET || kind == NS_NATIVE_WINDOW) ? mWnd : nullptr;
  }

 private:
  ~NativeWidget() {
    if (mWnd) DestroyWindow(mWnd);
  }
  HWND mWnd = nullptr;
  nsRect mBounds;
};
NS_IMPL_ISUPPORTS1(NativeWidget, nsIWidget)

class WindowWatcher final : public nsIWindowWatcher {
 public:
  NS_DECL_ISUPPORTS
  NS_IMETHOD SetWindowCreator(nsIWindowCreator* creator) override {
    mCreator = creator;
    return NS_OK;
  }
  NS_IMETHOD GetWindowCreator(nsIWindowCreator** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = mCreator;
    if (mCreator) mCreator->AddRef();
    return NS_OK;
  }

 private:
  ~WindowWatcher() = default;
  nsCOMPtr<nsIWindowCreator> mCreator;
};
NS_IMPL_ISUPPORTS1(WindowWatcher, nsIWindowWatcher)

template <class T>
nsresult Construct(nsISupports* outer, const nsIID& iid, void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  if (outer) return NS_ERROR_NO_AGGREGATION;
  T* obj = new (std::nothrow) T;
  if (!obj) return NS_ERROR_OUT_OF_MEMORY;
  obj->AddRef();
  nsresult rv = obj->QueryInterface(iid, result);
  obj->Release();
  return rv;
}

}  // namespace

nsresult NS_NewNativeWidget(nsISupports* outer, const nsIID& iid, void** result) {
  return Construct<NativeWidget>(outer, iid, result);
}

nsresult NS_NewWindowWatcher(nsISupports* outer, const nsIID& iid, void** result) {
  return Construct<WindowWatcher>(outer, iid, result);
}
