// IPdfJob.h - the job protocol: IPdfJob, its records and its class id.
//
// The job carries one CHM-to-PDF conversion between the system and the PDF
// Utility. The PDF Utility calls IPdfJob by slot position, so the order and
// signatures of its operations below are fixed; new operations may never be
// inserted. All job state is process-wide: every job instance sees the same
// job. The system and the PDF Utility reach it as a service by its class id
// (CLSID_PdfJob).
//
// Strings cross the interface as NUL-terminated ANSI strings. "Set"
// operations copy the string (null clears it); "Get" operations copy the
// stored string, or "" when none is stored, into the caller's buffer, which
// the caller sizes.
#pragma once

#include "nsISupports.h"
#include "nsString.h"

// {F4BF875C-E870-4EF6-8992-8B598FE3FF66}
#define PDFJOB_CID \
    {0xF4BF875C, 0xE870, 0x4EF6, {0x89, 0x92, 0x8B, 0x59, 0x8F, 0xE3, 0xFF, 0x66}}
inline const nsCID CLSID_PdfJob = PDFJOB_CID;

// The job's own results: "not found" (or "act on it": load this page) and
// "not initialised".
#define PDFJOB_E_NOTFOUND ((nsresult)0xC1F30000u)
#define PDFJOB_E_NOTINITIALISED ((nsresult)0xC1F30001u)

// Built per conversion by the conversion driver; the job only keeps the pointer.
struct PageSetupRec;

// One file of the extracted CHM.
struct FolderFileRec {
    char* url;   // file URL of the file (owned by the job)
    int done;    // 1 once the page was loaded for the PDF
    int wanted;  // 1 once some link points at it
};

// A link target and the id given to it.
struct LinkTargetRec {
    char* url;  // owned
    int id;
};

// One table-of-contents entry, in document order. Records are made by
// AddTocRecord (zeroed) and owned by the job, with their name and page.
struct TocRecord {
    nsString* name;     // the entry's title (owned; set with SetName)
    char* page;         // local path of the entry's page, or null (owned; SetPage)
    TocRecord* parent;  // the enclosing entry, null at the top
    int value;          // stored by the PDF Utility (SetPendingTocRecordValue)
    int handled;        // 0 until the PDF Utility has used the record

    // Replace the owned name / page with a copy (null clears). False when
    // memory runs out; the old value then stays. Defined with the job.
    bool SetName(const PRUnichar* title);
    bool SetPage(const char* path);
};

class IPdfJob : public nsISupports {
public:
    // {44A88754-5C63-48F9-AC14-AE65D870A0BB}
    NS_DECLARE_STATIC_IID(
        {0x44A88754, 0x5C63, 0x48F9, {0xAC, 0x14, 0xAE, 0x65, 0xD8, 0x70, 0xA0, 0xBB}})

    // Slots 0-2 are nsISupports'.
    NS_IMETHOD Reserved1(void* arg) = 0;                        // 3
    NS_IMETHOD Reserved2() = 0;                                 // 4
    NS_IMETHOD SetPdfFile(const char* path) = 0;                // 5
    NS_IMETHOD GetPdfFile(char* buffer) = 0;                    // 6
    NS_IMETHOD SetIdBase(int base) = 0;                         // 7
    NS_IMETHOD GetIdBase(int* base) = 0;                        // 8: PDFJOB_E_NOTINITIALISED when never set
    NS_IMETHOD ClearIdBase() = 0;                               // 9
    NS_IMETHOD SetCurrentPage(const char* page) = 0;            // 10
    NS_IMETHOD GetCurrentPage(char* buffer) = 0;                // 11
    NS_IMETHOD ListFolderFiles(const char* folder) = 0;         // 12
    NS_IMETHOD ShouldLoadUrl(const char* url) = 0;              // 13: PDFJOB_E_NOTFOUND = load it
    NS_IMETHOD GetNextExtraPage(FolderFileRec** record) = 0;    // 14
    NS_IMETHOD AddTocRecord(TocRecord** record) = 0;            // 15
    NS_IMETHOD GetNextPendingTocRecord(TocRecord** record) = 0; // 16
    NS_IMETHOD SetPendingTocRecordValue(int value) = 0;         // 17
    NS_IMETHOD SetLoaded(int loaded) = 0;                       // 18
    NS_IMETHOD GetLoaded(int* loaded) = 0;                      // 19
    NS_IMETHOD SetPageMode(int mode) = 0;                       // 20: 0 contents file, 1 pages
    NS_IMETHOD GetPageMode(int* mode) = 0;                      // 21
    NS_IMETHOD SetPageCount(int count) = 0;                     // 22
    NS_IMETHOD GetPageCount(int* count) = 0;                    // 23
    NS_IMETHOD GetLinkId(const char* anchor, int* id) = 0;      // 24
    NS_IMETHOD AddLinkTarget(const char* url, int* id) = 0;     // 25
    NS_IMETHOD SetDone(int done) = 0;                           // 26
    NS_IMETHOD GetDone(int* done) = 0;                          // 27
    NS_IMETHOD SetAuthor(const char* text) = 0;                 // 28
    NS_IMETHOD GetAuthor(char* buffer) = 0;                     // 29
    NS_IMETHOD SetTitle(const char* text) = 0;                  // 30
    NS_IMETHOD GetTitle(char* buffer) = 0;                      // 31
    NS_IMETHOD SetKeywords(const char* text) = 0;               // 32
    NS_IMETHOD GetKeywords(char* buffer) = 0;                   // 33
    NS_IMETHOD SetCreator(const char* text) = 0;                // 34
    NS_IMETHOD GetCreator(char* buffer) = 0;                    // 35
    NS_IMETHOD SetSubject(const char* text) = 0;                // 36
    NS_IMETHOD GetSubject(char* buffer) = 0;                    // 37
    NS_IMETHOD SetProducer(const char* text) = 0;               // 38
    NS_IMETHOD GetProducer(char* buffer) = 0;                   // 39
    NS_IMETHOD SetBaseFolder(const char* folder) = 0;           // 40
    NS_IMETHOD Reset() = 0;                                     // 41
    NS_IMETHOD ClearContents() = 0;                             // 42
    NS_IMETHOD Reserved3(void* arg) = 0;                        // 43
    NS_IMETHOD Reserved4(void* arg) = 0;                        // 44
    NS_IMETHOD SetExtraString(const char* text) = 0;            // 45
    NS_IMETHOD GetExtraString(char* buffer) = 0;                // 46
    NS_IMETHOD SetPageSetup(PageSetupRec* setup) = 0;           // 47
    NS_IMETHOD GetPageSetup(PageSetupRec** setup) = 0;          // 48
    NS_IMETHOD Reserved5(void* arg) = 0;                        // 49
    NS_IMETHOD Reserved6(void* arg) = 0;                        // 50
    NS_IMETHOD Reserved7(void* arg) = 0;                        // 51
    NS_IMETHOD Reserved8(void* arg) = 0;                        // 52
    NS_IMETHOD SetStringA(const char* text) = 0;                // 53
    NS_IMETHOD GetStringA(char* buffer) = 0;                    // 54
    NS_IMETHOD Reserved9(void* arg) = 0;                        // 55
    NS_IMETHOD Reserved10(void* arg) = 0;                       // 56
    NS_IMETHOD SetStringB(const char* text) = 0;                // 57
    NS_IMETHOD GetStringB(char* buffer) = 0;                    // 58
    virtual ~IPdfJob() {}                                       // 59
};
