// GeckoHostContents.cpp - loading a contents file (.hhc) into the contents
// tree and the job's table of contents.
//
// A contents file is an HTML page of nested lists whose entries are OBJECT
// elements with PARAM children: the PARAM named "Name" carries the title,
// the one named "Local" the page. The walk inserts one tree item per titled
// OBJECT under the entry that was inserted just before the enclosing list
// began, appends one page path per item to the tree's list (the item data is
// its index), and one TocRecord per item to the job.
#include "GeckoHost.h"

#include <wchar.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "AppState.h"
#include "BrowserWrapper.h"
#include "ContentsTree.h"
#include "LoadWatcher.h"
#include "PdfJob.h"
#include "nsCOMPtr.h"
#include "nsFileURL.h"
#include "nsNativeCharset.h"
#include "nsIDOM.h"
#include "nsIServiceManager.h"

namespace {

// Elements of the host's two stacks (the stacks own and delete them).
struct CItemEntry : public CObject {
    explicit CItemEntry(HTREEITEM h) : hItem(h) {}
    HTREEITEM hItem;
};
struct CRecordEntry : public CObject {
    explicit CRecordEntry(TocRecord* p) : pRecord(p) {}
    TocRecord* pRecord;
};

// The path-list position of each record made by the current contents file,
// so that an entry without a page can take the first page found below it.
std::unordered_map<TocRecord*, POSITION> g_recordPaths;

bool SameName(const nsAString& a, const char16_t* b) {
    return _wcsicmp(reinterpret_cast<const wchar_t*>(a.get()), reinterpret_cast<const wchar_t*>(b)) == 0;
}

// The text in the ANSI code page (the component kit's conversion).
std::string ToAnsi(const nsAString& wide) {
    NS_ConvertUTF16toAnsi ansi(wide);
    return std::string(ansi.get(), ansi.Length());
}

// The attribute of `node` whose name (bName) or value (!bName) is `text`.
nsCOMPtr<nsIDOMAttr> FindAttribute(nsIDOMNode* node, const char16_t* text, bool bName) {
    nsCOMPtr<nsIDOMNamedNodeMap> attrs;
    if (NS_FAILED(node->GetAttributes(getter_AddRefs(attrs))) || !attrs) return nullptr;
    PRUint32 count = 0;
    if (NS_FAILED(attrs->GetLength(&count))) return nullptr;
    for (PRUint32 i = 0; i < count; ++i) {
        nsCOMPtr<nsIDOMNode> item;
        if (NS_FAILED(attrs->Item(i, getter_AddRefs(item))) || !item) continue;
        nsCOMPtr<nsIDOMAttr> attr = do_QueryInterface(item);
        if (!attr) continue;
        nsAutoString s;
        if (NS_FAILED(bName ? attr->GetName(s) : attr->GetValue(s))) continue;
        if (SameName(s, text)) return attr;
    }
    return nullptr;
}

// The PARAMs of the OBJECT, in document order: its descendants, without
// those of OBJECTs nested in it. A merged contents file sits inside the
// OBJECT that referenced it, and its entries' PARAMs are theirs, not that
// wrapper's.
std::vector<nsCOMPtr<nsIDOMNode>> ObjectParams(nsIDOMNode* object) {
    std::vector<nsCOMPtr<nsIDOMNode>> params;
    std::vector<nsCOMPtr<nsIDOMNode>> next;  // the sibling to go on with, per level
    nsCOMPtr<nsIDOMNode> node;
    object->GetFirstChild(getter_AddRefs(node));
    while (node || !next.empty()) {
        if (!node) {
            node = next.back();
            next.pop_back();
            continue;
        }
        nsAutoString name;
        const bool named = NS_SUCCEEDED(node->GetNodeName(name));
        nsCOMPtr<nsIDOMNode> sibling, child;
        node->GetNextSibling(getter_AddRefs(sibling));
        if (named && SameName(name, u"param")) params.push_back(node);
        if (!(named && SameName(name, u"OBJECT"))) node->GetFirstChild(getter_AddRefs(child));
        if (child) {
            next.push_back(sibling);
            node = child;
        } else {
            node = sibling;
        }
    }
    return params;
}

// The first of the PARAMs that has an attribute valued `role` ("NAME" or
// "LOCAL"), or null.
nsCOMPtr<nsIDOMNode> FindParam(const std::vector<nsCOMPtr<nsIDOMNode>>& params, const char16_t* role) {
    for (const nsCOMPtr<nsIDOMNode>& param : params)
        if (FindAttribute(param, role, false)) return param;
    return nullptr;
}

// A Local value as a path inside the extraction folder: "x.chm::/a/b.htm"
// gives "a/b.htm"; a value without "::" stays as it is.
std::string LocalPath(std::string text) {
    size_t sep = text.find("::");
    if (sep != std::string::npos) {
        text.erase(0, sep + 2);
        if (!text.empty() && (text[0] == '/' || text[0] == '\\')) text.erase(0, 1);
    }
    return text;
}

nsCOMPtr<IPdfJob> GetJob(nsIServiceManager* sm) {
    nsCOMPtr<IPdfJob> job;
    if (sm) sm->GetService(CLSID_PdfJob, NS_GET_IID(IPdfJob), getter_AddRefs(job));
    return job;
}

HTREEITEM InsertItem(HWND hTree, const char* text, HTREEITEM hParent, LPARAM data) {
    TVINSERTSTRUCTA ins = {};
    ins.hParent = hParent ? hParent : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(text);
    ins.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

// Reads one OBJECT: inserts its item and record, and records its page.
void ReadObject(CGeckoHost* host, nsIDOMNode* node, CContentsTree* tree, IPdfJob* job) {
    host->m_bFoundName = 0;
    nsCOMPtr<nsIDOMElement> element = do_QueryInterface(node);
    if (!element) return;
    const std::vector<nsCOMPtr<nsIDOMNode>> params = ObjectParams(node);

    // Name pass. A Name PARAM without a value counts as no Name PARAM: the
    // entry inserts nothing and takes no page.
    nsCOMPtr<nsIDOMNode> nameParam = FindParam(params, u"NAME");
    if (!nameParam) return;
    nsCOMPtr<nsIDOMAttr> titleAttr = FindAttribute(nameParam, u"VALUE", true);
    if (!titleAttr) return;
    nsAutoString title;
    if (NS_FAILED(titleAttr->GetValue(title))) return;
    HWND hTree = tree->GetSafeHwnd();
    HTREEITEM hItem = InsertItem(hTree, ToAnsi(title).c_str(), host->m_hParentItem, host->m_nItemCounter);
    if (!hItem) return;
    host->m_bFoundName = 1;
    host->m_hCurrentItem = hItem;
    ++host->m_nItemCounter;
    TocRecord* record = nullptr;
    if (job && NS_SUCCEEDED(job->AddTocRecord(&record)) && record) {
        record->SetName(title.get());
        record->parent = host->m_pParentRecord;
    }
    host->m_pCurrentRecord = record;

    // Local pass.
    CStringList* paths = tree->m_pPathList;
    nsCOMPtr<nsIDOMNode> localParam = FindParam(params, u"LOCAL");
    nsCOMPtr<nsIDOMAttr> pageAttr = localParam ? FindAttribute(localParam, u"VALUE", true) : nullptr;
    nsAutoString pageWide;
    if (pageAttr && NS_SUCCEEDED(pageAttr->GetValue(pageWide))) {
        std::string page = LocalPath(ToAnsi(pageWide));
        // Entries before this one without a page were padded already, so the
        // path lands at this item's index.
        POSITION pos = paths->AddTail(CString(page.c_str()));
        if (job) job->ListFolderFiles(page.c_str());
        if (record) {
            record->SetPage(page.c_str());
            g_recordPaths[record] = pos;
            for (TocRecord* up = record->parent; up; up = up->parent) {
                if (up->page) continue;
                up->SetPage(page.c_str());
                auto found = g_recordPaths.find(up);
                if (found != g_recordPaths.end() && paths->GetAt(found->second).IsEmpty())
                    paths->SetAt(found->second, CString(page.c_str()));
            }
        }
    }

    // Entries without a page get an empty path, so that item data stays an
    // index into the list.
    INT_PTR items = static_cast<INT_PTR>(::SendMessageA(hTree, TVM_GETCOUNT, 0, 0));
    while (paths->GetCount() < items) {
        POSITION pos = paths->AddTail(CString());
        if (record && !record->page && paths->GetCount() == host->m_nItemCounter)
            g_recordPaths[record] = pos;
    }
}

// Deepest nesting of entries. Lists nested deeper (only a broken or hostile
// contents file has them) add their entries at this depth: a tree control
// removes and draws its items recursively, and every entry walks up through
// its ancestors.
const INT_PTR kMaxDepth = 256;

void PushParents(CGeckoHost* host) {
    if (host->m_pItemStack->GetCount() >= kMaxDepth) {
        // The parent stays; the matching pop restores it.
        host->m_pItemStack->AddHead(new CItemEntry(host->m_hParentItem));
        host->m_pRecordStack->AddHead(new CRecordEntry(host->m_pParentRecord));
        return;
    }
    host->m_pItemStack->AddHead(new CItemEntry(host->m_hCurrentItem));
    host->m_hParentItem = host->m_hCurrentItem;
    host->m_pRecordStack->AddHead(new CRecordEntry(host->m_pCurrentRecord));
    host->m_pParentRecord = host->m_pCurrentRecord;
}

void PopParents(CGeckoHost* host) {
    if (!host->m_pItemStack->IsEmpty()) delete host->m_pItemStack->RemoveHead();
    if (!host->m_pRecordStack->IsEmpty()) delete host->m_pRecordStack->RemoveHead();
    CItemEntry* item = static_cast<CItemEntry*>(host->m_pItemStack->GetHeadOrNull());
    CRecordEntry* rec = static_cast<CRecordEntry*>(host->m_pRecordStack->GetHeadOrNull());
    host->m_hParentItem = item ? item->hItem : nullptr;
    host->m_pParentRecord = rec ? rec->pRecord : nullptr;
}

}  // namespace

void CGeckoHost::LoadContents(const char* pszPath, CContentsTree* pTree) {
    if (!pszPath || !*pszPath || !pTree || !pTree->GetSafeHwnd()) return;
    CBrowserWrapper* browser = EnsureBrowser();
    if (!browser) return;
    CLoadWatcher& watcher = CLoadWatcher::Get();
    watcher.Attach(browser);

    std::string url = pszPath;
    if (url.compare(0, 5, "file:") != 0) url = NS_BuildFileURL(pszPath);
    watcher.Starting();
    if (!browser->LoadUrl(url.c_str())) {
        watcher.Abandoned();
        return;
    }

    nsCOMPtr<IPdfJob> job = GetJob(m_pServiceManager);
    if (job) {
        // One table of contents per CHM: later contents files append.
        if (m_nItemCounter == 0) job->ClearContents();
        job->SetBaseFolder(g_szChmFolder);
        job->SetPageMode(0);
    }
    m_pCurrentRecord = nullptr;
    m_pParentRecord = nullptr;

    // The browser ends every load, also one that fails; the PDF Utility, when
    // there is one, has been told by then too.
    if (!RunNestedLoop([&]() -> BOOL { return watcher.LastEnded(); })) return;
    if (job) job->SetLoaded(0);
    if (NS_FAILED(watcher.LastStatus())) return;

    nsCOMPtr<nsIDOMDocument> doc;
    doc = browser->GetDocument();
    if (doc) doc->Release();  // GetDocument gave a reference; the nsCOMPtr took another
    if (!doc) return;
    nsCOMPtr<nsIDOMNodeList> bodies;
    if (NS_FAILED(doc->GetElementsByTagName(nsAutoString(u"BODY"), getter_AddRefs(bodies))) || !bodies)
        return;
    nsCOMPtr<nsIDOMNode> body;
    if (NS_FAILED(bodies->Item(0, getter_AddRefs(body))) || !body) return;

    m_hCurrentItem = nullptr;
    m_hParentItem = nullptr;
    g_recordPaths.clear();
    // The tree is drawn once, when all entries are in: a tree control that
    // redraws at each insertion takes quadratic time over a long list.
    HWND hTree = pTree->GetSafeHwnd();
    ::SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
    BuildToc(body, pTree);
    ::SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hTree, nullptr, TRUE);
    g_recordPaths.clear();
    m_hCurrentItem = nullptr;
    m_hParentItem = nullptr;
}

void CGeckoHost::BuildToc(nsIDOMNode* pNode, CContentsTree* pTree) {
    if (!pNode || !pTree || !pTree->GetSafeHwnd() || !pTree->m_pPathList) return;
    nsCOMPtr<IPdfJob> job = GetJob(m_pServiceManager);

    // Depth first over an explicit stack: a frame is one run of siblings.
    // A list (UL) makes the entry read last the parent of what follows;
    // it stops being the parent once the run of siblings that holds the
    // list has been read, as in a walk that recurses into the first child
    // and then into the next sibling before it leaves the list.
    // An OBJECT without a title of its own that holds lists is a merged
    // contents file in the place of its reference: what it holds nests
    // under the entry before it, and the entry after it nests there too, as
    // if the reference had not been there (bRestore and the saved entry).
    struct Frame {
        nsCOMPtr<nsIDOMNode> next;
        int nLists;
        bool bRestore;
        HTREEITEM hItem;
        TocRecord* pRecord;
    };
    std::vector<Frame> stack;
    stack.push_back(Frame{nsCOMPtr<nsIDOMNode>(pNode), 0, false, nullptr, nullptr});
    while (!stack.empty()) {
        if (!stack.back().next) {
            for (int i = stack.back().nLists; i > 0; --i) PopParents(this);
            if (stack.back().bRestore) {
                m_hCurrentItem = stack.back().hItem;
                m_pCurrentRecord = stack.back().pRecord;
            }
            stack.pop_back();
            continue;
        }
        nsCOMPtr<nsIDOMNode> node = stack.back().next;
        nsAutoString name;
        bool named = NS_SUCCEEDED(node->GetNodeName(name));
        const HTREEITEM hBefore = m_hCurrentItem;
        TocRecord* const pRecordBefore = m_pCurrentRecord;
        const bool bObject = named && SameName(name, u"OBJECT");
        if (bObject) ReadObject(this, node, pTree, job);

        nsCOMPtr<nsIDOMNode> child, sibling;
        node->GetFirstChild(getter_AddRefs(child));
        node->GetNextSibling(getter_AddRefs(sibling));
        if (named && SameName(name, u"UL")) {
            PushParents(this);
            ++stack.back().nLists;
        }
        stack.back().next = sibling;
        if (child) stack.push_back(Frame{child, 0, bObject && !m_bFoundName, hBefore, pRecordBefore});
    }
}
