// MergeHhc.cpp - merging the contents files of a CHM into one.
#include "MergeHhc.h"

#include <mbstring.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "AppState.h"

namespace {

// What one read of an 8192-character line buffer holds. Longer physical
// lines would come in pieces, and a piece taken for a reference would drop
// the rest of its piece from the contents: such lines are copied whole.
const size_t kLineMax = 8191;

// Reads a file as raw lines (through '\n'), NUL bytes included.
class CLineReader {
public:
    explicit CLineReader(FILE* pFile) : m_pFile(pFile) {}

    // The next piece of the file: a line, or up to kLineMax bytes of a line
    // that is longer. `bWhole` tells a complete line of at most kLineMax
    // bytes (ended by '\n' or by the end of the file). False at the end.
    bool Next(std::string& piece, bool& bWhole) {
        piece.clear();
        int c = EOF;
        while (piece.size() < kLineMax && (c = Get()) != EOF) {
            piece.push_back(static_cast<char>(c));
            if (c == '\n') break;
        }
        if (piece.empty()) return false;
        const bool bEnded = c == '\n' || c == EOF || Peek() == EOF;
        bWhole = !m_bInLongLine && bEnded;
        m_bInLongLine = !bEnded;
        return true;
    }
    bool Failed() const { return ferror(m_pFile) != 0; }

private:
    int Get() {
        if (m_nPos == m_nLen && !Fill()) return EOF;
        return static_cast<unsigned char>(m_buffer[m_nPos++]);
    }
    int Peek() {
        if (m_nPos == m_nLen && !Fill()) return EOF;
        return static_cast<unsigned char>(m_buffer[m_nPos]);
    }
    bool Fill() {
        m_nLen = fread(m_buffer, 1, sizeof m_buffer, m_pFile);
        m_nPos = 0;
        return m_nLen > 0;
    }

    FILE* m_pFile;
    char m_buffer[16384];
    size_t m_nPos = 0, m_nLen = 0;
    bool m_bInLongLine = false;
};

struct CFileCloser {
    FILE* f;
    ~CFileCloser() {
        if (f) fclose(f);
    }
};

// The referenced name of a line when it is a reference line ("merge",
// ".hhc", "name", "value", "=" and "param" in its lower-case form); false
// for any other line.
bool ReferencedName(const std::string& line, std::string& name) {
    std::string lower(line);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    static const char* const kWords[] = {"merge", ".hhc", "name", "value", "=", "param"};
    for (const char* word : kWords)
        if (lower.find(word) == std::string::npos) return false;
    // The name runs from just after the nearest delimiter before the first
    // ".hhc" (or from the line's start) through ".hhc". Lower-casing keeps
    // every byte where it was, so the name is cut from the line itself and
    // compared without case.
    const size_t nExt = lower.find(".hhc");
    const size_t nDelim = nExt == 0 ? std::string::npos : lower.find_last_of("= \"/\\:", nExt - 1);
    const size_t nStart = nDelim == std::string::npos ? 0 : nDelim + 1;
    name = line.substr(nStart, nExt + 4 - nStart);
    return true;
}

// Whether the file name of `path` (after its last separator) is `name`,
// whole and ignoring case.
bool IsFileNamed(const CString& path, const std::string& name) {
    if (name.find('\0') != std::string::npos) return false;
    LPCTSTR psz = path;
    LPCTSTR pszFile = psz;
    for (LPCTSTR p = psz; *p; p = reinterpret_cast<LPCTSTR>(_mbsinc(reinterpret_cast<const unsigned char*>(p))))
        if (*p == '\\' || *p == '/') pszFile = p + 1;
    return _mbsicmp(reinterpret_cast<const unsigned char*>(pszFile),
                    reinterpret_cast<const unsigned char*>(name.c_str())) == 0;
}

bool Contains(const std::vector<POSITION>& positions, POSITION pos) {
    for (POSITION p : positions)
        if (p == pos) return true;
    return false;
}

// The first entry named `name`, other than the parent and the children
// already taken; null when none.
POSITION FindChild(CStringList& list, POSITION posParent, const std::vector<POSITION>& taken,
                   const std::string& name) {
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION posEntry = pos;
        const CString& path = list.GetNext(pos);
        if (posEntry != posParent && !Contains(taken, posEntry) && IsFileNamed(path, name)) return posEntry;
    }
    return NULL;
}

// The first entry of the list holding a reference to another entry; null
// when none does. A file that cannot be opened holds no lines.
POSITION FindParent(CStringList& list) {
    std::string line, name;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION posEntry = pos;
        const CString& path = list.GetNext(pos);
        CFileCloser in{fopen(path, "rb")};
        if (!in.f) continue;
        CLineReader reader(in.f);
        bool bWhole = false;
        while (reader.Next(line, bWhole))
            if (bWhole && line.size() >= 5 && ReferencedName(line, name) &&
                FindChild(list, posEntry, std::vector<POSITION>(), name))
                return posEntry;
    }
    return NULL;
}

bool Write(FILE* out, const std::string& data) {
    return fwrite(data.data(), 1, data.size(), out) == data.size();
}

// Appends the whole file at `path` to `out`, byte for byte. A file that
// cannot be opened adds nothing; false on a read or write error.
bool CopyInto(FILE* out, LPCTSTR path) {
    CFileCloser in{fopen(path, "rb")};
    if (!in.f) return true;
    char buffer[16384];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, in.f)) > 0)
        if (fwrite(buffer, 1, n, out) != n) return false;
    return !ferror(in.f);
}

// A name for the next merged file that no file has yet: a CHM may itself
// hold a "tomewise_0.hhc", which must not be overwritten.
CString NextMergedName(LPCTSTR lpszFolder, int& nCounter) {
    CString path;
    do {
        path.Format("%s\\tomewise_%d.hhc", lpszFolder, nCounter++);
    } while (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES);
    return path;
}

// Writes the parent with its references replaced by their files. The list
// changes only once the merged file is complete: true then.
bool MergeInto(CStringList& list, POSITION posParent, LPCTSTR lpszFolder, int& nCounter) {
    const CString merged = NextMergedName(lpszFolder, nCounter);
    std::vector<POSITION> children;
    bool bOK;
    {
        CFileCloser out{fopen(merged, "wb")};
        if (!out.f) return false;
        CFileCloser in{fopen(list.GetAt(posParent), "rb")};
        bOK = in.f != NULL;
        CLineReader reader(in.f);
        std::string line, name;
        bool bWhole = false;
        while (bOK && reader.Next(line, bWhole)) {
            if (bWhole && ReferencedName(line, name)) {
                // A reference line leaves the file, replaced by its child
                // when the child is listed.
                POSITION posChild = FindChild(list, posParent, children, name);
                if (posChild) {
                    children.push_back(posChild);
                    bOK = CopyInto(out.f, list.GetAt(posChild));
                }
            } else {
                bOK = Write(out.f, line);
            }
        }
        bOK = bOK && !reader.Failed() && !children.empty();
        if (fclose(out.f) != 0) bOK = false;
        out.f = NULL;
    }
    if (!bOK) {
        ::DeleteFileA(merged);
        return false;
    }
    for (POSITION posChild : children) list.RemoveAt(posChild);
    list.RemoveAt(posParent);
    list.AddTail(merged);
    return true;
}

}  // namespace

void MergeHhcFiles(CStringList& list) { MergeHhcFiles(list, g_szChmFolder); }

void MergeHhcFiles(CStringList& list, LPCTSTR lpszFolder) {
    int nCounter = 0;
    while (POSITION posParent = FindParent(list))
        if (!MergeInto(list, posParent, lpszFolder, nCounter)) return;
}
