// internal.h - pieces shared by the parser's files; not part of the
// library's interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {
namespace html {
namespace detail {

// Appends the UTF-8 form of a code point (U+FFFD for surrogates and values
// beyond U+10FFFF).
void appendUtf8(std::string& out, std::uint32_t cp);

// Appends `text` with its character references decoded. In attribute values
// a reference without ';' that is followed by a letter, digit or '=' stays as
// written (so "?a=1&copy=2" keeps its text).
void appendDecoded(std::string& out, std::string_view text, bool inAttribute);

// The Windows-1252 mapping of bytes 0x80-0x9F (numeric references in that
// range are read the same way, as browsers do).
std::uint32_t cp1252High(unsigned char byte);

// One token of the input.
struct Token {
  enum Kind { StartTag, EndTag, Text, Comment, Doctype, EndOfFile };
  Kind kind = EndOfFile;
  std::string name;  // tag name (lower case) or doctype name
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case, unique
  bool selfClosing = false;
  std::string data;  // text, comment, or the doctype's public id
  std::string systemId;  // doctype only
};

// Splits UTF-8 text (line ends already '\n') into tokens. After a start tag
// of script/style/xmp/iframe/noembed/noframes the content up to the matching
// end tag is raw text; after title/textarea it is text with references
// decoded; after plaintext all the rest is text.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view input) : in_(input) {}
  // Fills `t` with the next token; Text tokens are never empty. Returns
  // false (and an EndOfFile token) at the end.
  bool next(Token& t);

 private:
  enum class Mode { Data, RawText, RcData, PlainText };
  bool tag(Token& t, bool end);
  void bogusComment(Token& t, size_t start);
  void doctype(Token& t, size_t start);
  bool rawText(Token& t);

  std::string_view in_;
  size_t pos_ = 0;
  Mode mode_ = Mode::Data;
  std::string rawEnd_;  // end tag name that ends the raw text
};

}  // namespace detail
}  // namespace html
}  // namespace tw
