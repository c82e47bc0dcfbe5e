// ChmSource.h - random-access byte sources a CHM is read from.
//
//   chm::ChmError     - every failure of the CHM layer (damaged file, I/O)
//   chm::ByteSource   - read-only random access by absolute offset
//   chm::MemorySource - bytes held in memory (tests, fuzzing)
//   chm::FileSource   - a file on disk
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace chm {

class ChmError : public std::runtime_error {
public:
    explicit ChmError(const std::string& what) : std::runtime_error(what) {}
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads exactly n bytes at offset; throws ChmError when they are not all there.
    virtual void read(uint64_t offset, void* buffer, size_t n) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, size_t size);              // does not copy
    explicit MemorySource(std::vector<uint8_t> bytes);         // owns a copy
    uint64_t size() const override { return size_; }
    void read(uint64_t offset, void* buffer, size_t n) override;

private:
    std::vector<uint8_t> owned_;
    const uint8_t* data_;
    size_t size_;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path);   // throws ChmError
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    uint64_t size() const override { return size_; }
    void read(uint64_t offset, void* buffer, size_t n) override;

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};

} // namespace chm
