// The test program: an application object with its own profile key, and
// GoogleTest's main refusing every message box no test expects.
#include <gtest/gtest.h>

#include <stdio.h>

#include "MessageBoxRecorder.h"
#include "test_app.h"

CPiecesTestApp thePiecesTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    thePiecesTestApp.UseTestProfile();
    return RunAllTestsWithoutMessageBoxes();
}

// ---- scratch folders

std::string ReadFile(const std::string& path) {
    std::string data;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        char buffer[16384];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
        fclose(f);
    }
    return data;
}

ScratchFolder::ScratchFolder(const char* pszTag) {
    static int nCounter = 0;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    char szName[96];
    snprintf(szName, sizeof szName, "%s_%lu_%d", pszTag, ::GetCurrentProcessId(), ++nCounter);
    m_path = std::string(szTemp) + szName;
    RemoveTree(m_path);
    ::CreateDirectoryA(m_path.c_str(), NULL);
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

std::string ScratchFolder::Write(const std::string& name, const std::string& data) const {
    const std::string full = *this / name;
    if (FILE* f = fopen(full.c_str(), "wb")) {
        fwrite(data.data(), 1, data.size(), f);
        fclose(f);
    }
    return full;
}

std::string ScratchFolder::Read(const std::string& name) const { return ReadFile(*this / name); }

bool ScratchFolder::Exists(const std::string& name) const {
    return ::GetFileAttributesA((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
