#include "pdf_output.h"

#include <cerrno>
#include <cstring>

#include <zlib.h>

namespace twpdf {

FileOutput::~FileOutput() {
  if (!finished_) Discard();
}

void FileOutput::Fail(const char* what) {
  if (!error_.empty()) return;
  int e = errno;
  error_ = std::string(what) + " \"" + path_ + "\"";
  if (e) error_ += std::string(": ") + std::strerror(e);
}

bool FileOutput::Open(const std::string& path) {
  path_ = path;
  error_.clear();
  finished_ = false;
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) {
    Fail("Cannot create the PDF file");
    return false;
  }
  return true;
}

bool FileOutput::Write(const void* data, size_t size) {
  if (!file_ || !error_.empty()) return false;
  if (size == 0) return true;
  errno = 0;
  if (std::fwrite(data, 1, size, file_) != size) {
    Fail("Cannot write the PDF file");
    return false;
  }
  return true;
}

bool FileOutput::Finish() {
  if (!file_) return false;
  errno = 0;
  bool ok = error_.empty();
  if (std::fflush(file_) != 0 && ok) {
    Fail("Cannot write the PDF file");
    ok = false;
  }
  errno = 0;
  if (std::fclose(file_) != 0 && ok) {
    Fail("Cannot close the PDF file");
    ok = false;
  }
  file_ = nullptr;
  finished_ = ok;
  return ok;
}

void FileOutput::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!path_.empty()) std::remove(path_.c_str());
  finished_ = true;
}

bool MemoryOutput::Write(const void* data, size_t size) {
  data_.append(static_cast<const char*>(data), size);
  return true;
}

bool CountingOutput::Write(const void* data, size_t size) {
  if (failed_) return false;
  if (!next_.Write(data, size)) {
    failed_ = true;
    return false;
  }
  count_ += size;
  return true;
}

bool Deflate(const std::string& in, std::string& out, int level) {
  Deflater deflater(level);
  return deflater.Pack(in, out);
}

Deflater::~Deflater() {
  if (!stream_) return;
  z_stream* zs = static_cast<z_stream*>(stream_);
  deflateEnd(zs);
  delete zs;
}

bool Deflater::Pack(const std::string& in, std::string& out) {
  out.clear();
  if (in.size() > 0x7FFFFFFFu) return false;  // beyond what one zlib call takes
  z_stream* zs = static_cast<z_stream*>(stream_);
  if (!zs) {
    zs = new z_stream();
    std::memset(zs, 0, sizeof *zs);
    if (deflateInit(zs, level_) != Z_OK) {
      delete zs;
      return false;
    }
    stream_ = zs;
  } else if (deflateReset(zs) != Z_OK) {
    return false;
  }
  // One call into a buffer of the bound's size: the whole input at once.
  out.resize(deflateBound(zs, static_cast<uLong>(in.size())));
  zs->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  zs->avail_in = static_cast<uInt>(in.size());
  zs->next_out = reinterpret_cast<Bytef*>(&out[0]);
  zs->avail_out = static_cast<uInt>(out.size());
  int rc = deflate(zs, Z_FINISH);
  if (rc != Z_STREAM_END) {
    out.clear();
    return false;
  }
  out.resize(zs->total_out);
  return true;
}

bool Inflate(const std::string& in, std::string& out, size_t limit) {
  out.clear();
  z_stream zs;
  std::memset(&zs, 0, sizeof zs);
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  zs.avail_in = static_cast<uInt>(in.size());
  char buf[16384];
  int rc = Z_OK;
  while (rc == Z_OK) {
    zs.next_out = reinterpret_cast<Bytef*>(buf);
    zs.avail_out = sizeof buf;
    rc = inflate(&zs, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END) break;
    out.append(buf, sizeof buf - zs.avail_out);
    if (out.size() > limit) {
      rc = Z_MEM_ERROR;
      break;
    }
  }
  inflateEnd(&zs);
  return rc == Z_STREAM_END;
}

}  // namespace twpdf
