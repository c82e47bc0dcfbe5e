// The web browser: loads file URLs into documents, asynchronously, and tells
// its listeners (nsIWebProgressListener.h) when each load ends.
#include "nsWebBrowser.h"

#include <windows.h>

#include <algorithm>
#include <deque>
#include <new>
#include <memory>
#include <string>
#include <vector>

#include "nsCOMPtr.h"
#include "nsDOMAdapters.h"
#include "nsFileURL.h"
#include "nsHtmlDocument.h"
#include "nsIBaseWindow.h"
#include "nsIDocShell.h"
#include "nsIIOService.h"
#include "nsIInterfaceRequestor.h"
#include "nsIURI.h"
#include "nsIWebBrowser.h"
#include "nsIWebNavigation.h"
#include "nsIWebProgressListener.h"
#include "nsNativeCharset.h"
#include "nsString.h"
#include "parser.h"
#include "stage_clock.h"

namespace {

// Largest page read; a bigger file fails its load instead of exhausting memory.
const ULONGLONG kMaxPageBytes = 256ull * 1024 * 1024;

// What NS_TakeUnparsedDocument asks a browser for: the browser itself.
// {7B0D4C61-2F3A-4E8B-9C55-3A1E6D0F7B21}
const nsIID kWebBrowserSelfIID = {
    0x7B0D4C61, 0x2F3A, 0x4E8B, {0x9C, 0x55, 0x3A, 0x1E, 0x6D, 0x0F, 0x7B, 0x21}};

// Messages of the browser's own message-only window.
const UINT kMsgLoad = WM_APP + 0x2A1;  // run the oldest pending load
const UINT kMsgWake = WM_APP + 0x2A2;  // nothing: wakes nested loops after a load

// ---- document shell and content viewer

class DocShell final : public nsIDocShell, public nsIContentViewer {
 public:
  NS_DECL_ISUPPORTS

  // nsIDocShell: the viewer exists once a load has ended.
  NS_IMETHOD GetContentViewer(nsIContentViewer** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = mHasViewer ? static_cast<nsIContentViewer*>(this) : nullptr;
    if (*result) AddRef();
    return NS_OK;
  }
  // nsIContentViewer: the document of the last load (null when it failed).
  NS_IMETHOD GetDOMDocument(nsIDOMDocument** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = mDOM;
    if (mDOM) mDOM->AddRef();
    return NS_OK;
  }

  void SetDocument(std::shared_ptr<tw::html::Document> doc) {
    mHasViewer = true;
    mDOM = doc ? NS_NewDOMDocument(std::move(doc)) : nullptr;
    if (mDOM) mDOM->Release();  // the nsCOMPtr took its own reference
  }
  nsIDOMDocument* Document() const { return mDOM; }

 private:
  ~DocShell() = default;
  bool mHasViewer = false;
  nsCOMPtr<nsIDOMDocument> mDOM;
};
NS_IMPL_ISUPPORTS2(DocShell, nsIDocShell, nsIContentViewer)

// Why a page file could not be opened or looked up.
nsresult FileError(DWORD err) {
  if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME ||
      err == ERROR_BAD_NETPATH)
    return NS_ERROR_FILE_NOT_FOUND;
  if (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)
    return NS_ERROR_FILE_ACCESS_DENIED;
  return NS_ERROR_FAILURE;
}

// Reads a whole page file; the result code says why it could not.
nsresult ReadPageFile(const wchar_t* path, std::string& bytes) {
  HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FileError(GetLastError());
  nsresult rv = NS_OK;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) {
    rv = NS_ERROR_FAILURE;
  } else if (ULONGLONG(size.QuadPart) > kMaxPageBytes) {
    rv = NS_ERROR_OUT_OF_MEMORY;
  } else {
    bytes.resize(size_t(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD got = 0;
      DWORD want = DWORD(std::min<size_t>(bytes.size() - done, 1u << 24));
      if (!::ReadFile(h, &bytes[done], want, &got, nullptr)) {
        rv = NS_ERROR_FAILURE;
        break;
      }
      if (got == 0) break;  // the file shrank meanwhile
      done += got;
    }
    bytes.resize(done);
  }
  CloseHandle(h);
  return rv;
}

// ---- web browser

struct PendingLoad {
  std::u16string uri;
  bool aborted = false;
};

class WebBrowser final : public nsIWebBrowser,
                         public nsIBaseWindow,
                         public nsIWebBrowserSetup,
                         public nsIWebNavigation,
                         public nsIInterfaceRequestor,
                         public nsIWebBrowserSiteHolder {
 public:
  WebBrowser() : mDocShell(new DocShell) {}

  NS_DECL_ISUPPORTS

  // ---- nsIWebBrowser
  NS_IMETHOD AddWebBrowserListener(nsISupports* listener, const nsIID& iid) override {
    NS_ENSURE_ARG_POINTER(listener);
    if (!iid.Equals(NS_GET_IID(nsIWebProgressListener))) return NS_ERROR_NO_INTERFACE;
    nsCOMPtr<nsIWebProgressListener> l = do_QueryInterface(listener);
    if (!l) return NS_ERROR_NO_INTERFACE;
    for (auto& have : mListeners)
      if (have == l) return NS_OK;
    mListeners.push_back(l);
    return NS_OK;
  }
  NS_IMETHOD RemoveWebBrowserListener(nsISupports* listener, const nsIID& iid) override {
    NS_ENSURE_ARG_POINTER(listener);
    if (!iid.Equals(NS_GET_IID(nsIWebProgressListener))) return NS_ERROR_NO_INTERFACE;
    nsCOMPtr<nsIWebProgressListener> l = do_QueryInterface(listener);
    for (size_t i = 0; i < mListeners.size(); ++i)
      if (mListeners[i] == l) {
        mListeners.erase(mListeners.begin() + i);
        return NS_OK;
      }
    return NS_ERROR_FAILURE;
  }
  NS_IMETHOD GetContainerWindow(nsISupports** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = mContainer;
    if (mContainer) mContainer->AddRef();
    return NS_OK;
  }
  NS_IMETHOD SetContainerWindow(nsISupports* container) override {
    mContainer = container;
    return NS_OK;
  }

  // ---- nsIBaseWindow
  NS_IMETHOD InitWindow(nativeWindow parent, nsIWidget*, PRInt32 x, PRInt32 y, PRInt32 cx,
                        PRInt32 cy) override {
    mParent = static_cast<HWND>(parent);
    mX = x; mY = y; mCx = cx; mCy = cy;
    return NS_OK;
  }
  NS_IMETHOD Create() override { return EnsureWindow() ? NS_OK : NS_ERROR_FAILURE; }
  NS_IMETHOD Destroy() override {
    Stop(STOP_ALL);
    if (mWnd) {
      SetWindowLongPtrA(mWnd, GWLP_USERDATA, 0);
      DestroyWindow(mWnd);
      mWnd = nullptr;
    }
    return NS_OK;
  }
  NS_IMETHOD SetPositionAndSize(PRInt32 x, PRInt32 y, PRInt32 cx, PRInt32 cy, PRBool) override {
    mX = x; mY = y; mCx = cx; mCy = cy;
    return NS_OK;
  }
  NS_IMETHOD GetPositionAndSize(PRInt32* x, PRInt32* y, PRInt32* cx, PRInt32* cy) override {
    if (x) *x = mX;
    if (y) *y = mY;
    if (cx) *cx = mCx;
    if (cy) *cy = mCy;
    return NS_OK;
  }
  NS_IMETHOD SetVisibility(PRBool visible) override {
    mVisible = visible;
    return NS_OK;
  }
  NS_IMETHOD GetVisibility(PRBool* visible) override {
    NS_ENSURE_ARG_POINTER(visible);
    *visible = mVisible;
    return NS_OK;
  }

  // ---- nsIWebBrowserSetup: only kWebBrowserParseLater changes anything here.
  NS_IMETHOD SetProperty(PRUint32 id, PRUint32 value) override {
    if (id == kWebBrowserParseLater) mParseLater = value != 0;
    return NS_OK;
  }

  std::shared_ptr<UnparsedDocument> Unparsed() const { return mUnparsed; }

  // ---- nsIWebNavigation
  NS_IMETHOD LoadURI(const PRUnichar* uri, PRUint32, nsIURI*, nsISupports*, nsISupports*) override {
    NS_ENSURE_ARG_POINTER(uri);
    std::u16string spec(uri);
    // Only local files can be loaded; anything else does not start.
    nsAutoCString ansi;
    NS_CopyUnicodeToNative(nsAutoString(spec.c_str()), ansi);
    nsAutoString path;
    if (spec.empty() || !NS_FileURLToPath(ansi.get(), path)) return NS_ERROR_UNKNOWN_PROTOCOL;
    if (!EnsureWindow()) return NS_ERROR_FAILURE;
    // A newer load replaces those not yet run; they end as aborted.
    for (PendingLoad& p : mPending) p.aborted = true;
    mPending.push_back(PendingLoad{spec, false});
    if (mParseLater && mPending.size() == 1 && !mRunningLoad) {
      // Reading a file without parsing it takes a moment: the load runs
      // now, and has ended (its listeners told) when this returns, with no
      // round through the message queue and no wake-up after it.
      try {
        RunNextLoad(false);
      } catch (...) {
        // As from the window procedure: the load's listeners were told or
        // the load is given up; nothing unwinds through the caller.
      }
      return NS_OK;
    }
    if (!PostMessageA(mWnd, kMsgLoad, 0, 0)) {
      mPending.pop_back();
      return NS_ERROR_FAILURE;
    }
    return NS_OK;
  }
  NS_IMETHOD Stop(PRUint32) override {
    for (PendingLoad& p : mPending) p.aborted = true;
    return NS_OK;
  }
  NS_IMETHOD GetDocument(nsIDOMDocument** result) override {
    return mDocShell->GetDOMDocument(result);
  }
  NS_IMETHOD GetCurrentURI(nsIURI** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    if (mCurrentURI.empty()) return NS_OK;
    nsresult rv;
    nsCOMPtr<nsIIOService> io = do_GetService(NS_IOSERVICE_CONTRACTID, &rv);
    if (!io) return NS_FAILED(rv) ? rv : NS_ERROR_FAILURE;
    return io->NewURI(NS_ConvertUTF16toUTF8(mCurrentURI.c_str()), "UTF-8", nullptr, result);
  }

  // ---- nsIInterfaceRequestor
  NS_IMETHOD GetInterface(const nsIID& iid, void** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    if (iid.Equals(NS_GET_IID(nsIDocShell)) || iid.Equals(NS_GET_IID(nsIContentViewer)))
      return mDocShell->QueryInterface(iid, result);
    if (iid.Equals(NS_GET_IID(nsIDOMDocument))) {
      nsIDOMDocument* doc = mDocShell->Document();
      if (!doc) return NS_NOINTERFACE;
      doc->AddRef();
      *result = doc;
      return NS_OK;
    }
    return QueryInterface(iid, result);
  }

  // ---- nsIWebBrowserSiteHolder
  NS_IMETHOD SetSite(nsIWebBrowserSite* site) override {
    mSite = site;
    return NS_OK;
  }
  NS_IMETHOD GetSite(nsIWebBrowserSite** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = mSite;
    return NS_OK;
  }

 private:
  ~WebBrowser() {
    if (mWnd) {
      SetWindowLongPtrA(mWnd, GWLP_USERDATA, 0);
      DestroyWindow(mWnd);
    }
  }

  bool EnsureWindow() {
    if (mWnd) return true;
    static ATOM atom = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = &WebBrowser::WndProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "TwHtmlEngineLoader";
      return RegisterClassA(&wc);
    }();
    if (!atom) return false;
    mWnd = CreateWindowExA(0, "TwHtmlEngineLoader", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    if (!mWnd) return false;
    SetWindowLongPtrA(mWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
  }

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgLoad) {
      auto* self = reinterpret_cast<WebBrowser*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      if (self) {
        try {
          self->RunNextLoad(true);
        } catch (...) {
          // Nothing may unwind through the system's dispatcher.
        }
      }
      return 0;
    }
    if (msg == kMsgWake) return 0;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  // Reads the whole file; the result code says why it could not.
  static nsresult ReadFile(const nsAString& path, std::string& bytes) {
    return ReadPageFile(reinterpret_cast<LPCWSTR>(path.get()), bytes);
  }

  // What a load that reads later needs to know now: that the page is a
  // file, and its size. The refusals are those of a read, but for locks,
  // which only the read meets (the page is then missing from the PDF).
  static nsresult LookUpFile(const nsAString& path, size_t* size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(reinterpret_cast<LPCWSTR>(path.get()), GetFileExInfoStandard,
                              &data))
      return FileError(GetLastError());
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return NS_ERROR_FAILURE;
    const ULONGLONG bytes = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (bytes > kMaxPageBytes) return NS_ERROR_OUT_OF_MEMORY;
    *size = size_t(bytes);
    return NS_OK;
  }

  // Runs the oldest pending load; `wake` posts a message after it, for a
  // caller waiting in a message loop for the load's end.
  void RunNextLoad(bool wake) {
    if (mPending.empty()) return;
    nsCOMPtr<nsIWebBrowser> keepAlive(static_cast<nsIWebBrowser*>(this));
    struct Running {
      bool& flag;
      bool was;
      explicit Running(bool& f) : flag(f), was(f) { flag = true; }
      ~Running() { flag = was; }
    } running(mRunningLoad);
    PendingLoad load = mPending.front();
    mPending.pop_front();
    tw::stats::StageTimer loadTime(tw::stats::Stage::BrowserLoad);

    nsresult status = NS_ERROR_ABORT;
    std::shared_ptr<tw::html::Document> doc;
    std::shared_ptr<UnparsedDocument> unparsed;
    if (!load.aborted) {
      nsAutoCString ansi;
      NS_CopyUnicodeToNative(nsAutoString(load.uri.c_str()), ansi);
      nsAutoString path;
      std::string bytes;
      size_t size = 0;
      tw::stats::StageTimer readTime(tw::stats::Stage::Read);
      if (!NS_FileURLToPath(ansi.get(), path))
        status = NS_ERROR_UNKNOWN_PROTOCOL;
      else
        status = mParseLater ? LookUpFile(path, &size) : ReadFile(path, bytes);
      readTime.stop();
      if (NS_SUCCEEDED(status)) {
        tw::stats::StageTimer parseTime(tw::stats::Stage::Parse);
        try {
          tw::html::ParseOptions options;
          // Pages that declare no charset were written in the code page of
          // the system that made the help file: read them in this system's
          // ANSI code page, which the engine also converts titles back to.
          options.codePage = GetACP();
          options.decoder = [](unsigned cp, std::string_view in, std::u16string& out) {
            nsAutoString wide;
            if (NS_FAILED(NS_CopyCodePageToUnicode(cp, in.data(), in.size(), wide))) return false;
            out = wide.str();
            return true;
          };
          if (mParseLater) {
            parseTime.stop();
            unparsed = std::make_shared<UnparsedDocument>(
                std::wstring(reinterpret_cast<const wchar_t*>(path.get()), path.Length()), size,
                std::move(options));
          } else {
            std::unique_ptr<tw::html::Document> parsed = tw::html::parseHtml(bytes, options);
            doc = std::shared_ptr<tw::html::Document>(std::move(parsed));
          }
        } catch (const std::bad_alloc&) {
          status = NS_ERROR_OUT_OF_MEMORY;
        }
      }
      // The load ran: its outcome becomes the browser's state.
      mDocShell->SetDocument(NS_SUCCEEDED(status) ? doc : nullptr);
      mCurrentURI = NS_SUCCEEDED(status) ? load.uri : std::u16string();
    }

    nsIDOMDocument* dom = NS_SUCCEEDED(status) ? mDocShell->Document() : nullptr;
    // Taken by the listeners through NS_TakeUnparsedDocument while they run.
    mUnparsed = NS_SUCCEEDED(status) ? unparsed : nullptr;
    std::vector<nsCOMPtr<nsIWebProgressListener>> listeners = mListeners;
    for (auto& l : listeners)
      l->OnLoadFinished(static_cast<nsIWebBrowser*>(this), load.uri.c_str(), status, dom);
    nsCOMPtr<nsIWebProgressListener> global = do_GetService(NS_WEBPROGRESSLISTENER_CONTRACTID);
    if (global) global->OnLoadFinished(static_cast<nsIWebBrowser*>(this), load.uri.c_str(), status, dom);
    mUnparsed.reset();
    if (wake && mWnd) PostMessageA(mWnd, kMsgWake, 0, 0);
  }

  nsCOMPtr<DocShell> mDocShell;
  std::vector<nsCOMPtr<nsIWebProgressListener>> mListeners;
  std::deque<PendingLoad> mPending;
  std::u16string mCurrentURI;
  bool mParseLater = false;
  bool mRunningLoad = false;  // a load's listeners are being told
  std::shared_ptr<UnparsedDocument> mUnparsed;  // of the load being reported
  nsISupports* mContainer = nullptr;  // not held
  nsIWebBrowserSite* mSite = nullptr;  // not held
  HWND mParent = nullptr;
  HWND mWnd = nullptr;
  PRInt32 mX = 0, mY = 0, mCx = 0, mCy = 0;
  PRBool mVisible = PR_FALSE;
};
NS_IMPL_ADDREF(WebBrowser)
NS_IMPL_RELEASE(WebBrowser)
NS_IMETHODIMP WebBrowser::QueryInterface(const nsIID& iid, void** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  // The object itself, without a reference (see NS_TakeUnparsedDocument).
  if (iid.Equals(kWebBrowserSelfIID)) {
    *result = this;
    return NS_OK;
  }
  nsISupports* found = nullptr;
  NS_IMPL_QI_ENTRY(nsIWebBrowser)
  NS_IMPL_QI_ENTRY(nsIBaseWindow)
  NS_IMPL_QI_ENTRY(nsIWebBrowserSetup)
  NS_IMPL_QI_ENTRY(nsIWebNavigation)
  NS_IMPL_QI_ENTRY(nsIInterfaceRequestor)
  NS_IMPL_QI_ENTRY(nsIWebBrowserSiteHolder)
  if (!found && iid.Equals(NS_GET_IID(nsISupports)))
    found = static_cast<nsISupports*>(static_cast<nsIWebBrowser*>(this));
  if (!found) {
    *result = nullptr;
    return NS_NOINTERFACE;
  }
  found->AddRef();
  *result = found;
  return NS_OK;
}

}  // namespace

void UnparsedDocument::Read() {
  std::call_once(read_once_, [this] {
    tw::stats::StageTimer readTime(tw::stats::Stage::Read);
    try {
      read_ = NS_SUCCEEDED(ReadPageFile(path_.c_str(), bytes_));
    } catch (const std::bad_alloc&) {
      read_ = false;
    }
    if (!read_) std::string().swap(bytes_);
  });
}

std::shared_ptr<tw::html::Document> UnparsedDocument::Parse() {
  std::call_once(once_, [this] {
    Read();
    std::string bytes;
    bytes.swap(bytes_);
    if (!read_) return;
    tw::stats::StageTimer parseTime(tw::stats::Stage::Parse);
    try {
      doc_ = std::shared_ptr<tw::html::Document>(tw::html::parseHtml(bytes, options_));
    } catch (const std::bad_alloc&) {
      doc_.reset();
    }
  });
  return doc_;
}

std::shared_ptr<UnparsedDocument> NS_TakeUnparsedDocument(nsIWebBrowser* browser) {
  if (!browser) return nullptr;
  void* self = nullptr;
  // Not reference-counted: the caller holds the browser.
  if (NS_FAILED(browser->QueryInterface(kWebBrowserSelfIID, &self)) || !self) return nullptr;
  return static_cast<WebBrowser*>(self)->Unparsed();
}

nsresult NS_NewWebBrowser(nsISupports* outer, const nsIID& iid, void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  if (outer) return NS_ERROR_NO_AGGREGATION;
  WebBrowser* b = new (std::nothrow) WebBrowser;
  if (!b) return NS_ERROR_OUT_OF_MEMORY;
  b->AddRef();
  nsresult rv = b->QueryInterface(iid, result);
  b->Release();
  return rv;
}
