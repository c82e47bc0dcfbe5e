// ChmExtract.h - extracting a CHM into a folder, and two small helpers of the
// engine:
//   ReplaceChar   - replaces every occurrence of one character in place
//   COwnedObList  - a CObList that deletes its elements when it goes
//   DecompileChm  - has the HTML Help control extract a CHM, then extracts
//                   in-process every entry the control did not write
//   FreeSpaceOfVolume - the bytes free for the user on the volume of a path
#pragma once

#include "afx.h"
#include "afxcoll.h"

// Replaces, in place, every `from` in the NUL-terminated `str` by `to`.
// Used for '/' to '\' (folders read from the settings) and '\' to '/'
// (file:/// URLs). A null string is left alone.
void ReplaceChar(char* str, char from, char to);

// A CObList (block size 10) owning its elements: the destructor removes each
// from the head and deletes it through its virtual destructor.
class COwnedObList : public CObList {
public:
    COwnedObList() : CObList(10) {}
    ~COwnedObList() override;
    // The head element, or null when the list is empty.
    CObject* GetHeadOrNull() const { return IsEmpty() ? nullptr : GetHead(); }
};

// Extracts the CHM at chmPath into targetFolder (ANSI paths). mode 0: the
// extraction for opening a CHM; nonzero: an export into a folder the user
// chose (that target ends with '\').
//
// Fails (returns 0, after a message box) when anything already exists at the
// target, trailing separators ignored; when the CHM cannot be read, is
// damaged or holds an entry whose name would leave the target; when the sizes
// its directory declares add up to more than the free space of the target's
// volume (the message names both); all of these before anything is written.
// Fails as well when the HTML Help control
// "hhctrl.ocx" or its "doWinMain" export is missing, or when the entries the
// control did not write cannot be extracted in-process (data found damaged
// while it is decoded, a write error). Returns 1 when
// every entry of the CHM is in the target folder.
int DecompileChm(const char* chmPath, const char* targetFolder, int mode);

// Test seam: the module and export DecompileChm calls as the HTML Help
// control. NULL restores the default ("hhctrl.ocx", "doWinMain").
void SetHtmlHelpControlForTest(const char* module, const char* exportName);

// The bytes the current user may still write on the volume that holds `path`
// (or would hold it: the nearest existing folder above it is asked). When the
// volume cannot be asked, the largest value: nothing is refused for it.
ULONGLONG FreeSpaceOfVolume(const char* path);

// Test seam: what DecompileChm asks for the free space of the target's
// volume. NULL restores FreeSpaceOfVolume.
typedef ULONGLONG (*FreeSpaceQuery)(const char* path);
void SetFreeSpaceQueryForTest(FreeSpaceQuery query);
