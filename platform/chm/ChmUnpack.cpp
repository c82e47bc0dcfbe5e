#include "ChmUnpack.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace chm {

namespace {

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension: on
// Windows such a name opens the device, not a file in the folder.
bool isDeviceName(const std::string& part)
{
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

bool refuse(std::string* why, const char* reason)
{
    if (why)
        *why = reason;
    return false;
}

struct Job {
    const ChmEntry* entry;
    fs::path path;
};

// Error texts of the reader start in lower case; a message starts a sentence.
std::string sentence(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string quoted(const std::string& name)
{
    return "\"" + name + "\"";
}

} // namespace

bool SafeRelativePath(const std::string& name, fs::path& out, std::string* why)
{
    size_t i = 0;
    if (!name.empty() && name[0] == '/')
        ++i;   // names are rooted at the archive: "/a/b.htm"
    if (i < name.size() && isSeparator(name[i]))
        return refuse(why, "it is an absolute path");
    if (name.find(':') != std::string::npos)
        return refuse(why, "it names a drive or a stream");
    fs::path rel;
    bool any = false;
    while (i < name.size()) {
        size_t j = i;
        while (j < name.size() && !isSeparator(name[j]))
            ++j;
        std::string part = name.substr(i, j - i);
        if (part.empty()) {
            if (j == name.size())
                break;   // a trailing separator: a folder entry
            return refuse(why, "it has an empty path component");
        }
        if (part.find_first_not_of(". ") == std::string::npos)
            return refuse(why, "it has a '.' or '..' path component");
        if (part.find('\0') != std::string::npos)
            return refuse(why, "it holds a NUL character");
        if (isDeviceName(part))
            return refuse(why, "it names a device");
        rel /= fs::u8path(part);
        any = true;
        i = j + 1;
    }
    if (!any) {
        if (name == "/")
            return out = fs::path(), true;   // the archive's root folder: the target itself
        return refuse(why, "it has no name");
    }
    out = rel;
    return true;
}

namespace {

// The entries to write, each with its path under the target; the message of
// the first entry that refuses the file. Throws ChmError for a damaged entry.
std::vector<Job> checkedJobs(ChmArchive& archive, std::string& refusal)
{
    std::vector<Job> jobs;
    for (const ChmEntry& e : archive.entries()) {
        if (e.isSystem())
            continue;
        Job job{&e, {}};
        std::string why;
        if (!SafeRelativePath(e.name, job.path, &why)) {
            refusal = "The CHM file holds the entry " + quoted(e.name) +
                      ", which would be written outside the target folder (" + why + "); the file is refused.";
            return {};
        }
        archive.checkPlace(e);
        jobs.push_back(std::move(job));
    }
    return jobs;
}

// The message for a failure of the reader or the file system.
std::string failure(const std::exception& err)
{
    if (dynamic_cast<const ChmError*>(&err))
        return sentence(err.what());
    if (dynamic_cast<const std::bad_alloc*>(&err))
        return "Out of memory while extracting the CHM file.";
    return std::string("Extraction failed: ") + err.what();
}

} // namespace

ExtractionPlan PlanExtraction(ChmArchive& archive)
{
    ExtractionPlan plan;
    try {
        std::vector<Job> jobs = checkedJobs(archive, plan.message);
        if (!plan.message.empty())
            return plan;
        // A listing can name one file twice (and Windows ignores case): it is
        // written once.
        std::set<std::string> seen;
        for (const Job& job : jobs) {
            if (job.entry->isDirectory())
                continue;
            std::string key = job.path.generic_u8string();
            for (char& c : key)
                if (c >= 'A' && c <= 'Z')
                    c = static_cast<char>(c - 'A' + 'a');
            if (!seen.insert(key).second)
                continue;
            uint64_t length = job.entry->length;
            plan.bytes = length > UINT64_MAX - plan.bytes ? UINT64_MAX : plan.bytes + length;
            ++plan.files;
        }
        plan.ok = true;
    } catch (const std::exception& err) {
        plan.message = failure(err);
    }
    return plan;
}

UnpackResult ExtractMissing(ChmArchive& archive, const fs::path& target)
{
    UnpackResult result;
    try {
        // Check every name and every entry's place before anything is written.
        std::vector<Job> jobs = checkedJobs(archive, result.message);
        if (!result.message.empty())
            return result;
        // Compressed entries in order of offset: each frame is decoded once.
        std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) {
            if (a.entry->section != b.entry->section)
                return a.entry->section < b.entry->section;
            return a.entry->offset < b.entry->offset;
        });

        std::error_code ec;
        fs::create_directories(target, ec);
        if (!fs::is_directory(target, ec)) {
            result.message = "The target folder cannot be created.";
            return result;
        }

        // What the target already holds, read in one pass: asking for each
        // entry costs a round of system calls per file, which dominates the
        // extraction of help files with thousands of small pages.
        std::map<fs::path, std::pair<bool, uintmax_t>> present;  // path -> (regular file, size)
        for (fs::recursive_directory_iterator it(target, ec), end; !ec && it != end; it.increment(ec)) {
            fs::file_status st = it->symlink_status(ec);
            if (ec)
                break;
            const bool regular = fs::is_regular_file(st);
            present[it->path().lexically_normal()] = {regular, regular ? it->file_size(ec) : 0};
            if (fs::is_symlink(st))
                it.disable_recursion_pending();
        }
        ec.clear();

        std::set<fs::path> madeFolders;   // folders known to exist: each is created once
        for (const Job& job : jobs) {
            const ChmEntry& e = *job.entry;
            fs::path dest = target / job.path;
            if (e.isDirectory()) {
                fs::create_directories(dest, ec);
                if (!fs::is_directory(dest, ec)) {
                    result.message = "The folder " + quoted(e.name) + " cannot be created.";
                    return result;
                }
                continue;
            }
            auto found = present.find(dest.lexically_normal());
            if (found != present.end() && found->second.first && found->second.second == e.length) {
                ++result.present;
                continue;
            }
            if (found != present.end() && !found->second.first) {
                result.message = "The entry " + quoted(e.name) + " cannot be written: something else is in its place.";
                return result;
            }
            if (madeFolders.insert(dest.parent_path()).second)
                fs::create_directories(dest.parent_path(), ec);
            std::ofstream file(dest, std::ios::binary | std::ios::trunc);
            if (!file) {
                result.message = "The file " + quoted(e.name) + " cannot be created.";
                return result;
            }
            try {
                archive.read(e, [&](const uint8_t* data, size_t n) {
                    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
                    return static_cast<bool>(file);
                });
                file.close();
                if (!file)
                    throw ChmError("the file " + quoted(e.name) + " cannot be written");
            } catch (...) {
                file.close();
                fs::remove(dest, ec);
                throw;
            }
            // A listing can name one file twice: the second finds it written.
            present[dest.lexically_normal()] = {true, e.length};
            ++result.written;
        }
        result.ok = true;
    } catch (const std::exception& err) {
        result.message = failure(err);
    }
    return result;
}

namespace {

// Opens the CHM file; the message when it cannot be read.
std::unique_ptr<ChmArchive> openArchive(const fs::path& chmFile, std::string& message)
{
    try {
        return ChmArchive::open(chmFile);
    } catch (const ChmError& err) {
        message = sentence(err.what());
    } catch (const std::exception& err) {
        message = std::string("The CHM file cannot be read: ") + err.what();
    }
    return nullptr;
}

} // namespace

ExtractionPlan PlanExtraction(const fs::path& chmFile, std::unique_ptr<ChmArchive>& archive)
{
    ExtractionPlan plan;
    archive = openArchive(chmFile, plan.message);
    return archive ? PlanExtraction(*archive) : plan;
}

UnpackResult ExtractMissing(const fs::path& chmFile, const fs::path& target)
{
    UnpackResult result;
    std::unique_ptr<ChmArchive> archive = openArchive(chmFile, result.message);
    return archive ? ExtractMissing(*archive, target) : result;
}

} // namespace chm
