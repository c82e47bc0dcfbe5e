// TestFiles.h - files and folders that tests make and remove.
#pragma once
#include <string>

namespace twtest {

// Removes the folder (with or without a trailing backslash) and everything in
// it; a missing folder is no error.
void RemoveTree(const std::string& folder);

}  // namespace twtest
