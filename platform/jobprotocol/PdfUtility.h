// PdfUtility.h - the PDF Utility as the conversion driver reaches it.
//
// The PDF Utility is a component outside the driver: it follows every page
// load (it is told of each load's end as the load listener,
// NS_WEBPROGRESSLISTENER_CONTRACTID), reads the job (output path, document
// information, page setup, table of contents), sets the job's loaded flag
// when a load ended and the done flag when it has taken a page, and asks
// the job for link ids. The driver obtains it as a service by its class id
// and calls its first own operation once, at the end.
#pragma once

#include "nsISupports.h"

// {EDC0D01C-3982-44D0-930C-74A102475617}
#define PDFUTILITY_CID \
    {0xEDC0D01C, 0x3982, 0x44D0, {0x93, 0x0C, 0x74, 0xA1, 0x02, 0x47, 0x56, 0x17}}

// TakeLoadedPages' success with pages still untaken.
#define PDFUTILITY_S_PAGES_LEFT ((nsresult)0x01F30001u)

class IPdfUtility : public nsISupports {
public:
    // {65764E77-94B4-4A44-8CBD-9E4C5AB496E7}
    NS_DECLARE_STATIC_IID(
        {0x65764E77, 0x94B4, 0x4A44, {0x8C, 0xBD, 0x9E, 0x4C, 0x5A, 0xB4, 0x96, 0xE7}})

    // Slot 3: finishes the document of the current job and writes it to the
    // job's PDF path. A failure means no usable PDF was written.
    NS_IMETHOD FinishDocument() = 0;

    // Slot 4: the PDF Utility lays pages out and writes them while the
    // driver loads the next ones, so a page's links reach the job a few
    // pages later. This takes the pages loaded so far, in load order, until
    // one of them makes the job want a page not loaded yet: it then returns
    // PDFUTILITY_S_PAGES_LEFT when pages are still untaken, and the driver
    // loads the wanted page while they are laid out. NS_OK means every page
    // loaded is taken: the job knows every page their links made wanted. The
    // driver calls it before it concludes that no wanted page is left.
    NS_IMETHOD TakeLoadedPages() = 0;
};
