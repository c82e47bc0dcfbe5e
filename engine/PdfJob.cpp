// PdfJob.cpp - the conversion job component and its factory.
#include "PdfJob.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>

#include "nsCOMPtr.h"
#include "nsFileURL.h"
#include "nsIIOService.h"
#include "nsIURI.h"
#include "nsVoidArray.h"

namespace {

// ---- Process-wide job state ----------------------------------------------

struct JobState {
    char* pdfFile;
    char* currentPage;
    char* author;
    char* title;
    char* keywords;
    char* creator;
    char* subject;
    char* producer;
    char* stringA;
    char* stringB;
    char* extraString;
    char* baseUrl;  // "file:///<folder>/", escaped
    PageSetupRec* pageSetup;  // not owned
    int done;
    int loaded;
    int pageMode;
    int pageCount;
    int pagesBefore;
    int idBase;
    int idBaseSet;
    int linkIdCounter;
    int folderCursor;
    int linkCursor;
    int tocCursor;  // every contents record before it is handled
    nsVoidArray* folderFiles;  // FolderFileRec*
    nsVoidArray* linkTargets;  // LinkTargetRec*
    nsVoidArray* contents;     // TocRecord*
    int instances;             // live CPdfJob objects
};
JobState g_job;  // zero-initialised

// Hash indexes of the folder-file and link-target lists by the equality key
// of each record's URI, so that a search costs one look-up instead of a URI
// per record. An index is rebuilt when it is marked stale or no longer
// matches its list's length; the search result is the same as a walk from
// the cursor would give.
struct UrlIndex {
    bool valid = false;
    PRInt32 count = 0;
    unsigned generation = 0;  // changes whenever the index is dropped
    std::unordered_multimap<std::string, PRInt32> byKey;
    void Invalidate() {
        valid = false;
        byKey.clear();
        count = 0;
        ++generation;
    }
};
UrlIndex g_folderIndex;
UrlIndex g_linkIndex;

// The folder file that the last new link target's page was found at. The
// anchors of a page come one after another: while nothing has changed the
// folder list or moved its cursor, the same page is found at the same
// record (the search would leave the cursor where it is), without making a
// URI of it and looking it up again.
struct PageMemo {
    std::string page;
    std::string baseUrl;
    PRInt32 found = -1;
    int cursor = 0;  // the folder cursor the search left
    PRInt32 count = 0;
    unsigned generation = 0;
    bool Holds(const std::string& p) const {
        return found >= 0 && page == p && cursor == g_job.folderCursor && count == g_job.folderFiles->Count() &&
               g_folderIndex.valid && generation == g_folderIndex.generation &&
               baseUrl == (g_job.baseUrl ? g_job.baseUrl : "");
    }
};
PageMemo g_pageMemo;

char* CopyString(const char* s) {
    if (!s) return nullptr;
    size_t n = std::strlen(s) + 1;
    char* p = static_cast<char*>(std::malloc(n));
    if (p) std::memcpy(p, s, n);
    return p;
}

void FreeString(char*& s) {
    std::free(s);
    s = nullptr;
}

nsresult SetString(char*& slot, const char* text) {
    char* copy = CopyString(text);
    if (text && !copy) return NS_ERROR_OUT_OF_MEMORY;
    std::free(slot);
    slot = copy;
    return NS_OK;
}

nsresult GetString(const char* slot, char* buffer) {
    if (!buffer) return NS_ERROR_NULL_POINTER;
    if (slot) std::strcpy(buffer, slot);
    else buffer[0] = '\0';
    return NS_OK;
}

// The strings that Reset frees: all but the base URL.
char** const kResetStrings[] = {
    &g_job.pdfFile, &g_job.currentPage, &g_job.author,  &g_job.title,
    &g_job.keywords, &g_job.creator,    &g_job.subject, &g_job.producer,
    &g_job.stringA, &g_job.stringB,     &g_job.extraString,
};

// False when the lists could not be made (no memory at construction).
bool ListsReady() {
    return g_job.folderFiles && g_job.linkTargets && g_job.contents;
}

void FreeTocRecord(TocRecord* rec) {
    if (!rec) return;
    delete rec->name;
    std::free(rec->page);
    std::free(rec);
}

void FreeLinkTargets() {
    g_linkIndex.Invalidate();
    if (!g_job.linkTargets) return;
    for (PRInt32 i = 0; i < g_job.linkTargets->Count(); ++i) {
        LinkTargetRec* rec = static_cast<LinkTargetRec*>(g_job.linkTargets->ElementAt(i));
        std::free(rec->url);
        std::free(rec);
    }
    g_job.linkTargets->Clear();
}

void FreeContentsAndFiles() {
    if (g_job.contents) {
        for (PRInt32 i = 0; i < g_job.contents->Count(); ++i)
            FreeTocRecord(static_cast<TocRecord*>(g_job.contents->ElementAt(i)));
        g_job.contents->Clear();
    }
    g_job.tocCursor = 0;
    FreeLinkTargets();
    if (g_job.folderFiles) {
        for (PRInt32 i = 0; i < g_job.folderFiles->Count(); ++i) {
            FolderFileRec* rec = static_cast<FolderFileRec*>(g_job.folderFiles->ElementAt(i));
            std::free(rec->url);
            std::free(rec);
        }
        g_job.folderFiles->Clear();
        g_folderIndex.Invalidate();
    }
}

// ---- URL comparison -------------------------------------------------------

// The IO service and the base URI made of the base URL, kept from one call
// to the next while the base URL stays the same (a conversion asks for tens
// of thousands of link ids). Dropped with the last job object.
struct MatcherCache {
    nsCOMPtr<nsIIOService> io;
    std::string baseUrl;
    nsCOMPtr<nsIURI> base;
    bool ready = false;
    void Clear() {
        base = nullptr;
        io = nullptr;
        baseUrl.clear();
        ready = false;
    }
};
MatcherCache g_matcherCache;

// The equality keys of pages whose URLs were made into URIs, by the page
// part of the URL as given, for the URLs "page#fragment" that follow: a
// conversion asks for the positions of a page one after another and for
// links to the same few pages again and again, and each would be parsed
// again for a key that differs from its page's only in the fragment. A URL
// as given resolves against the base URI alone, so the keys hold until the
// base changes; the table is emptied then, and when it grows large.
struct PageKeys {
    std::unordered_map<std::string, std::string> byPage;
    static constexpr size_t kMost = 8192;
};
PageKeys g_pageKeys;

// A fragment the URI parser keeps as it is.
bool PlainFragment(const char* f, size_t n) {
    if (n == 0) return false;
    for (size_t i = 0; i < n; ++i) {
        const char c = f[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '-' || c == '.'))
            return false;
    }
    return true;
}

class UrlMatcher {
public:
    // The base URI comes from the base URL, or from a single blank (which
    // makes none) when no base is set.
    UrlMatcher() {
        MatcherCache& c = g_matcherCache;
        const char* baseUrl = g_job.baseUrl ? g_job.baseUrl : " ";
        if (!c.ready || !c.io || c.baseUrl != baseUrl) {
            c.Clear();
            nsCID cid = NS_IOSERVICE_CID;
            c.io = do_GetService(cid);
            if (c.io)
                c.io->NewURI(nsDependentCString(baseUrl), nullptr, nullptr,
                             getter_AddRefs(c.base));
            c.baseUrl = baseUrl;
            c.ready = true;
            g_pageKeys.byPage.clear();
        }
        m_io = c.io;
        m_base = c.base;
    }

    // Null when no URI can be made of the url.
    nsCOMPtr<nsIURI> Make(const char* url) {
        nsCOMPtr<nsIURI> uri;
        if (m_io && url)
            m_io->NewURI(nsDependentCString(url), nullptr, m_base, getter_AddRefs(uri));
        return uri;
    }

    // The equality key of the url's URI (fragment included); false when no
    // URI can be made of it. URIs share a key exactly when they are Equals.
    bool Key(const char* url, std::string* key) {
        if (!url) return false;
        const char* hash = std::strchr(url, '#');
        const size_t pageLength = hash ? static_cast<size_t>(hash - url) : std::strlen(url);
        const char* fragment = hash ? hash + 1 : nullptr;
        const size_t fragmentLength = hash ? std::strlen(fragment) : 0;
        const bool plain = !hash || PlainFragment(fragment, fragmentLength);
        std::string page(url, pageLength);
        if (plain) {
            auto known = g_pageKeys.byPage.find(page);
            if (known != g_pageKeys.byPage.end()) {
                *key = known->second;
                if (hash) {
                    *key += '#';
                    key->append(fragment, fragmentLength);
                }
                return true;
            }
        }
        nsCOMPtr<nsIURI> uri = Make(url);
        nsAutoCString withRef, withoutRef;
        if (!uri || NS_FAILED(uri->GetEqualityKey(PR_TRUE, withRef))) return false;
        *key = withRef.str();
        // Kept only where the fragment is seen to join the page's key
        // unchanged, so that a key made from the table is the parser's own.
        if (plain && NS_SUCCEEDED(uri->GetEqualityKey(PR_FALSE, withoutRef)) &&
            key->size() == withoutRef.Length() + (hash ? fragmentLength + 1 : 0) &&
            key->compare(0, withoutRef.Length(), withoutRef.str()) == 0 &&
            (!hash || key->compare(withoutRef.Length() + 1, std::string::npos, fragment) == 0)) {
            if (g_pageKeys.byPage.size() >= PageKeys::kMost) g_pageKeys.byPage.clear();
            g_pageKeys.byPage.emplace(std::move(page), withoutRef.str());
        }
        return true;
    }

    // Searches a list from its cursor: the cursor steps forward (wrapping)
    // before each comparison and, on a match, steps back one, so that the next
    // search starts at the record found. Every record is looked at once.
    // Returns the index found, or -1 (the cursor is then where it was).
    template <class Rec>
    PRInt32 Search(nsVoidArray* list, UrlIndex& index, int& cursor, const std::string& key) {
        PRInt32 count = list ? list->Count() : 0;
        if (count == 0) return -1;
        if (cursor < 0 || cursor >= count) cursor = 0;
        Rebuild<Rec>(list, index);
        // Of the records with that key, the first one after the cursor. URIs
        // share an equality key exactly when they are Equals, so the records
        // need not be parsed again.
        PRInt32 best = -1, bestDistance = count;
        auto range = index.byKey.equal_range(key);
        for (auto it = range.first; it != range.second; ++it) {
            PRInt32 i = it->second;
            if (i >= count) continue;
            PRInt32 distance = (i - cursor - 1 + 2 * count) % count;
            if (distance >= bestDistance) continue;
            best = i;
            bestDistance = distance;
        }
        if (best < 0) return -1;
        cursor = (best + count - 1) % count;
        return best;
    }

    // Adds the record at position i (just appended) to a valid index.
    void Add(UrlIndex& index, PRInt32 i, const std::string& key) {
        if (!index.valid || i != index.count) {
            index.Invalidate();
            return;
        }
        index.byKey.emplace(key, i);
        index.count = i + 1;
    }

private:
    template <class Rec>
    void Rebuild(nsVoidArray* list, UrlIndex& index) {
        if (index.valid && index.count == list->Count()) return;
        index.Invalidate();
        // A conversion adds tens of thousands of link targets one by one:
        // room for them at once rather than the table grown again and again.
        index.byKey.reserve(std::max<size_t>(static_cast<size_t>(list->Count()), 1u << 16));
        std::string key;
        for (PRInt32 i = 0; i < list->Count(); ++i)
            if (Key(static_cast<Rec*>(list->ElementAt(i))->url, &key)) index.byKey.emplace(key, i);
        index.count = list->Count();
        index.valid = true;
    }

    nsCOMPtr<nsIIOService> m_io;
    nsCOMPtr<nsIURI> m_base;
};

// The URL of the current page: a URL as it is; a local path escaped, so
// that '#', '?' and '%' in file names stay part of the path. With an anchor,
// the page's own fragment gives way to it.
std::string PageUrl(const char* page, const char* anchor) {
    std::string p = page ? page : "";
    if (anchor) {
        size_t hash = p.find('#');
        if (hash != std::string::npos) p.erase(hash);
    }
    bool isUrl = false;
    size_t i = 0;
    while (i < p.size() && ((p[i] >= 'a' && p[i] <= 'z') || (p[i] >= 'A' && p[i] <= 'Z'))) ++i;
    if (i >= 2 && i < p.size() && p[i] == ':') isUrl = true;
    std::string url;
    if (isUrl) url = p;
    else if (p.size() >= 2 && p[1] == ':') url = NS_BuildFileURL(p.c_str());
    else url = NS_EscapeFilePath(p.c_str());
    if (anchor) {
        url += '#';
        url += anchor;  // the URI parser escapes what needs it
    }
    return url;
}

// Appends every file under folder (recursively, in the order the file
// system lists them, each subfolder's files where the subfolder is met).
nsresult ScanFolder(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return NS_OK;
    nsresult rv = NS_OK;
    do {
        if (std::strcmp(fd.cFileName, ".") == 0 || std::strcmp(fd.cFileName, "..") == 0)
            continue;
        std::string path = folder + "\\" + fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction could lead back up the tree: do not follow links.
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) rv = ScanFolder(path);
            continue;
        }
        FolderFileRec* rec = static_cast<FolderFileRec*>(std::calloc(1, sizeof(FolderFileRec)));
        if (rec) rec->url = CopyString(NS_BuildFileURL(path.c_str()).c_str());
        if (!rec || !rec->url || !g_job.folderFiles->AppendElement(rec)) {
            if (rec) std::free(rec->url);
            std::free(rec);
            rv = NS_ERROR_OUT_OF_MEMORY;
        }
    } while (NS_SUCCEEDED(rv) && FindNextFileA(h, &fd));
    FindClose(h);
    return rv;
}

}  // namespace

// ---- TocRecord --------------------------------------------------------------

bool TocRecord::SetName(const PRUnichar* title) {
    nsString* copy = nullptr;
    if (title) {
        copy = new (std::nothrow) nsString();
        if (!copy) return false;
        copy->Assign(title);
    }
    delete name;
    name = copy;
    return true;
}

bool TocRecord::SetPage(const char* path) {
    char* copy = CopyString(path);
    if (path && !copy) return false;
    std::free(page);
    page = copy;
    return true;
}

// ---- CPdfJob ----------------------------------------------------------------

CPdfJob::CPdfJob() : m_nRefCount(0) {
    ++g_job.instances;
    g_job.idBaseSet = 0;
    if (!g_job.folderFiles) g_job.folderFiles = new (std::nothrow) nsVoidArray();
    if (!g_job.linkTargets) g_job.linkTargets = new (std::nothrow) nsVoidArray();
    if (!g_job.contents) g_job.contents = new (std::nothrow) nsVoidArray();
}

CPdfJob::~CPdfJob() {
    // The state is shared: only the last instance takes it down.
    if (--g_job.instances > 0) return;
    g_matcherCache.Clear();
    ClearContents();
    delete g_job.folderFiles;
    delete g_job.linkTargets;
    delete g_job.contents;
    g_job.folderFiles = g_job.linkTargets = g_job.contents = nullptr;
}

NS_IMETHODIMP CPdfJob::QueryInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    if (iid.Equals(NS_GET_IID(IPdfJob)) || iid.Equals(NS_GET_IID(nsISupports))) {
        *result = static_cast<IPdfJob*>(this);
        AddRef();
        return NS_OK;
    }
    *result = nullptr;
    return NS_NOINTERFACE;
}

NS_IMETHODIMP_(nsrefcnt) CPdfJob::AddRef() { return ++m_nRefCount; }

NS_IMETHODIMP_(nsrefcnt) CPdfJob::Release() {
    nsrefcnt n = --m_nRefCount;
    if (n == 0) delete this;
    return n;
}

NS_IMETHODIMP CPdfJob::Reserved1(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::Reserved2() { return NS_OK; }
NS_IMETHODIMP CPdfJob::SetPdfFile(const char* path) { return SetString(g_job.pdfFile, path); }
NS_IMETHODIMP CPdfJob::GetPdfFile(char* buffer) { return GetString(g_job.pdfFile, buffer); }

NS_IMETHODIMP CPdfJob::SetIdBase(int base) {
    g_job.idBase = base;
    g_job.idBaseSet = 1;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetIdBase(int* base) {
    if (!base) return NS_ERROR_NULL_POINTER;
    if (!g_job.idBaseSet) return PDFJOB_E_NOTINITIALISED;
    *base = g_job.idBase;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::ClearIdBase() {
    g_job.idBase = 0;
    g_job.idBaseSet = 0;
    g_job.linkIdCounter = 0;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::SetCurrentPage(const char* page) {
    nsresult rv = SetString(g_job.currentPage, page);
    if (NS_FAILED(rv)) return rv;
    g_job.pagesBefore += g_job.pageCount;
    g_job.pageCount = 0;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetCurrentPage(char* buffer) {
    return GetString(g_job.currentPage, buffer);
}

NS_IMETHODIMP CPdfJob::ListFolderFiles(const char* folder) {
    if (!folder || !*folder) return PDFJOB_E_NOTFOUND;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    if (g_job.folderFiles->Count() > 0) return NS_OK;
    std::string path;
    if (!g_job.baseUrl || !NS_FileURLToPath(g_job.baseUrl, path))
        return PDFJOB_E_NOTINITIALISED;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    g_folderIndex.Invalidate();
    return ScanFolder(path);
}

NS_IMETHODIMP CPdfJob::ShouldLoadUrl(const char* url) {
    if (!url || !*url) return NS_OK;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    std::string page(url);
    size_t hash = page.find('#');
    if (hash != std::string::npos) page.erase(hash);
    UrlMatcher matcher;
    std::string key;
    if (!matcher.Key(page.c_str(), &key)) return PDFJOB_E_NOTFOUND;
    PRInt32 i = matcher.Search<FolderFileRec>(g_job.folderFiles, g_folderIndex, g_job.folderCursor, key);
    if (i < 0) return PDFJOB_E_NOTFOUND;
    FolderFileRec* rec = static_cast<FolderFileRec*>(g_job.folderFiles->ElementAt(i));
    if (rec->done) return NS_OK;
    rec->done = 1;
    return PDFJOB_E_NOTFOUND;
}

NS_IMETHODIMP CPdfJob::GetNextExtraPage(FolderFileRec** record) {
    if (!record) return NS_ERROR_NULL_POINTER;
    *record = nullptr;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    for (PRInt32 i = 0; i < g_job.folderFiles->Count(); ++i) {
        FolderFileRec* rec = static_cast<FolderFileRec*>(g_job.folderFiles->ElementAt(i));
        if (!rec->done && rec->wanted) {
            *record = rec;
            return NS_OK;
        }
    }
    *record = nullptr;
    return PDFJOB_E_NOTFOUND;
}

NS_IMETHODIMP CPdfJob::AddTocRecord(TocRecord** record) {
    if (!record) return NS_ERROR_NULL_POINTER;
    *record = nullptr;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    TocRecord* rec = static_cast<TocRecord*>(std::calloc(1, sizeof(TocRecord)));
    if (!rec) return NS_ERROR_OUT_OF_MEMORY;
    if (!g_job.contents->AppendElement(rec)) {
        std::free(rec);
        return NS_ERROR_OUT_OF_MEMORY;
    }
    *record = rec;
    return NS_OK;
}

namespace {
// The bookmarks are made in one pass over the records, each marked handled
// in turn: the search resumes where the last one stopped rather than walking
// the handled records again (thousands of contents entries).
TocRecord* FirstPendingRecord() {
    PRInt32 i = g_job.tocCursor;
    if (i < 0 || i > g_job.contents->Count()) i = 0;
    for (; i < g_job.contents->Count(); ++i) {
        TocRecord* rec = static_cast<TocRecord*>(g_job.contents->ElementAt(i));
        if (!rec->handled) {
            g_job.tocCursor = i;
            return rec;
        }
    }
    g_job.tocCursor = i;
    return nullptr;
}
}  // namespace

NS_IMETHODIMP CPdfJob::GetNextPendingTocRecord(TocRecord** record) {
    if (!record) return NS_ERROR_NULL_POINTER;
    *record = nullptr;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    *record = FirstPendingRecord();
    return *record ? NS_OK : PDFJOB_E_NOTFOUND;
}

NS_IMETHODIMP CPdfJob::SetPendingTocRecordValue(int value) {
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    TocRecord* rec = FirstPendingRecord();
    if (!rec) return PDFJOB_E_NOTFOUND;
    rec->value = value;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::SetLoaded(int loaded) {
    g_job.loaded = loaded;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetLoaded(int* loaded) {
    if (!loaded) return NS_ERROR_NULL_POINTER;
    *loaded = g_job.loaded;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::SetPageMode(int mode) {
    g_job.pageMode = mode;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetPageMode(int* mode) {
    if (!mode) return NS_ERROR_NULL_POINTER;
    *mode = g_job.pageMode;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::SetPageCount(int count) {
    g_job.pageCount = count;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetPageCount(int* count) {
    if (!count) return NS_ERROR_NULL_POINTER;
    *count = g_job.pageCount + g_job.pagesBefore;
    return NS_OK;
}

namespace {
// Appends a link target with the next id; key is the equality key of the url's URI.
nsresult AppendLinkTarget(UrlMatcher& matcher, const char* url, const std::string& key, int* id) {
    LinkTargetRec* rec = static_cast<LinkTargetRec*>(std::calloc(1, sizeof(LinkTargetRec)));
    if (rec) rec->url = CopyString(url);
    if (!rec || !rec->url || !g_job.linkTargets->AppendElement(rec)) {
        if (rec) std::free(rec->url);
        std::free(rec);
        return NS_ERROR_OUT_OF_MEMORY;
    }
    rec->id = ++g_job.linkIdCounter;
    *id = rec->id;
    matcher.Add(g_linkIndex, g_job.linkTargets->Count() - 1, key);
    return NS_OK;
}
}  // namespace

NS_IMETHODIMP CPdfJob::GetLinkId(const char* anchor, int* id) {
    if (!id) return NS_ERROR_NULL_POINTER;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    // Built with no fixed bound: anchors come from page content.
    std::string url = PageUrl(g_job.currentPage, anchor);
    UrlMatcher matcher;
    std::string key;
    if (!matcher.Key(url.c_str(), &key)) return PDFJOB_E_NOTFOUND;
    PRInt32 i = matcher.Search<LinkTargetRec>(g_job.linkTargets, g_linkIndex, g_job.linkCursor, key);
    if (i >= 0) {
        *id = static_cast<LinkTargetRec*>(g_job.linkTargets->ElementAt(i))->id;
        return NS_OK;
    }
    return AppendLinkTarget(matcher, url.c_str(), key, id);
}

NS_IMETHODIMP CPdfJob::AddLinkTarget(const char* url, int* id) {
    if (!id) return NS_ERROR_NULL_POINTER;
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    UrlMatcher matcher;
    std::string key;
    if (!matcher.Key(url, &key)) return PDFJOB_E_NOTFOUND;
    PRInt32 i = matcher.Search<LinkTargetRec>(g_job.linkTargets, g_linkIndex, g_job.linkCursor, key);
    if (i >= 0) {
        *id = static_cast<LinkTargetRec*>(g_job.linkTargets->ElementAt(i))->id;
        return NS_OK;
    }
    std::string page(url);
    size_t hash = page.find('#');
    if (hash != std::string::npos) page.erase(hash);
    PageMemo& memo = g_pageMemo;
    PRInt32 f = -1;
    if (memo.Holds(page)) {
        f = memo.found;
    } else {
        std::string fileKey;
        if (hash == std::string::npos) fileKey = key;
        if (hash == std::string::npos || matcher.Key(page.c_str(), &fileKey))
            f = matcher.Search<FolderFileRec>(g_job.folderFiles, g_folderIndex, g_job.folderCursor, fileKey);
        memo.page = page;
        memo.baseUrl = g_job.baseUrl ? g_job.baseUrl : "";
        memo.found = f;
        memo.cursor = g_job.folderCursor;
        memo.count = g_job.folderFiles->Count();
        memo.generation = g_folderIndex.generation;
    }
    if (f < 0) return NS_ERROR_FAILURE;
    static_cast<FolderFileRec*>(g_job.folderFiles->ElementAt(f))->wanted = 1;
    return AppendLinkTarget(matcher, url, key, id);
}

NS_IMETHODIMP CPdfJob::SetDone(int done) {
    g_job.done = done;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetDone(int* done) {
    if (!done) return NS_ERROR_NULL_POINTER;
    *done = g_job.done;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::SetAuthor(const char* text) { return SetString(g_job.author, text); }
NS_IMETHODIMP CPdfJob::GetAuthor(char* buffer) { return GetString(g_job.author, buffer); }
NS_IMETHODIMP CPdfJob::SetTitle(const char* text) { return SetString(g_job.title, text); }
NS_IMETHODIMP CPdfJob::GetTitle(char* buffer) { return GetString(g_job.title, buffer); }
NS_IMETHODIMP CPdfJob::SetKeywords(const char* text) { return SetString(g_job.keywords, text); }
NS_IMETHODIMP CPdfJob::GetKeywords(char* buffer) { return GetString(g_job.keywords, buffer); }
NS_IMETHODIMP CPdfJob::SetCreator(const char* text) { return SetString(g_job.creator, text); }
NS_IMETHODIMP CPdfJob::GetCreator(char* buffer) { return GetString(g_job.creator, buffer); }
NS_IMETHODIMP CPdfJob::SetSubject(const char* text) { return SetString(g_job.subject, text); }
NS_IMETHODIMP CPdfJob::GetSubject(char* buffer) { return GetString(g_job.subject, buffer); }
NS_IMETHODIMP CPdfJob::SetProducer(const char* text) { return SetString(g_job.producer, text); }
NS_IMETHODIMP CPdfJob::GetProducer(char* buffer) { return GetString(g_job.producer, buffer); }

NS_IMETHODIMP CPdfJob::SetBaseFolder(const char* folder) {
    // Relative URLs resolve differently now.
    g_folderIndex.Invalidate();
    g_linkIndex.Invalidate();
    if (!folder) {
        FreeString(g_job.baseUrl);
        return NS_OK;
    }
    // "file:///<folder>/" with '\' turned into '/', through the one URL
    // builder, which escapes '#', '%', '?' and the like in folder names.
    return SetString(g_job.baseUrl, NS_BuildFileURL(folder, "").c_str());
}

NS_IMETHODIMP CPdfJob::Reset() {
    if (!ListsReady()) return NS_ERROR_OUT_OF_MEMORY;
    for (PRInt32 i = 0; i < g_job.contents->Count(); ++i)
        static_cast<TocRecord*>(g_job.contents->ElementAt(i))->handled = 0;
    g_job.tocCursor = 0;
    for (PRInt32 i = 0; i < g_job.folderFiles->Count(); ++i)
        static_cast<FolderFileRec*>(g_job.folderFiles->ElementAt(i))->done = 0;
    FreeLinkTargets();
    for (char** s : kResetStrings) FreeString(*s);
    g_job.folderCursor = g_job.linkCursor = 0;
    g_job.pageCount = g_job.pagesBefore = 0;
    g_job.idBase = g_job.idBaseSet = 0;
    g_job.linkIdCounter = 0;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::ClearContents() {
    FreeContentsAndFiles();
    for (char** s : kResetStrings) FreeString(*s);
    FreeString(g_job.baseUrl);
    g_job.folderCursor = g_job.linkCursor = 0;
    g_job.pageCount = g_job.pagesBefore = 0;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::Reserved3(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::Reserved4(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::SetExtraString(const char* text) { return SetString(g_job.extraString, text); }
NS_IMETHODIMP CPdfJob::GetExtraString(char* buffer) { return GetString(g_job.extraString, buffer); }

NS_IMETHODIMP CPdfJob::SetPageSetup(PageSetupRec* setup) {
    g_job.pageSetup = setup;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::GetPageSetup(PageSetupRec** setup) {
    if (!setup) return NS_ERROR_NULL_POINTER;
    *setup = g_job.pageSetup;
    return NS_OK;
}

NS_IMETHODIMP CPdfJob::Reserved5(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::Reserved6(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::Reserved7(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::Reserved8(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::SetStringA(const char* text) { return SetString(g_job.stringA, text); }
NS_IMETHODIMP CPdfJob::GetStringA(char* buffer) { return GetString(g_job.stringA, buffer); }
NS_IMETHODIMP CPdfJob::Reserved9(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::Reserved10(void*) { return NS_OK; }
NS_IMETHODIMP CPdfJob::SetStringB(const char* text) { return SetString(g_job.stringB, text); }
NS_IMETHODIMP CPdfJob::GetStringB(char* buffer) { return GetString(g_job.stringB, buffer); }

// ---- CPdfJobFactory -----------------------------------------------------------

CPdfJobFactory::CPdfJobFactory() : m_nRefCount(0) {}

NS_IMETHODIMP CPdfJobFactory::QueryInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    if (iid.Equals(NS_GET_IID(nsIFactory)) || iid.Equals(NS_GET_IID(nsISupports))) {
        *result = static_cast<nsIFactory*>(this);
        AddRef();
        return NS_OK;
    }
    *result = nullptr;
    return NS_NOINTERFACE;
}

NS_IMETHODIMP_(nsrefcnt) CPdfJobFactory::AddRef() { return ++m_nRefCount; }

NS_IMETHODIMP_(nsrefcnt) CPdfJobFactory::Release() {
    nsrefcnt n = --m_nRefCount;
    if (n == 0) delete this;
    return n;
}

NS_IMETHODIMP CPdfJobFactory::CreateInstance(nsISupports* outer, const nsIID& iid,
                                             void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    if (outer) return NS_ERROR_NO_AGGREGATION;
    CPdfJob* job = new (std::nothrow) CPdfJob();
    if (!job) return NS_ERROR_OUT_OF_MEMORY;
    nsresult rv = job->QueryInterface(iid, result);
    if (NS_FAILED(rv)) {
        *result = nullptr;
        delete job;
    }
    return rv;
}

NS_IMETHODIMP CPdfJobFactory::LockFactory(PRBool) { return NS_OK; }
