// ChmUnpack.h - writing a CHM's entries into a folder.
//
//   chm::SafeRelativePath - maps an entry name to a path under the target
//                           folder, refusing names that would leave it
//   chm::UnpackResult     - what an extraction did, or why it failed
//   chm::PlanExtraction   - checks a CHM for extraction and adds up the bytes
//                           it declares, before anything is written
//   chm::ExtractMissing   - writes every entry not yet present in the folder
#pragma once

#include "ChmReader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace chm {

// The entry name "/a/b.htm" becomes "a/b.htm". Refused (false, with the reason
// in *why): a name with a '..' or '.' component (or one made only of dots and
// blanks, which Windows shortens to that), an absolute name ("//x", "/\x"),
// a drive or stream (any ':'), a device (CON, NUL, COM1, LPT1... with any
// extension), an empty component, or no file name at all.
// Both '/' and '\' count as separators. The name is UTF-8. The root folder
// entry "/" gives an empty path: the target itself.
bool SafeRelativePath(const std::string& name, std::filesystem::path& out, std::string* why);

// Entries up to this length are decoded into memory and handed to a writer
// thread; longer ones are written piece by piece as they are decoded.
constexpr uint64_t kLargestBufferedEntry = 4u << 20;

struct UnpackResult {
    bool ok = false;
    std::string message;    // why it failed; empty on success
    size_t written = 0;     // files written
    size_t present = 0;     // files already there with the right size
};

struct ExtractionPlan {
    bool ok = false;
    std::string message;    // why the CHM is refused; empty when ok
    uint64_t bytes = 0;     // the declared sizes of the files, each name counted once
    size_t files = 0;
};

// Checks what an extraction checks before it writes: every name stays
// within the target, and every entry lies within what its section holds (a
// size larger than its section could produce is a damaged CHM). Adds up the
// sizes the directory declares, so that a caller can compare them with the
// free space of the target volume. Reads no entry's data.
ExtractionPlan PlanExtraction(ChmArchive& archive);
// The same for a CHM file on disk, which stays open in `archive` for the
// extraction; a file that cannot be read fails cleanly.
ExtractionPlan PlanExtraction(const std::filesystem::path& chmFile, std::unique_ptr<ChmArchive>& archive);

// Writes every entry of the archive that is not a system entry and is not
// already present under `target` (a regular file of the entry's length),
// creating `target` and the folders below it as needed. Entry names are
// checked first, and the place of every entry in its section: when any name
// would leave the target or any entry is damaged, nothing is written at all.
// A file whose data turns out damaged while it is written is removed again.
// Entries are decoded in order on the calling thread; a few writer threads
// create and write the files meanwhile (an entry longer than
// kLargestBufferedEntry, and every entry of an archive of only a few files,
// is written as it is decoded, on the calling thread).
// The first failure stops the extraction and is the one reported; every
// thread has ended when this returns.
UnpackResult ExtractMissing(ChmArchive& archive, const std::filesystem::path& target);
// The same for a CHM file on disk; a file that cannot be read fails cleanly.
UnpackResult ExtractMissing(const std::filesystem::path& chmFile, const std::filesystem::path& target);

} // namespace chm
