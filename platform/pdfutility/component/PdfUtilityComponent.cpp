// PdfUtilityComponent.cpp - the PDF Utility component and its registration.
#include "PdfUtilityComponent.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "IPdfJob.h"
#include "nsCOMPtr.h"
#include "nsHtmlDocument.h"
#include "nsIDOM.h"
#include "nsIServiceManager.h"
#include "nsXPCOM.h"
#include "pdf_conversion.h"
#include "pdf_text.h"
#include "stage_clock.h"

namespace {

twpdf::WriterOptions g_options;
int g_lastMostInFlight = 0;  // of the last conversion finished
int g_lastLayoutThreads = 0;

nsCOMPtr<IPdfJob> GetJob() {
    static const nsCID kJobCID = PDFJOB_CID;
    nsCOMPtr<IPdfJob> job;
    nsCOMPtr<nsIServiceManager> sm;
    if (NS_SUCCEEDED(NS_GetServiceManager(getter_AddRefs(sm))) && sm)
        sm->GetService(kJobCID, NS_GET_IID(IPdfJob), getter_AddRefs(job));
    return job;
}

// The job's string A while a conversion is finished and the job not yet
// reset for the next one.
const char kFinishedMark[] = "tomewise-pdf-finished";

bool Finished(IPdfJob* job) {
    // Asked at every load: the buffer is made once (only the job's thread
    // calls the component).
    static std::vector<char> text;
    if (text.empty()) text.assign(1u << 16, '\0');
    text[0] = '\0';
    job->GetStringA(&text[0]);
    text.back() = '\0';
    return strcmp(&text[0], kFinishedMark) == 0;
}

std::string Utf8Of(const PRUnichar* text) {
    return text ? twpdf::Utf16ToUtf8(reinterpret_cast<const wchar_t*>(text)) : std::string();
}

}  // namespace

CPdfUtility::CPdfUtility() : m_nRefCount(0), m_nLastResult(NS_OK), m_nTakenPages(0) {}
CPdfUtility::~CPdfUtility() = default;

NS_IMETHODIMP CPdfUtility::QueryInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    nsISupports* found = nullptr;
    if (iid.Equals(NS_GET_IID(IPdfUtility)) || iid.Equals(NS_GET_IID(nsISupports)))
        found = static_cast<IPdfUtility*>(this);
    else if (iid.Equals(NS_GET_IID(nsIWebProgressListener)))
        found = static_cast<nsIWebProgressListener*>(this);
    *result = found;
    if (!found) return NS_NOINTERFACE;
    found->AddRef();
    return NS_OK;
}

NS_IMETHODIMP_(nsrefcnt) CPdfUtility::AddRef() { return ++m_nRefCount; }

NS_IMETHODIMP_(nsrefcnt) CPdfUtility::Release() {
    nsrefcnt n = --m_nRefCount;
    if (n == 0) delete this;
    return n;
}

void CPdfUtility::SetWriterOptions(const twpdf::WriterOptions& options) { g_options = options; }

void CPdfUtility::StartIfNew(IPdfJob* job) {
    // A job reset since the conversion began is a new conversion; what the
    // old one wrote is given up.
    if (m_pConversion && m_pConversion->BelongsTo(job)) return;
    m_pConversion.reset();
    m_pConversion.reset(new twpdf::PdfConversion(job, g_options));
}

NS_IMETHODIMP CPdfUtility::OnLoadFinished(nsIWebBrowser* browser, const PRUnichar* uri,
                                          nsresult status, nsIDOMDocument* document) {
    nsCOMPtr<IPdfJob> job = GetJob();
    if (!job) return NS_OK;
    int mode = 0;
    job->GetPageMode(&mode);
    if (mode != 1) {
        job->SetLoaded(1);
        return NS_OK;
    }
    // A load that a newer one replaced: the newer one reports.
    if (status == NS_ERROR_ABORT) return NS_OK;
    // The conversion is finished: nothing more goes into its file, but a
    // wait for the page still ends.
    if (Finished(job)) {
        job->SetLoaded(1);
        job->SetPageCount(0);
        job->SetDone(1);
        return NS_OK;
    }
    // The driver clears done before each page it loads. A load with done
    // still set is none of the conversion's (a page shown in a view after
    // a conversion, with the job still in page mode): it must not start a
    // new file over the finished one.
    int done = 0;
    job->GetDone(&done);
    if (done) return NS_OK;
    try {
        StartIfNew(job);
        std::shared_ptr<tw::html::Document> doc;
        std::shared_ptr<UnparsedDocument> unparsed;
        if (NS_SUCCEEDED(status) && document) doc = NS_GetHtmlDocument(document);
        // A browser told to parse later: the page is parsed on a worker.
        if (NS_SUCCEEDED(status) && !doc) unparsed = NS_TakeUnparsedDocument(browser);
        job->SetLoaded(1);
        // The page is laid out and written while the next ones load; the
        // page count is that of the pages taken meanwhile, so the job's sum
        // is the PDF pages of every page taken so far.
        m_nTakenPages = 0;
        tw::stats::StageTimer take_time(tw::stats::Stage::Take);
        if (doc) {
            m_nTakenPages = m_pConversion->AddPage(job, doc, Utf8Of(uri));
        } else if (unparsed) {
            const size_t bytes = unparsed->size();
            m_nTakenPages = m_pConversion->AddPage(
                job, [unparsed]() -> std::shared_ptr<const tw::html::Document> { return unparsed->Parse(); },
                bytes, Utf8Of(uri), [unparsed] { unparsed->Read(); });
        }
        take_time.stop();
        job->SetPageCount(m_nTakenPages);
    } catch (const std::exception&) {
        // Out of memory on one page: that page is missing from the PDF,
        // the conversion goes on.
        job->SetLoaded(1);
    }
    job->SetDone(1);
    return NS_OK;
}

NS_IMETHODIMP CPdfUtility::TakeLoadedPages() {
    nsCOMPtr<IPdfJob> job = GetJob();
    if (!job || !m_pConversion || !m_pConversion->BelongsTo(job)) return NS_OK;
    try {
        // Added to the count of the last load, which the job still holds
        // unless the driver has set a new current page since.
        bool left = false;
        const int taken = m_pConversion->TakeUntilWanted(job, &left);
        if (taken > 0) {
            m_nTakenPages += taken;
            job->SetPageCount(m_nTakenPages);
        }
        return left ? PDFUTILITY_S_PAGES_LEFT : NS_OK;
    } catch (const std::exception&) {
        return NS_ERROR_OUT_OF_MEMORY;
    }
}

int CPdfUtility::LastMostPagesInFlight() { return g_lastMostInFlight; }
int CPdfUtility::LastLayoutThreads() { return g_lastLayoutThreads; }

NS_IMETHODIMP CPdfUtility::FinishDocument() {
    nsCOMPtr<IPdfJob> job = GetJob();
    if (!job) return NS_ERROR_NOT_AVAILABLE;
    // Called again for a finished conversion: the file stays as written.
    if (Finished(job)) return m_nLastResult;
    nsresult rv = NS_OK;
    std::string error;
    try {
        StartIfNew(job);
        if (!m_pConversion->Finish(job, &error)) rv = NS_ERROR_FAILURE;
    } catch (const std::exception&) {
        error = "out of memory while finishing the PDF";
        rv = NS_ERROR_OUT_OF_MEMORY;
    }
    if (m_pConversion) {
        g_lastMostInFlight = m_pConversion->most_pages_in_flight();
        g_lastLayoutThreads = m_pConversion->layout_threads();
    }
    m_pConversion.reset();
    job->SetStringA(kFinishedMark);
    job->SetExtraString(NS_FAILED(rv) ? error.c_str() : nullptr);
    m_nLastResult = rv;
    return rv;
}

nsresult NS_NewPdfUtility(nsISupports* outer, const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    if (outer) return NS_ERROR_NO_AGGREGATION;
    CPdfUtility* utility = new (std::nothrow) CPdfUtility();
    if (!utility) return NS_ERROR_OUT_OF_MEMORY;
    utility->AddRef();
    nsresult rv = utility->QueryInterface(iid, result);
    utility->Release();
    return rv;
}

namespace {
const nsStaticComponent kPdfUtilityComponents[] = {
    {"PDF Utility", PDFUTILITY_CID, NS_WEBPROGRESSLISTENER_CONTRACTID, &NS_NewPdfUtility},
};
}  // namespace

NS_STATIC_COMPONENTS(pdf_utility, kPdfUtilityComponents)
