#include "ChmExtract.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "ChmUnpack.h"
#include "afxwin.h"

namespace {

FreeSpaceQuery g_pfnFreeSpace = FreeSpaceOfVolume;

const char* g_pszControlModule = "hhctrl.ocx";
const char* g_pszControlExport = "doWinMain";

typedef int(WINAPI* DoWinMainProc)(HINSTANCE hInstance, LPSTR lpszCmdLine);

const char kExistsOpen[] =
    "Failed: The file %s already exists, a folder with same name %s\r\ncan not be created. "
    "You should change the temp folder location.(in menu->Convert->Options).";
const char kExistsExport[] =
    "Failed: The file %s already exists, a folder with same name %s\r\ncan not be created. "
    "You can not export chm file to a folder with the same chm file inside.";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The target without trailing separators ("C:\out\x.chm\" -> "C:\out\x.chm"),
// so that the existence test matches the folder and a quoted argument does
// not end in \".
CString WithoutTrailingSeparators(const char* path) {
    CString str(path);
    int n = str.GetLength();
    while (n > 1 && IsSeparator(str[n - 1]) && str[n - 2] != ':') --n;
    return str.Left(n);
}

std::filesystem::path AnsiPath(const char* path) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (n <= 0) return std::filesystem::path();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    return std::filesystem::path(wide);
}

// "12.5 MB (13,107,200 bytes)": the rounded size a user reads, and the exact
// one that shows how far apart two sizes are.
CString FormatByteSize(ULONGLONG bytes) {
    std::string exact = std::to_string(bytes);
    for (size_t at = exact.size(); at > 3; at -= 3) exact.insert(at - 3, 1, ',');
    if (bytes < 1024) return CString((exact + " bytes").c_str());
    static const char* const units[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.1f %s", value, units[unit]);
    return CString((std::string(rounded) + " (" + exact + " bytes)").c_str());
}

void ExtractionFailed(const char* chmPath, const char* targetFolder, const CString& reason) {
    CString strMessage;
    strMessage.Format("Failed: %s could not be extracted to %s.\r\n%s", chmPath, targetFolder,
                      static_cast<const char*>(reason));
    AfxMessageBox(strMessage, MB_OK, 0);
}

}  // namespace

ULONGLONG FreeSpaceOfVolume(const char* path) {
    if (!path || !*path) return ~0ull;
    CString strFolder(path);
    for (;;) {
        ULARGE_INTEGER available;
        if (::GetDiskFreeSpaceExA(strFolder, &available, nullptr, nullptr)) return available.QuadPart;
        // Not there yet: ask the folder above it.
        int n = strFolder.GetLength();
        while (n > 0 && IsSeparator(strFolder[n - 1])) --n;
        while (n > 0 && !IsSeparator(strFolder[n - 1])) --n;
        if (n == 0 || strFolder.Left(n) == strFolder) return ~0ull;
        strFolder = strFolder.Left(n);
    }
}

void SetFreeSpaceQueryForTest(FreeSpaceQuery query) { g_pfnFreeSpace = query ? query : FreeSpaceOfVolume; }

void ReplaceChar(char* str, char from, char to) {
    if (!str) return;
    for (; *str; ++str)
        if (*str == from) *str = to;
}

COwnedObList::~COwnedObList() {
    while (!IsEmpty()) delete RemoveHead();
}

void SetHtmlHelpControlForTest(const char* module, const char* exportName) {
    g_pszControlModule = module ? module : "hhctrl.ocx";
    g_pszControlExport = exportName ? exportName : "doWinMain";
}

int DecompileChm(const char* chmPath, const char* targetFolder, int mode) {
    if (!chmPath || !targetFolder) return 0;

    // 1. Nothing may exist at the target yet, whatever its trailing separators.
    CString strTarget = WithoutTrailingSeparators(targetFolder);
    {
        CFileFind finder;
        if (finder.FindFile(strTarget)) {
            finder.Close();
            CString strMessage;
            strMessage.Format(mode == 0 ? kExistsOpen : kExistsExport, targetFolder, targetFolder);
            AfxMessageBox(strMessage, MB_OK, 0);
            return 0;
        }
    }

    // Before anything is written: the CHM must read, its names must stay in
    // the target, and what its directory declares must fit on the volume (a
    // small CHM can declare terabytes).
    std::unique_ptr<chm::ChmArchive> archive;
    chm::ExtractionPlan plan = chm::PlanExtraction(AnsiPath(chmPath), archive);
    if (!plan.ok) {
        ExtractionFailed(chmPath, targetFolder, plan.message.c_str());
        return 0;
    }
    ULONGLONG freeBytes = g_pfnFreeSpace(strTarget);
    if (plan.bytes > freeBytes) {
        CString strReason;
        strReason.Format("Its files need %s, but only %s are free on the target drive.",
                         static_cast<const char*>(FormatByteSize(plan.bytes)),
                         static_cast<const char*>(FormatByteSize(freeBytes)));
        ExtractionFailed(chmPath, targetFolder, strReason);
        return 0;
    }

    // 2.-3. The HTML Help control and its entry point.
    HMODULE hControl = ::LoadLibraryA(g_pszControlModule);
    if (!hControl) {
        AfxMessageBox("Error load hhctrl.ocx.", MB_OK, 0);
        return 0;
    }
    DoWinMainProc pfnDoWinMain = reinterpret_cast<DoWinMainProc>(::GetProcAddress(hControl, g_pszControlExport));
    if (!pfnDoWinMain) {
        ::FreeLibrary(hControl);
        AfxMessageBox("Error get process.", MB_OK, 0);
        return 0;
    }

    // 4.-6. "-decompile <target> <chm>", each path quoted: temporary folders
    // under user profiles hold blanks.
    size_t cb = std::strlen(strTarget) + std::strlen(chmPath) + 15 + 4;
    char* pszCmdLine = static_cast<char*>(std::calloc(cb, 1));
    if (!pszCmdLine) {
        ::FreeLibrary(hControl);
        AfxMessageBox("Failed: out of memory.", MB_OK, 0);
        return 0;
    }
    std::snprintf(pszCmdLine, cb, "-decompile \"%s\" \"%s\"", static_cast<const char*>(strTarget), chmPath);
    pfnDoWinMain(::GetModuleHandleA(NULL), pszCmdLine);
    std::free(pszCmdLine);
    ::FreeLibrary(hControl);

    // The control's result says nothing (and some controls ignore -decompile
    // altogether): compare the folder with the CHM's own listing and extract
    // every entry that is not there.
    chm::UnpackResult result = chm::ExtractMissing(*archive, AnsiPath(strTarget));
    if (!result.ok) {
        ExtractionFailed(chmPath, targetFolder, result.message.c_str());
        return 0;
    }
    return 1;
}
