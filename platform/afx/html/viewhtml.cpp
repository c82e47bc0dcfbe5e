// viewhtml.cpp - CHtmlView over the HTML engine.
#include "afxhtml.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gdi/gdi_host.h"
#include "layout/html_layout.h"
#include "nsURLParser.h"
#include "parser.h"
#include "viewurl.h"

using tw::layout::DisplayList;
using tw::layout::GdiHost;
using tw::layout::HtmlLayout;

namespace {

const int kLinePx = 20;                     // one line of scrolling
const float kPrintMarginPx = 48.0f;         // half an inch around a printed page
const size_t kMaxPageBytes = 64u << 20;     // larger files are not read
const char kBlankPage[] = "<html><head><title></title></head><body></body></html>";

std::string Narrow(const std::wstring& w, UINT cp) {
    if (w.empty()) return std::string();
    int n = ::WideCharToMultiByte(cp, 0, w.data(), (int)w.size(), NULL, 0, NULL, NULL);
    std::string s(n > 0 ? (size_t)n : 0, '\0');
    if (n > 0) ::WideCharToMultiByte(cp, 0, w.data(), (int)w.size(), &s[0], n, NULL, NULL);
    return s;
}

std::wstring Widen(const std::string& s, UINT cp) {
    if (s.empty()) return std::wstring();
    int n = ::MultiByteToWideChar(cp, 0, s.data(), (int)s.size(), NULL, 0);
    std::wstring w(n > 0 ? (size_t)n : 0, L'\0');
    if (n > 0) ::MultiByteToWideChar(cp, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

bool IsValidUtf8(const std::string& s) {
    return s.empty() || ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), (int)s.size(), NULL, 0) > 0;
}

bool HasHighBytes(const std::string& s) {
    for (char c : s)
        if ((unsigned char)c >= 0x80) return true;
    return false;
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') b++;
    while (e > b && (unsigned char)s[e - 1] <= ' ') e--;
    return s.substr(b, e - b);
}

}  // namespace

std::string CHtmlViewUrl::Full() const {
    if (kind == Blank) return "about:blank";
    if (kind == External) return external;
    if (kind != File) return std::string();
    return hasFragment ? base + "#" + NS_EscapeURLPath(fragment) : base;
}

CHtmlViewUrl ParseHtmlViewUrl(const std::string& input) {
    CHtmlViewUrl url;
    std::string s = Trim(input);
    if (s.empty() || LowerAscii(s) == "about:blank") {
        url.kind = CHtmlViewUrl::Blank;
        return url;
    }
    std::string pathPart;
    std::string scheme;
    if ((s.size() >= 2 && s[1] == ':' && isalpha((unsigned char)s[0])) || s.compare(0, 2, "\\\\") == 0) {
        pathPart = s;  // a plain path: '#' and '%' are part of the name
    } else if (NS_URLScheme(s, scheme) && scheme == "file") {
        nsLocalFileRef file;
        if (!NS_FileURLToLocalFile(s, file)) return url;
        if (file.hasRef) {
            url.fragment = IsValidUtf8(file.ref) ? file.ref : Narrow(Widen(file.ref, CP_ACP), CP_UTF8);
            url.hasFragment = true;
        }
        pathPart = file.path;
    } else {
        if (scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto" || scheme == "news") {
            url.kind = CHtmlViewUrl::External;
            url.external = s;
        }
        return url;  // other schemes (javascript:, mk:, ...) are not followed
    }
    std::wstring wpath = HasHighBytes(pathPart) && IsValidUtf8(pathPart) ? Widen(pathPart, CP_UTF8)
                                                                          : Widen(pathPart, CP_ACP);
    for (wchar_t& c : wpath)
        if (c == L'/') c = L'\\';
    if (wpath.empty() || wpath.find(L'\0') != std::wstring::npos) return url;
    url.kind = CHtmlViewUrl::File;
    url.path = wpath;
    url.base = NS_LocalPathToFileURL(Narrow(wpath, CP_UTF8));
    return url;
}

namespace {

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = ::GetFileSizeEx(h, &size) && size.QuadPart >= 0 && (unsigned long long)size.QuadPart <= kMaxPageBytes;
    if (ok) {
        bytes->assign((size_t)size.QuadPart, '\0');
        DWORD got = 0;
        ok = bytes->empty() || (::ReadFile(h, &(*bytes)[0], (DWORD)bytes->size(), &got, NULL) && got == bytes->size());
    }
    ::CloseHandle(h);
    return ok;
}

std::string HtmlEscape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string CollapseSpaces(const std::string& s) {
    std::string out;
    bool bSpace = false;
    for (char c : s) {
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\f') {
            bSpace = !out.empty();
        } else {
            if (bSpace) out += ' ';
            bSpace = false;
            out += c;
        }
    }
    return out;
}

}  // namespace

struct CHtmlViewState {
    GdiHost host;
    std::unique_ptr<tw::html::Document> doc;
    std::unique_ptr<HtmlLayout> layout;
    DisplayList display;
    CHtmlViewUrl url;          // the page shown
    bool navigated = false;
    bool error = false;
    std::string title;         // UTF-8
    std::string pending;       // a navigation asked for before the window existed
    bool hasPending = false;
    int layoutWidth = 0;
    CPoint scroll;
    std::string pressedLink;   // the link under the button press
    // printing
    std::unique_ptr<HtmlLayout> printLayout;
    std::vector<DisplayList> printPages;
    float printScale = 1;
    float printContentW = 0, printContentH = 0;
    int printPageCount = 0;
};

// --- CHtmlView ----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
END_MESSAGE_MAP()

CHtmlView::CHtmlView() : m_pState(new CHtmlViewState) {}

CHtmlView::~CHtmlView() {
    // the layouts refer to the host's images: they go first
    m_pState->printLayout.reset();
    m_pState->layout.reset();
    delete m_pState;
}

BOOL CHtmlView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL);
    return CView::PreCreateWindow(cs);
}

int CHtmlView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1) return -1;
    UpdateScrollBars();
    if (m_pState->hasPending) {
        m_pState->hasPending = false;
        NavigateTo(m_pState->pending.c_str(), FALSE);
    }
    return 0;
}

void CHtmlView::OnInitialUpdate() {
    // nothing to show yet: the page stays as it is (the document navigates)
}

// --- navigation -------------------------------------------------------------------

void CHtmlView::Navigate(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName, LPCTSTR lpszHeaders,
                         LPVOID lpvPostData, DWORD dwPostDataLen) {
    Navigate2(lpszURL, dwFlags, lpszTargetFrameName, lpszHeaders, lpvPostData, dwPostDataLen);
}

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, LPCTSTR, LPVOID, DWORD) {
    CString strURL = lpszURL != NULL ? lpszURL : _T("");
    if (m_hWnd == NULL) {
        m_pState->pending = (LPCTSTR)strURL;
        m_pState->hasPending = true;
        return;
    }
    NavigateTo(strURL, FALSE);
}

void CHtmlView::Refresh() {
    if (!m_pState->navigated) return;
    CPoint ptKeep = m_pState->scroll;
    LoadPage(m_pState->url);
    ScrollToPosition(ptKeep);
}

void CHtmlView::NavigateTo(const CString& strURL, BOOL bFromLink) {
    CHtmlViewUrl url = ParseHtmlViewUrl((LPCTSTR)strURL);
    if (url.kind == CHtmlViewUrl::Ignored) return;
    std::string full = url.Full();
    CByteArray baPostedData;
    BOOL bCancel = FALSE;
    OnBeforeNavigate2(url.kind == CHtmlViewUrl::External ? (LPCTSTR)strURL : full.c_str(), 0, NULL, baPostedData,
                      NULL, &bCancel);
    if (bCancel || m_hWnd == NULL) return;
    if (url.kind == CHtmlViewUrl::External) {
        OpenExternalLink(strURL);
        return;
    }
    (void)bFromLink;
    // a fragment of the page shown only scrolls
    if (url.kind == CHtmlViewUrl::File && m_pState->navigated && !m_pState->error &&
        m_pState->url.kind == CHtmlViewUrl::File && url.hasFragment && url.base == m_pState->url.base) {
        m_pState->url = url;
        CPoint pt;
        if (GetAnchorPosition(CString(url.fragment.c_str()), &pt))
            ScrollToPosition(CPoint(m_pState->scroll.x, pt.y));
        OnNavigateComplete2(full.c_str());
        OnDocumentComplete(full.c_str());
        return;
    }
    LoadPage(url);
}

void CHtmlView::LoadPage(const CHtmlViewUrl& url) {
    CHtmlViewState& st = *m_pState;
    std::string bytes;
    bool bError = false;
    std::unique_ptr<tw::html::Document> doc;
    if (url.kind == CHtmlViewUrl::File) {
        if (ReadFileBytes(url.path, &bytes)) {
            tw::html::ParseOptions options;
            // pages without a declared charset are in the system's code page
            options.codePage = ::GetACP();
            options.decoder = [](unsigned cp, std::string_view in, std::u16string& out) {
                if (in.empty()) {
                    out.clear();
                    return true;
                }
                if (in.size() > 0x7FFFFFFF) return false;
                int n = ::MultiByteToWideChar(cp, 0, in.data(), (int)in.size(), NULL, 0);
                if (n <= 0) return false;
                out.assign((size_t)n, u'\0');
                ::MultiByteToWideChar(cp, 0, in.data(), (int)in.size(), reinterpret_cast<wchar_t*>(&out[0]), n);
                return true;
            };
            try {
                doc = tw::html::parseHtml(bytes, options);
            } catch (const std::bad_alloc&) {
                doc.reset();
            }
        }
        if (!doc) bError = true;
    } else {
        doc = tw::html::parseHtmlUtf8(kBlankPage);
    }
    std::string full = url.Full();
    if (bError) {
        std::string page = "<html><head><title>The page cannot be displayed</title></head><body>"
                           "<h3>The page cannot be displayed</h3><p>The file could not be read: " +
                           HtmlEscape(Narrow(url.path, CP_UTF8)) + "</p></body></html>";
        doc = tw::html::parseHtmlUtf8(page);
    }
    st.printLayout.reset();
    st.printPages.clear();
    st.layout.reset();
    st.doc = std::move(doc);
    st.url = url;
    st.error = bError;
    st.navigated = true;
    st.layoutWidth = -1;  // lay out at the current width
    st.scroll = CPoint(0, 0);
    st.display = DisplayList();
    try {
        st.layout.reset(new HtmlLayout(st.host));
        st.layout->load(*st.doc, url.kind == CHtmlViewUrl::File ? url.base : std::string("about:blank"));
    } catch (const std::bad_alloc&) {
        // a page too big for memory shows nothing rather than ending the program
        st.layout.reset();
        st.error = bError = true;
    }
    // the title
    std::string title;
    std::vector<tw::html::Element*> titles = st.doc->getElementsByTagName("title");
    if (!titles.empty()) title = CollapseSpaces(titles[0]->textContent());
    st.title = title;
    Relayout();
    if (url.hasFragment && !bError) {
        CPoint pt;
        if (GetAnchorPosition(CString(url.fragment.c_str()), &pt)) ScrollToPosition(CPoint(0, pt.y));
    }
    Invalidate(FALSE);
    if (bError) OnNavigateError(full.c_str());
    OnNavigateComplete2(full.c_str());
    OnTitleChange(GetLocationName());
    OnDocumentComplete(full.c_str());
}

void CHtmlView::Relayout() {
    CHtmlViewState& st = *m_pState;
    if (!st.layout || m_hWnd == NULL) return;
    CRect rc;
    GetClientRect(&rc);
    int nWidth = std::max(rc.Width(), 1);
    if (nWidth != st.layoutWidth) {
        st.layoutWidth = nWidth;
        try {
            st.layout->layout((float)nWidth);
            st.display = st.layout->paint();
        } catch (const std::bad_alloc&) {
            st.layout.reset();
            st.display = DisplayList();
            st.error = true;
            UpdateScrollBars();
            return;
        }
        // content wider than the view (a wide table, a long <pre> line)
        // stretches the page sideways: the layout's width is the view's
        float right = st.display.width;
        for (const tw::layout::DisplayItem& item : st.display.items) {
            if (item.kind != tw::layout::ItemKind::ClipBegin && item.kind != tw::layout::ItemKind::ClipEnd &&
                std::isfinite(item.rect.right()))
                right = std::max(right, item.rect.right());
        }
        st.display.width = std::min(right, 1.0e6f);
    }
    UpdateScrollBars();
}

CString CHtmlView::GetLocationURL() const {
    if (!m_pState->navigated) return CString(m_pState->hasPending ? m_pState->pending.c_str() : "");
    return CString(m_pState->url.Full().c_str());
}

CString CHtmlView::GetLocationName() const {
    return CString(Narrow(Widen(m_pState->title, CP_UTF8), CP_ACP).c_str());
}

BOOL CHtmlView::IsErrorPage() const { return m_pState->error; }

// --- geometry and scrolling --------------------------------------------------------

CSize CHtmlView::GetPageSize() const {
    const DisplayList& d = m_pState->display;
    if (!m_pState->layout) return CSize(0, 0);
    return CSize((int)std::ceil(d.width), (int)std::ceil(d.height));
}

CPoint CHtmlView::GetScrollPosition() const { return m_pState->scroll; }

void CHtmlView::ScrollToPosition(CPoint pt) {
    if (m_hWnd == NULL) return;
    CRect rc;
    GetClientRect(&rc);
    CSize size = GetPageSize();
    int maxX = std::max(0, (int)(size.cx - rc.Width()));
    int maxY = std::max(0, (int)(size.cy - rc.Height()));
    pt.x = std::max(0, std::min((int)pt.x, maxX));
    pt.y = std::max(0, std::min((int)pt.y, maxY));
    if (pt == m_pState->scroll) {
        UpdateScrollBars();
        return;
    }
    m_pState->scroll = pt;
    UpdateScrollBars();
    Invalidate(FALSE);
}

void CHtmlView::ScrollBy(int dx, int dy) {
    ScrollToPosition(CPoint(m_pState->scroll.x + dx, m_pState->scroll.y + dy));
}

void CHtmlView::UpdateScrollBars() {
    if (m_hWnd == NULL) return;
    CRect rc;
    GetClientRect(&rc);
    CSize size = GetPageSize();
    // the vertical bar stays (the layout width then does not jump)
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(0, (int)size.cy - 1);
    si.nPage = (UINT)std::max(0, (int)rc.Height());
    si.nPos = m_pState->scroll.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    si.fMask = SIF_ALL;
    si.nMax = std::max(0, (int)size.cx - 1);
    si.nPage = (UINT)std::max(0, (int)rc.Width());
    si.nPos = m_pState->scroll.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
}

void CHtmlView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED) return;
    Relayout();
    ScrollToPosition(m_pState->scroll);  // kept within the new extent
}

static int ScrollTarget(HWND hWnd, int nBar, UINT nSBCode, int nPos, int nPage, int nLine) {
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(hWnd, nBar, &si);
    switch (nSBCode) {
    case SB_LINEUP: return nPos - nLine;
    case SB_LINEDOWN: return nPos + nLine;
    case SB_PAGEUP: return nPos - nPage;
    case SB_PAGEDOWN: return nPos + nPage;
    case SB_TOP: return 0;
    case SB_BOTTOM: return INT_MAX / 2;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return si.nTrackPos;  // the full 32-bit position
    default: return nPos;
    }
}

void CHtmlView::OnVScroll(UINT nSBCode, UINT, CScrollBar*) {
    CRect rc;
    GetClientRect(&rc);
    int nPage = std::max(kLinePx, rc.Height() - kLinePx);
    int y = ScrollTarget(m_hWnd, SB_VERT, nSBCode, m_pState->scroll.y, nPage, kLinePx);
    ScrollToPosition(CPoint(m_pState->scroll.x, y));
}

void CHtmlView::OnHScroll(UINT nSBCode, UINT, CScrollBar*) {
    CRect rc;
    GetClientRect(&rc);
    int nPage = std::max(kLinePx, rc.Width() - kLinePx);
    int x = ScrollTarget(m_hWnd, SB_HORZ, nSBCode, m_pState->scroll.x, nPage, kLinePx);
    ScrollToPosition(CPoint(x, m_pState->scroll.y));
}

BOOL CHtmlView::OnMouseWheel(UINT, short zDelta, CPoint) {
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    CRect rc;
    GetClientRect(&rc);
    int dy;
    if (nLines == WHEEL_PAGESCROLL)
        dy = -(zDelta / WHEEL_DELTA) * std::max(kLinePx, rc.Height() - kLinePx);
    else
        dy = -(int)((long long)zDelta * (int)nLines * kLinePx / WHEEL_DELTA);
    ScrollBy(0, dy);
    return TRUE;
}

void CHtmlView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    CRect rc;
    GetClientRect(&rc);
    int nPage = std::max(kLinePx, rc.Height() - kLinePx);
    switch (nChar) {
    case VK_UP: ScrollBy(0, -kLinePx); break;
    case VK_DOWN: ScrollBy(0, kLinePx); break;
    case VK_LEFT: ScrollBy(-kLinePx, 0); break;
    case VK_RIGHT: ScrollBy(kLinePx, 0); break;
    case VK_PRIOR: ScrollBy(0, -nPage); break;
    case VK_NEXT:
    case VK_SPACE: ScrollBy(0, nPage); break;
    case VK_HOME: ScrollToPosition(CPoint(0, 0)); break;
    case VK_END: ScrollToPosition(CPoint(0, INT_MAX / 2)); break;
    default: CView::OnKeyDown(nChar, nRepCnt, nFlags); break;
    }
}

// --- links --------------------------------------------------------------------------

CString CHtmlView::GetLinkAt(CPoint ptClient) const {
    const tw::layout::DisplayLink* pLink =
        m_pState->display.linkAt((float)(ptClient.x + m_pState->scroll.x), (float)(ptClient.y + m_pState->scroll.y));
    if (pLink == NULL) return CString();
    const std::string& target = pLink->url.empty() ? pLink->href : pLink->url;
    // the layout's urls are UTF-8: escape what is not ASCII
    std::string out;
    for (unsigned char c : target) {
        if (c >= 0x80 || c < 0x20) {
            char buf[4];
            wsprintfA(buf, "%%%02X", c);
            out += buf;
        } else {
            out += (char)c;
        }
    }
    return CString(out.c_str());
}

BOOL CHtmlView::GetAnchorPosition(LPCTSTR lpszName, CPoint* pPoint) const {
    if (!m_pState->layout || lpszName == NULL) return FALSE;
    std::string name = lpszName;
    if (!IsValidUtf8(name)) name = Narrow(Widen(name, CP_ACP), CP_UTF8);
    const tw::layout::DisplayAnchor* pAnchor = m_pState->display.findAnchor(name);
    if (pAnchor == NULL) return FALSE;
    pPoint->x = (int)std::floor(pAnchor->x);
    pPoint->y = (int)std::floor(pAnchor->y);
    return TRUE;
}

void CHtmlView::OnLButtonDown(UINT nFlags, CPoint point) {
    CView::OnLButtonDown(nFlags, point);
    SetFocus();
    m_pState->pressedLink = (LPCTSTR)GetLinkAt(point);
}

void CHtmlView::OnLButtonUp(UINT nFlags, CPoint point) {
    CView::OnLButtonUp(nFlags, point);
    std::string pressed = m_pState->pressedLink;
    m_pState->pressedLink.clear();
    if (pressed.empty() || pressed != (LPCTSTR)GetLinkAt(point)) return;
    // the navigation replaces the page (and the link) under the mouse
    NavigateTo(CString(pressed.c_str()), TRUE);
}

BOOL CHtmlView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT) {
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (!GetLinkAt(pt).IsEmpty()) {
            ::SetCursor(::LoadCursor(NULL, IDC_HAND));
            return TRUE;
        }
    }
    return CView::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CHtmlView::OpenExternalLink(LPCTSTR lpszURL) {
    HINSTANCE h = ::ShellExecute(NULL, _T("open"), lpszURL, NULL, NULL, SW_SHOWNORMAL);
    return (INT_PTR)h > 32;
}

void CHtmlView::OnBeforeNavigate2(LPCTSTR, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) {}
void CHtmlView::OnNavigateComplete2(LPCTSTR) {}
void CHtmlView::OnDocumentComplete(LPCTSTR) {}
void CHtmlView::OnTitleChange(LPCTSTR) {}
void CHtmlView::OnNavigateError(LPCTSTR) {}

// --- painting -----------------------------------------------------------------------

BOOL CHtmlView::OnEraseBkgnd(CDC*) { return TRUE; }  // OnDraw covers the client area

void CHtmlView::OnPaint() {
    CPaintDC dc(this);
    OnDraw(&dc);
}

void CHtmlView::OnDraw(CDC* pDC) {
    if (pDC->IsPrinting()) return;  // OnPrint prints
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty()) return;
    // off screen first: no flicker while scrolling
    HDC hdcMem = ::CreateCompatibleDC(pDC->m_hDC);
    HBITMAP hbm = ::CreateCompatibleBitmap(pDC->m_hDC, rc.Width(), rc.Height());
    if (hdcMem == NULL || hbm == NULL) {
        if (hbm != NULL) ::DeleteObject(hbm);
        if (hdcMem != NULL) ::DeleteDC(hdcMem);
        ::FillRect(pDC->m_hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
    ::FillRect(hdcMem, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    if (m_pState->layout) {
        tw::layout::PaintOptions options;
        options.originX = -m_pState->scroll.x;
        options.originY = -m_pState->scroll.y;
        options.clip.x = (float)m_pState->scroll.x;
        options.clip.y = (float)m_pState->scroll.y;
        options.clip.w = (float)rc.Width();
        options.clip.h = (float)rc.Height();
        tw::layout::PaintDisplayList(hdcMem, m_pState->display, options);
    }
    ::BitBlt(pDC->m_hDC, 0, 0, rc.Width(), rc.Height(), hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdcMem);
}

// --- printing -----------------------------------------------------------------------

void CHtmlView::OnFilePrint() { CView::OnFilePrint(); }

BOOL CHtmlView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CHtmlView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    CHtmlViewState& st = *m_pState;
    st.printPages.clear();
    st.printLayout.reset();
    int dpiX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));
    float scale = dpiX / 96.0f;
    float pageW = pDC->GetDeviceCaps(HORZRES) / scale;
    float pageH = pDC->GetDeviceCaps(VERTRES) / (std::max(1, pDC->GetDeviceCaps(LOGPIXELSY)) / 96.0f);
    // the margins go when the page is too small for them
    float margin = (pageW > 4 * kPrintMarginPx && pageH > 4 * kPrintMarginPx) ? kPrintMarginPx : 0.0f;
    st.printScale = scale;
    st.printContentW = std::max(16.0f, pageW - 2 * margin);
    st.printContentH = std::max(16.0f, pageH - 2 * margin);
    if (st.doc) {
        st.printLayout.reset(new HtmlLayout(st.host));
        st.printLayout->load(*st.doc, st.url.kind == CHtmlViewUrl::File ? st.url.base : std::string("about:blank"));
        st.printLayout->layout(st.printContentW);
        st.printPages = st.printLayout->paintPages(st.printContentH);
    }
    if (st.printPages.empty()) st.printPages.push_back(DisplayList());
    st.printPageCount = (int)st.printPages.size();
    pInfo->SetMaxPage((UINT)st.printPages.size());
}

void CHtmlView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    CHtmlViewState& st = *m_pState;
    size_t i = pInfo->m_nCurPage - 1;
    if (pInfo->m_nCurPage == 0 || i >= st.printPages.size()) return;
    float margin = (st.printContentW + 2 * kPrintMarginPx) * st.printScale <= pDC->GetDeviceCaps(HORZRES) + 1
                       ? kPrintMarginPx
                       : 0.0f;
    tw::layout::PaintOptions options;
    options.scale = st.printScale;
    options.originX = (int)std::lround(margin * st.printScale);
    options.originY = (int)std::lround(margin * st.printScale);
    options.clip.w = st.printContentW;
    options.clip.h = st.printContentH;
    tw::layout::PaintDisplayList(pDC->m_hDC, st.printPages[i], options);
}

void CHtmlView::OnEndPrinting(CDC*, CPrintInfo*) {
    m_pState->printPages.clear();
    m_pState->printLayout.reset();
}

int CHtmlView::GetPrintPageCount() const { return m_pState->printPageCount; }

CSize CHtmlView::GetPrintContentSize() const {
    return CSize((int)std::lround(m_pState->printContentW), (int)std::lround(m_pState->printContentH));
}
