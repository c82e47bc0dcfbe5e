// TestFiles.cpp - files and folders that tests make and remove.
#include "TestFiles.h"

#include <windows.h>

namespace twtest {

void RemoveTree(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else ::DeleteFileA(full.c_str());
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(path.c_str());
}

}  // namespace twtest
