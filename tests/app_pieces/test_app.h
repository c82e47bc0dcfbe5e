// test_app.h - what the test files of the application pieces share: the
// application object (profile under HKCU\Software\TomewiseTests) and a
// scratch folder.
#pragma once

#include "afxwin.h"

#include <string>

#include "TestFiles.h"

class CPiecesTestApp : public CWinApp {
public:
    CPiecesTestApp() : CWinApp("AppPiecesTests") {}
    void UseTestProfile() { SetRegistryKey("TomewiseTests"); }
};

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* pszTag = "tw_pieces");
    ~ScratchFolder();
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }
    // Writes `data` byte for byte; answers the full path.
    std::string Write(const std::string& name, const std::string& data) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
// RemoveTree: the shared one (TestFiles.h).
