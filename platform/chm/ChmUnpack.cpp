#include "ChmUnpack.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

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

// The text with its ASCII capitals in lower case.
std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
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
            if (!seen.insert(lowerAscii(job.path.generic_u8string())).second)
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

namespace {

// A file decoded in full, waiting for a writer.
struct PendingFile {
    fs::path dest;
    std::string name;   // the entry's name, for messages
    std::vector<uint8_t> bytes;
};

// Creates the file, fills it through fill(file) and closes it. Throws
// ChmError when it cannot be created or written (the partly written file is
// removed), and what fill throws.
template <class Fill>
void writeFile(const fs::path& dest, const std::string& name, Fill fill)
{
    std::ofstream file(dest, std::ios::binary | std::ios::trunc);
    if (!file)
        throw ChmError("the file " + quoted(name) + " cannot be created.");
    try {
        fill(file);
        file.close();
        if (!file)
            throw ChmError("the file " + quoted(name) + " cannot be written");
    } catch (...) {
        file.close();
        std::error_code ec;
        fs::remove(dest, ec);
        throw;
    }
}

// The entry streamed from the archive into its file, on the calling thread.
void writeStreaming(ChmArchive& archive, const ChmEntry& e, const fs::path& dest)
{
    writeFile(dest, e.name, [&](std::ofstream& file) {
        archive.read(e, [&](const uint8_t* data, size_t n) {
            file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
            return static_cast<bool>(file);
        });
    });
}

// A file already in memory; the message when it fails ("" when written).
std::string writeWhole(const PendingFile& f)
{
    try {
        writeFile(f.dest, f.name, [&](std::ofstream& file) {
            file.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
        });
        return std::string();
    } catch (const std::exception& err) {
        return failure(err);
    }
}

// Creating and closing a file costs a round trip to the system each (under
// Wine, to its server), far more than decoding the file: a few writer
// threads create, write and close the files while the caller decodes the
// next entries. Each writer has its own queue; a file goes to the writer
// its name picks (fileWriterOf), so writes of one file keep their order.
// What is queued is bounded in bytes and in files: queue() waits at the
// bound. The first failure, of a writer or reported by the caller, stops
// everything: nothing more is queued, and the writers drop the files they
// have not started. Writers start when their first file comes, and are
// joined by finish() or the destructor.
class FileWriters {
public:
    static constexpr uint64_t kMaxQueuedBytes = 16u << 20;
    static constexpr size_t kMaxQueuedFiles = 1024;

    explicit FileWriters(size_t count) : lanes_(count) {}
    ~FileWriters() { finish(); }
    FileWriters(const FileWriters&) = delete;
    FileWriters& operator=(const FileWriters&) = delete;

    size_t count() const { return lanes_.size(); }

    // Hands the file to writer `lane`; false (nothing queued) after a failure.
    bool queue(size_t lane, PendingFile file)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] {
            return failed_ || pendingFiles_ == 0 ||
                   (pendingBytes_ + file.bytes.size() <= kMaxQueuedBytes && pendingFiles_ < kMaxQueuedFiles);
        });
        if (failed_)
            return false;
        Lane& l = lanes_[lane];
        if (!l.thread.joinable())
            l.thread = std::thread([this, &l] { run(l); });
        pendingBytes_ += file.bytes.size();
        ++pendingFiles_;
        l.files.push_back(std::move(file));
        l.wake.notify_one();
        return true;
    }

    // Waits until every queued file is written; false after a failure.
    bool drain()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return failed_ || pendingFiles_ == 0; });
        return !failed_;
    }

    // Records a failure unless one came first; stops the writers.
    void fail(const std::string& message)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        failLocked(message);
    }

    // Lets the writers write what they hold (all of it, or after a failure
    // what they have started) and joins them.
    void finish()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            closing_ = true;
            for (Lane& l : lanes_)
                l.wake.notify_all();
        }
        for (Lane& l : lanes_)
            if (l.thread.joinable())
                l.thread.join();
    }

    // After finish(): the files written, and the first failure ("" for none).
    size_t written() const { return written_; }
    const std::string& message() const { return message_; }
    bool failed() const { return failed_; }

private:
    struct Lane {
        std::deque<PendingFile> files;
        std::condition_variable wake;
        std::thread thread;
    };

    void failLocked(const std::string& message)
    {
        if (failed_)
            return;
        failed_ = true;
        message_ = message;
        for (Lane& l : lanes_)
            l.wake.notify_all();
        room_.notify_all();
    }

    void run(Lane& l)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            l.wake.wait(lock, [&] { return failed_ || closing_ || !l.files.empty(); });
            if (failed_) {
                for (const PendingFile& f : l.files)
                    pendingBytes_ -= f.bytes.size();
                pendingFiles_ -= l.files.size();
                l.files.clear();
                room_.notify_all();
                return;
            }
            if (l.files.empty())
                return;   // closing, and everything written
            PendingFile file = std::move(l.files.front());
            l.files.pop_front();
            lock.unlock();
            const std::string error = writeWhole(file);
            const size_t size = file.bytes.size();
            file = PendingFile();
            lock.lock();
            pendingBytes_ -= size;
            --pendingFiles_;
            if (error.empty())
                ++written_;
            else
                failLocked(error);
            room_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable room_;   // a file written or dropped, or a failure
    std::vector<Lane> lanes_;
    uint64_t pendingBytes_ = 0;      // queued or being written
    size_t pendingFiles_ = 0;
    size_t written_ = 0;
    bool failed_ = false;
    bool closing_ = false;
    std::string message_;
};

// Two names that Windows takes for one file must go to one writer. It
// compares names upper-cased, and ignores the dots and blanks that end a
// name; besides the ASCII letters, only İ, ı, ſ and the Kelvin sign fold
// onto ASCII (i, i, s, k). So the hash skips dots and blanks, and takes
// those three letters and every other character that is not ASCII alike.
// (A short 8.3 alias of a long name is not recognised.)
size_t fileWriterOf(const fs::path& relative, size_t writers)
{
    uint64_t h = 1469598103934665603ull;   // FNV-1a
    for (unsigned char c : relative.generic_u8string()) {
        if (c == '.' || c == ' ' || (c >= 0x80 && c < 0xC0))
            continue;   // ignored, or inside a UTF-8 sequence
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c >= 0x80 || c == 'i' || c == 's' || c == 'k')
            c = '?';
        h = (h ^ c) * 1099511628211ull;
    }
    return static_cast<size_t>(h % writers);
}

// Up to four writers, one for each 16 files: a writer costs about as much to
// start as a file to create, so a help file of a handful of files is written
// on the calling thread as it is decoded, as are entries over
// kLargestBufferedEntry.
size_t writerCount(const ChmArchive& archive)
{
    size_t files = 0;
    for (const ChmEntry& e : archive.entries())
        files += !e.isSystem() && !e.isDirectory();
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min({size_t(4), cores, files / 16});
}

// Decodes the entries and hands their files to the writers. Returns why the
// extraction cannot go on, or "" when it is done or a writer failed.
std::string extractInto(ChmArchive& archive, const fs::path& target, FileWriters& writers, UnpackResult& result)
{
    // Check every name and every entry's place before anything is written.
    std::string refusal;
    std::vector<Job> jobs = checkedJobs(archive, refusal);
    if (!refusal.empty())
        return refusal;
    // Compressed entries in order of offset: each frame is decoded once.
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) {
        if (a.entry->section != b.entry->section)
            return a.entry->section < b.entry->section;
        return a.entry->offset < b.entry->offset;
    });

    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec))
        return "The target folder cannot be created.";

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
    std::set<std::string> files;      // the files written or queued, lower case
    // Before a folder is made where a file is queued, the file is written:
    // the folder then fails as it would after it. False after a failure.
    auto filesBefore = [&](const fs::path& folder) {
        for (fs::path up = folder; !up.empty(); up = up.parent_path())
            if (files.count(lowerAscii(up.generic_u8string())))
                return writers.drain();
        return true;
    };
    for (const Job& job : jobs) {
        const ChmEntry& e = *job.entry;
        fs::path dest = target / job.path;
        if (e.isDirectory()) {
            if (!filesBefore(job.path))
                return std::string();
            fs::create_directories(dest, ec);
            if (!fs::is_directory(dest, ec))
                return "The folder " + quoted(e.name) + " cannot be created.";
            continue;
        }
        auto found = present.find(dest.lexically_normal());
        if (found != present.end() && found->second.first && found->second.second == e.length) {
            ++result.present;
            continue;
        }
        if (found != present.end() && !found->second.first)
            return "The entry " + quoted(e.name) + " cannot be written: something else is in its place.";
        if (madeFolders.insert(dest.parent_path()).second) {
            if (!filesBefore(job.path.parent_path()))
                return std::string();
            fs::create_directories(dest.parent_path(), ec);
        }
        files.insert(lowerAscii(job.path.generic_u8string()));
        if (writers.count() == 0 || e.length > kLargestBufferedEntry) {
            // Written here as it is decoded, after what is queued (which may
            // include the same file under another case).
            if (!writers.drain())
                return std::string();
            writeStreaming(archive, e, dest);
            ++result.written;
        } else {
            PendingFile file{dest, e.name, {}};
            file.bytes.reserve(static_cast<size_t>(e.length));
            archive.read(e, [&](const uint8_t* data, size_t n) {
                file.bytes.insert(file.bytes.end(), data, data + n);
                return true;
            });
            if (!writers.queue(fileWriterOf(job.path, writers.count()), std::move(file)))
                return std::string();
        }
        // A listing can name one file twice: the second finds it written.
        present[dest.lexically_normal()] = {true, e.length};
    }
    return std::string();
}

} // namespace

UnpackResult ExtractMissing(ChmArchive& archive, const fs::path& target)
{
    UnpackResult result;
    try {
        FileWriters writers(writerCount(archive));
        std::string stop;
        try {
            stop = extractInto(archive, target, writers, result);
        } catch (const std::exception& err) {
            stop = failure(err);
        }
        if (!stop.empty()) {
            // The files queued before come first, as they would have been
            // written first; a failure among them is the one reported.
            writers.drain();
            writers.fail(stop);
        }
        writers.finish();
        result.written += writers.written();
        result.message = writers.message();
        result.ok = !writers.failed();
    } catch (const std::exception& err) {
        result.ok = false;
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
