// ChmTestUtil.h - helpers shared by the CHM tests: fixture paths, a scratch
// folder per test, whole-file reads and writes, and the file lists of a help
// project and of an extracted folder.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef TW_CHM_FIXTURES
#error "TW_CHM_FIXTURES must name the folder of the compiled fixtures"
#endif

namespace chmtest {

namespace fs = std::filesystem;

// The compiler adds this note to every file it writes; it is an ordinary
// entry of the archive and is extracted like the others.
inline const char* compilerNote() { return "_#_README_#_"; }

inline fs::path fixtureFolder(const std::string& name) { return fs::path(TW_CHM_FIXTURES) / name; }
inline fs::path fixtureChm(const std::string& name) { return fixtureFolder(name) / (name + ".chm"); }

inline std::vector<uint8_t> readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The [FILES] section of a help project: paths relative to its folder.
inline std::vector<std::string> projectFiles(const fs::path& hhp)
{
    std::ifstream in(hhp);
    std::vector<std::string> files;
    std::string line;
    bool inFiles = false;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inFiles = line == "[FILES]";
        else if (inFiles && !line.empty())
            files.push_back(line);
    }
    return files;
}

// Every regular file under root, as '/'-separated relative paths.
inline std::set<std::string> filesUnder(const fs::path& root)
{
    std::set<std::string> out;
    if (!fs::exists(root))
        return out;
    for (auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            out.insert(fs::relative(e.path(), root).generic_u8string());
    return out;
}

// A fresh folder under the system temporary folder, removed at the end.
class ScratchDir {
public:
    ScratchDir()
    {
        static std::atomic<int> counter{0};
        std::ostringstream name;
        name << "tw-chm-" << std::hex << reinterpret_cast<uintptr_t>(this) << "-" << counter++;
        path_ = fs::temp_directory_path() / name.str();
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& rel) const { return path_ / fs::u8path(rel); }

private:
    fs::path path_;
};

} // namespace chmtest
