// PdfUtilityComponent.h - the PDF Utility as an XPCOM component.
//
//   CPdfUtility   registered as a built-in component under the PDF
//                 Utility's class id (PDFUTILITY_CID, interface IPdfUtility)
//                 and as the browser's load listener
//                 (NS_WEBPROGRESSLISTENER_CONTRACTID), so the service manager
//                 gives one object for both: it follows every load of the
//                 hidden browser and finishes the document when the
//                 conversion driver calls slot 3.
//
// At each load's end:
//   page mode 0 (a contents file): sets the job's loaded flag, nothing more;
//   page mode 1 with done cleared (a page the driver loads for the PDF):
//     sets loaded, hands the page to the conversion (which lays it out
//     with the job's page setup and writes its PDF pages while the next
//     pages load, and asks the job for the link ids of its positions and
//     links when its turn comes), sets the page count (the PDF pages of
//     the pages taken meanwhile, so that the job's sum is that of every
//     page taken) and sets done. A load that failed writes nothing but
//     still sets loaded and done, so the driver's wait always ends;
//   page mode 1 with done still set (a page shown elsewhere after a
//     conversion: the driver clears done before each of its loads), or a
//     load that a newer one replaced: nothing.
// TakeLoadedPages takes the pages loaded so far until one makes the job want
// a page not loaded yet (PDFUTILITY_S_PAGES_LEFT when some are left), else
// all of them: the job then knows the links of all of them, and its page
// count sums their PDF pages.
// FinishDocument: adds the bookmarks of the contents records, writes the
// end of the file. It fails (and leaves no file) when the PDF could not be
// written; the reason is then in the job's extra string. Until the job is
// reset for the next conversion, the finished file is left alone: a second
// call gives the first one's result, later loads add nothing (but still
// end their waits).
//
// The component marks the job it works on in the job's string A (which the
// job keeps for the PDF writer and clears at Reset).
//
// Linking: tw_pdfutility_component keeps this component's table in every
// program that links it (the linker is told to keep it).
#pragma once

#include <memory>

#include "PdfUtility.h"
#include "nsIWebProgressListener.h"
#include "pdf_document.h"

class IPdfJob;

namespace twpdf {
class PdfConversion;
}

class CPdfUtility final : public IPdfUtility, public nsIWebProgressListener {
public:
    CPdfUtility();

    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
    NS_IMETHOD_(nsrefcnt) AddRef() override;
    NS_IMETHOD_(nsrefcnt) Release() override;

    NS_IMETHOD FinishDocument() override;
    NS_IMETHOD TakeLoadedPages() override;
    NS_IMETHOD OnLoadFinished(nsIWebBrowser* browser, const PRUnichar* uri, nsresult status,
                              nsIDOMDocument* document) override;

    // Writer options of the conversions that start from now on (tests ask
    // for reproducible files).
    static void SetWriterOptions(const twpdf::WriterOptions& options);
    // Of the last conversion finished: the most pages that were loaded and
    // not yet written at one time, and the threads that laid pages out (0:
    // none besides the driver's).
    static int LastMostPagesInFlight();
    static int LastLayoutThreads();

private:
    ~CPdfUtility();
    void StartIfNew(IPdfJob* job);

    nsrefcnt m_nRefCount;
    nsresult m_nLastResult;  // of the last FinishDocument
    int m_nTakenPages;       // PDF pages taken since the last load
    std::unique_ptr<twpdf::PdfConversion> m_pConversion;
};

// The constructor of the component table.
nsresult NS_NewPdfUtility(nsISupports* outer, const nsIID& iid, void** result);
