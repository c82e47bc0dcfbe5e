// PdfJob.h - the conversion job component: CPdfJob, CPdfJobFactory.
//
// The component behind the job protocol (IPdfJob.h), registered under
// CLSID_PdfJob through CPdfJobFactory. The component holds only its
// reference count; the job lives in process-wide storage.
#pragma once

#include "IPdfJob.h"
#include "nsIFactory.h"

// The component. It holds only its reference count; the job lives in
// process-wide storage. The last instance to go frees that storage.
class CPdfJob final : public IPdfJob {
public:
    CPdfJob();

    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
    NS_IMETHOD_(nsrefcnt) AddRef() override;
    NS_IMETHOD_(nsrefcnt) Release() override;

    NS_IMETHOD Reserved1(void* arg) override;
    NS_IMETHOD Reserved2() override;
    NS_IMETHOD SetPdfFile(const char* path) override;
    NS_IMETHOD GetPdfFile(char* buffer) override;
    NS_IMETHOD SetIdBase(int base) override;
    NS_IMETHOD GetIdBase(int* base) override;
    NS_IMETHOD ClearIdBase() override;
    NS_IMETHOD SetCurrentPage(const char* page) override;
    NS_IMETHOD GetCurrentPage(char* buffer) override;
    NS_IMETHOD ListFolderFiles(const char* folder) override;
    NS_IMETHOD ShouldLoadUrl(const char* url) override;
    NS_IMETHOD GetNextExtraPage(FolderFileRec** record) override;
    NS_IMETHOD AddTocRecord(TocRecord** record) override;
    NS_IMETHOD GetNextPendingTocRecord(TocRecord** record) override;
    NS_IMETHOD SetPendingTocRecordValue(int value) override;
    NS_IMETHOD SetLoaded(int loaded) override;
    NS_IMETHOD GetLoaded(int* loaded) override;
    NS_IMETHOD SetPageMode(int mode) override;
    NS_IMETHOD GetPageMode(int* mode) override;
    NS_IMETHOD SetPageCount(int count) override;
    NS_IMETHOD GetPageCount(int* count) override;
    NS_IMETHOD GetLinkId(const char* anchor, int* id) override;
    NS_IMETHOD AddLinkTarget(const char* url, int* id) override;
    NS_IMETHOD SetDone(int done) override;
    NS_IMETHOD GetDone(int* done) override;
    NS_IMETHOD SetAuthor(const char* text) override;
    NS_IMETHOD GetAuthor(char* buffer) override;
    NS_IMETHOD SetTitle(const char* text) override;
    NS_IMETHOD GetTitle(char* buffer) override;
    NS_IMETHOD SetKeywords(const char* text) override;
    NS_IMETHOD GetKeywords(char* buffer) override;
    NS_IMETHOD SetCreator(const char* text) override;
    NS_IMETHOD GetCreator(char* buffer) override;
    NS_IMETHOD SetSubject(const char* text) override;
    NS_IMETHOD GetSubject(char* buffer) override;
    NS_IMETHOD SetProducer(const char* text) override;
    NS_IMETHOD GetProducer(char* buffer) override;
    NS_IMETHOD SetBaseFolder(const char* folder) override;
    NS_IMETHOD Reset() override;
    NS_IMETHOD ClearContents() override;
    NS_IMETHOD Reserved3(void* arg) override;
    NS_IMETHOD Reserved4(void* arg) override;
    NS_IMETHOD SetExtraString(const char* text) override;
    NS_IMETHOD GetExtraString(char* buffer) override;
    NS_IMETHOD SetPageSetup(PageSetupRec* setup) override;
    NS_IMETHOD GetPageSetup(PageSetupRec** setup) override;
    NS_IMETHOD Reserved5(void* arg) override;
    NS_IMETHOD Reserved6(void* arg) override;
    NS_IMETHOD Reserved7(void* arg) override;
    NS_IMETHOD Reserved8(void* arg) override;
    NS_IMETHOD SetStringA(const char* text) override;
    NS_IMETHOD GetStringA(char* buffer) override;
    NS_IMETHOD Reserved9(void* arg) override;
    NS_IMETHOD Reserved10(void* arg) override;
    NS_IMETHOD SetStringB(const char* text) override;
    NS_IMETHOD GetStringB(char* buffer) override;
    ~CPdfJob() override;

private:
    nsrefcnt m_nRefCount;
};

// Makes CPdfJob instances; registered under CLSID_PdfJob with no class name
// and no contract id.
class CPdfJobFactory final : public nsIFactory {
public:
    CPdfJobFactory();

    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
    NS_IMETHOD_(nsrefcnt) AddRef() override;
    NS_IMETHOD_(nsrefcnt) Release() override;
    // An outer object: NS_ERROR_NO_AGGREGATION; no memory:
    // NS_ERROR_OUT_OF_MEMORY; else a new job queried for iid (on failure the
    // result is null and the job is gone).
    NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) override;
    NS_IMETHOD LockFactory(PRBool lock) override;

private:
    ~CPdfJobFactory() = default;
    nsrefcnt m_nRefCount;
};
