// TestFiles.h - folders of the test programs and benchmarks.
#pragma once

#include <string>

// Deletes a folder with everything below it; read-only files go too, and a
// link to a folder is removed without following it. Missing: nothing.
void RemoveTree(const std::string& path);
