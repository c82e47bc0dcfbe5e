// pdf_output.h - output stages of the writer.
//
//   OutputStage     where bytes go; a stage never owns the stage after it
//   FileOutput      a file on disk: every write and the close are checked;
//                   Discard() closes and removes a file that is not complete
//   MemoryOutput    a std::string (tests, measurements)
//   CountingOutput  counts the bytes it passes on; the writer takes object
//                   offsets for the cross-reference table from it
//   Deflate         zlib compression of a whole buffer
//   Deflater        the same with one zlib state kept from buffer to buffer
//                   (a document compresses thousands of streams)
//
// Errors stick: after a failed Write every later Write fails too, and
// error() keeps the first message.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace twpdf {

class OutputStage {
 public:
  virtual ~OutputStage() = default;
  virtual bool Write(const void* data, size_t size) = 0;
  bool Write(const std::string& s) { return Write(s.data(), s.size()); }
  // Flushes and ends the output; false when that fails.
  virtual bool Finish() = 0;
  virtual const std::string& error() const = 0;
};

class FileOutput : public OutputStage {
 public:
  FileOutput() = default;
  ~FileOutput() override;  // discards a file that was not finished
  FileOutput(const FileOutput&) = delete;
  FileOutput& operator=(const FileOutput&) = delete;

  // Creates or truncates |path| (ANSI code page path on Windows).
  bool Open(const std::string& path);
  using OutputStage::Write;
  bool Write(const void* data, size_t size) override;
  bool Finish() override;
  // Closes (if open) and removes the file.
  void Discard();
  const std::string& error() const override { return error_; }

 private:
  void Fail(const char* what);
  std::FILE* file_ = nullptr;
  std::string path_;
  std::string error_;
  bool finished_ = false;
};

class MemoryOutput : public OutputStage {
 public:
  using OutputStage::Write;
  bool Write(const void* data, size_t size) override;
  bool Finish() override { return true; }
  const std::string& error() const override { return error_; }
  const std::string& data() const { return data_; }

 private:
  std::string data_;
  std::string error_;
};

class CountingOutput : public OutputStage {
 public:
  explicit CountingOutput(OutputStage& next) : next_(next) {}
  using OutputStage::Write;
  bool Write(const void* data, size_t size) override;
  bool Finish() override { return next_.Finish(); }
  const std::string& error() const override { return next_.error(); }
  uint64_t count() const { return count_; }

 private:
  OutputStage& next_;
  uint64_t count_ = 0;
  bool failed_ = false;
};

// The zlib level of the writer's streams. Page content (text operators)
// packs nearly as well at the fast levels: on a help file of 1,253 PDF
// pages (38 MB of streams) level 3 wrote 4.8 MB in 0.20 s, level 6 4.1 MB
// in 0.55 s, level 1 5.5 MB in 0.17 s; 4 and above cost far more time for
// a few percent.
const int kDeflateLevel = 3;

// Compresses |in| into a zlib stream (FlateDecode). The output is the same
// for the same input on every run.
bool Deflate(const std::string& in, std::string& out, int level = kDeflateLevel);

class Deflater {
 public:
  explicit Deflater(int level = kDeflateLevel) : level_(level) {}
  ~Deflater();
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  // As Deflate: the same bytes for the same input and level.
  bool Pack(const std::string& in, std::string& out);

 private:
  int level_;
  void* stream_ = nullptr;  // z_stream, made at the first Pack
};
// Inflates a zlib stream; false on damaged input or output beyond |limit|.
bool Inflate(const std::string& in, std::string& out, size_t limit = 64u << 20);

}  // namespace twpdf
