#include "ChmSource.h"

#include <cstring>
#include <system_error>

namespace chm {

MemorySource::MemorySource(const void* data, size_t size)
    : data_(static_cast<const uint8_t*>(data)), size_(size) {}

MemorySource::MemorySource(std::vector<uint8_t> bytes)
    : owned_(std::move(bytes)), data_(owned_.data()), size_(owned_.size()) {}

void MemorySource::read(uint64_t offset, void* buffer, size_t n)
{
    if (offset > size_ || n > size_ - offset)
        throw ChmError("unexpected end of file");
    if (n)
        std::memcpy(buffer, data_ + offset, n);
}

namespace {

std::FILE* openForReading(const std::filesystem::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

int seekTo(std::FILE* f, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(f, static_cast<long long>(offset), SEEK_SET);
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET);
#endif
}

} // namespace

FileSource::FileSource(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw ChmError("cannot open the file (not found or not a file)");
    uint64_t size = std::filesystem::file_size(path, ec);
    if (ec)
        throw ChmError("cannot read the size of the file");
    file_ = openForReading(path);
    if (!file_)
        throw ChmError("cannot open the file");
    size_ = size;
}

FileSource::~FileSource()
{
    if (file_)
        std::fclose(file_);
}

void FileSource::read(uint64_t offset, void* buffer, size_t n)
{
    if (offset > size_ || n > size_ - offset)
        throw ChmError("unexpected end of file");
    if (n == 0)
        return;
    if (offset != position_) {
        if (seekTo(file_, offset) != 0)
            throw ChmError("cannot seek in the file");
        position_ = offset;
    }
    size_t got = std::fread(buffer, 1, n, file_);
    if (got != n) {
        position_ = UINT64_MAX;   // unknown: seek again next time
        throw ChmError("cannot read the file");
    }
    position_ += got;
}

} // namespace chm
