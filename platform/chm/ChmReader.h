// ChmReader.h - reading a compiled HTML Help (CHM) file.
//
//   chm::ChmEntry   - one directory entry: name, content section, offset, length
//   chm::ChmArchive - the headers, the whole directory and the entries' bytes
//
// The directory is taken from every listing chunk in file order; the
// header's pointer to the first listing chunk is not trusted (some compilers
// write it wrong). Section 0 is stored as it is; section 1 is LZX compressed,
// with a reset table giving where each 32 KiB frame starts. A damaged file
// ends in a ChmError naming what is wrong; memory stays bounded by the file
// size and the LZX window.
#pragma once

#include "ChmSource.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace chm {

class LzxDecoder;

struct ChmEntry {
    std::string name;       // as stored (UTF-8), e.g. "/html/index.htm"
    uint64_t section = 0;   // 0 uncompressed, 1 LZX
    uint64_t offset = 0;    // within the section
    uint64_t length = 0;

    // Internal entries of the format and the compiler: "::DataSpace/...",
    // "/#SYSTEM", "/$FIftiMain" and the like.
    bool isSystem() const;
    // Folder entries: the name ends with '/'.
    bool isDirectory() const;
};

class ChmArchive {
public:
    // Receives an entry's bytes piece by piece; returning false stops the read.
    using Sink = std::function<bool(const uint8_t* data, size_t size)>;

    // Reads the headers and the directory; throws ChmError.
    explicit ChmArchive(std::unique_ptr<ByteSource> source);
    static std::unique_ptr<ChmArchive> open(const std::filesystem::path& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Every entry of every listing chunk, in file order.
    const std::vector<ChmEntry>& entries() const { return entries_; }
    // Looks an entry up by name (ASCII case ignored, as the format does).
    const ChmEntry* find(std::string_view name) const;

    // Throws ChmError when the entry's declared place does not lie within
    // what its section holds (for the LZX section this reads and checks the
    // section's tables). Checking every entry first finds a damaged directory
    // before anything is read.
    void checkPlace(const ChmEntry& entry);

    // Streams the entry's bytes to the sink in order. Returns false when the
    // sink stopped early; throws ChmError when the data is damaged. Reading
    // section 1 entries in order of offset decodes each frame only once.
    bool read(const ChmEntry& entry, const Sink& sink);
    // The whole entry; throws ChmError when it is longer than maxSize.
    std::vector<uint8_t> readAll(const ChmEntry& entry, size_t maxSize);

private:
    struct Compressed;

    void readHeaders();
    void readDirectory(uint64_t offset, uint64_t length);
    void parseListing(const uint8_t* chunk, size_t size, uint32_t number);
    void openCompressed();
    bool readCompressed(const ChmEntry& entry, const Sink& sink);
    const uint8_t* compressedFrame(uint64_t frame, size_t& size);

    std::unique_ptr<ByteSource> source_;
    uint64_t contentOffset_ = 0;   // where section 0 starts in the file
    std::vector<ChmEntry> entries_;
    std::unordered_map<std::string, size_t> byName_;
    std::unique_ptr<Compressed> compressed_;
};

} // namespace chm
