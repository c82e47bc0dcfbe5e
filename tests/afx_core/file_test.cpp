// CFile, CMemFile, CSharedFile, CFileFind and AfxFullPath.
#include <afx.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace {
CString TempFolder() {
    TCHAR szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    CString s;
    s.Format("%safxcore-%lu", szTemp, ::GetCurrentProcessId());
    ::CreateDirectory(s, NULL);
    return s;
}

int FileCause(const std::function<void()>& fn) {
    try {
        fn();
    } catch (CFileException* e) {
        int n = e->m_cause;
        e->Delete();
        return n;
    } catch (CException* e) {
        e->Delete();
        return -2;
    }
    return -1;
}
}  // namespace

TEST(Files, MemFile) {
    CMemFile f(1024);
    BYTE data[3000];
    for (int i = 0; i < 3000; i++) data[i] = (BYTE)i;
    f.Write(data, 3000);
    EXPECT_EQ(3000u, f.GetLength());
    f.SeekToBegin();
    BYTE back[4000];
    EXPECT_EQ(3000u, f.Read(back, 4000));
    EXPECT_EQ(0, memcmp(data, back, 3000));
    EXPECT_EQ(0u, f.Read(back, 1));
    f.Seek(10, CFile::end);  // a gap written later reads as zeros
    f.Write("x", 1);
    EXPECT_EQ(3011u, f.GetLength());
    f.Seek(-11, CFile::end);
    EXPECT_EQ(11u, f.Read(back, 100));
    EXPECT_EQ(0, back[0]);
    EXPECT_EQ('x', back[10]);
    EXPECT_EQ(CFileException::badSeek, FileCause([&] { f.Seek(-1, CFile::begin); }));
    f.SetLength(2);
    EXPECT_EQ(2u, f.GetLength());
    EXPECT_EQ(2u, f.GetPosition());

    // Detach hands over the buffer and leaves the file empty
    BYTE* p = f.Detach();
    EXPECT_EQ(1, p[1]);
    free(p);
    EXPECT_EQ(0u, f.GetLength());

    // an attached buffer without growth reads its bytes and cannot grow
    BYTE buf[4] = {1, 2, 3, 4};
    CMemFile a;
    a.Attach(buf, 4);
    EXPECT_EQ(4u, a.GetLength());
    a.Seek(3, CFile::begin);
    a.Write("z", 1);
    EXPECT_EQ('z', buf[3]);
    EXPECT_EQ(-2, FileCause([&] { a.Write("y", 1); }));  // CMemoryException
    EXPECT_EQ(buf, a.Detach());
}

TEST(Files, SharedFile) {
    CSharedFile f;
    f.Write("hello", 5);
    HGLOBAL h = f.Detach();
    ASSERT_NE(nullptr, h);
    EXPECT_GE(::GlobalSize(h), 5u);
    EXPECT_EQ(0, memcmp(::GlobalLock(h), "hello", 5));
    ::GlobalUnlock(h);
    CSharedFile g;
    g.SetHandle(h, FALSE);
    char sz[6] = {0};
    EXPECT_EQ(5u, g.Read(sz, 5));
    EXPECT_STREQ("hello", sz);
}

TEST(Files, DiskFileAndHandle) {
    CString strFolder = TempFolder();
    CString strPath = strFolder + "\\data.bin";
    {
        CFile f(strPath, CFile::modeCreate | CFile::modeReadWrite);
        f.Write("abcdef", 6);
        EXPECT_EQ(6u, f.GetLength());
        f.Seek(2, CFile::begin);
        char sz[3] = {0};
        EXPECT_EQ(2u, f.Read(sz, 2));
        EXPECT_STREQ("cd", sz);
        EXPECT_EQ(0, f.GetFilePath().CompareNoCase(strPath));
        EXPECT_STREQ("data.bin", f.GetFileName());
    }
    CFile missing;
    CFileException e;
    EXPECT_FALSE(missing.Open(strFolder + "\\none.bin", CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ(CFileException::fileNotFound,
              FileCause([&] { CFile f(strFolder + "\\none.bin", CFile::modeRead); }));

    // a CFile over a handle leaves the handle open
    HANDLE h = ::CreateFile(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    {
        CFile f(h);
        EXPECT_EQ(6u, f.GetLength());
        f.Close();
    }
    DWORD dwRead = 0;
    char c = 0;
    EXPECT_TRUE(::ReadFile(h, &c, 1, &dwRead, NULL));
    EXPECT_EQ('a', c);
    ::CloseHandle(h);

    // an archive over a disk file
    {
        CFile f(strPath, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << CString("text") << (DWORD)5;
    }
    {
        CFile f(strPath, CFile::modeRead);
        CArchive ar(&f, CArchive::load);
        CString s;
        DWORD dw;
        ar >> s >> dw;
        EXPECT_STREQ("text", s);
        EXPECT_EQ(5u, dw);
        EXPECT_EQ(0u, ar.GetRemaining());
    }
    CFile::Remove(strPath);
    ::RemoveDirectory(strFolder);
}

TEST(Files, FileFind) {
    CString strFolder = TempFolder();
    ::CreateDirectory(strFolder + "\\sub", NULL);
    CFile(strFolder + "\\one.txt", CFile::modeCreate | CFile::modeWrite).Close();
    CFile(strFolder + "\\two.txt", CFile::modeCreate | CFile::modeWrite).Close();

    CFileFind ff;
    EXPECT_TRUE(ff.FindFile(strFolder));  // the exact path: the folder itself
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_TRUE(ff.IsDirectory());
    EXPECT_EQ(0, ff.GetFilePath().CompareNoCase(strFolder));
    EXPECT_FALSE(ff.FindFile(strFolder + "\\"));  // a trailing separator matches nothing
    EXPECT_FALSE(ff.FindFile(strFolder + "\\missing"));

    std::set<std::string> names;
    int nDots = 0;
    BOOL bMore = ff.FindFile(strFolder + "\\*.*");
    while (bMore) {
        bMore = ff.FindNextFile();
        if (ff.IsDots()) {
            nDots++;
            continue;
        }
        names.insert((LPCTSTR)ff.GetFileName());
        EXPECT_EQ(0, ff.GetFilePath().CompareNoCase(strFolder + "\\" + ff.GetFileName()));
        EXPECT_EQ(ff.GetFileName() == "sub", ff.IsDirectory() != FALSE);
    }
    ff.Close();
    EXPECT_EQ(2, nDots);
    EXPECT_EQ((std::set<std::string>{"one.txt", "sub", "two.txt"}), names);

    TCHAR szFull[MAX_PATH];
    EXPECT_TRUE(AfxFullPath(szFull, strFolder + "\\sub\\..\\ONE.TXT"));
    EXPECT_EQ(0, strcmp(szFull, strFolder + "\\one.txt")) << szFull;  // stored spelling of the name

    CFile::Remove(strFolder + "\\one.txt");
    CFile::Remove(strFolder + "\\two.txt");
    ::RemoveDirectory(strFolder + "\\sub");
    ::RemoveDirectory(strFolder);
}
