// The tokenizer: tags, attributes, text, comments, doctype, raw text.
#include <unordered_set>

#include "internal.h"

namespace tw {
namespace html {
namespace detail {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool startsWithIgnoreCase(std::string_view s, size_t at, std::string_view word) {
  if (at > s.size() || s.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (lowerAscii(s[at + i]) != word[i]) return false;
  return true;
}

}  // namespace

bool Tokenizer::next(Token& t) {
  t.kind = Token::EndOfFile;
  t.name.clear();
  t.attributes.clear();
  t.selfClosing = false;
  t.data.clear();
  t.systemId.clear();
  const size_t n = in_.size();

  while (pos_ < n) {
    if (mode_ != Mode::Data) {
      if (rawText(t)) return true;
      continue;
    }
    size_t lt = in_.find('<', pos_);
    if (lt == std::string_view::npos) lt = n;
    if (lt > pos_) {
      t.kind = Token::Text;
      appendDecoded(t.data, in_.substr(pos_, lt - pos_), false);
      pos_ = lt;
      return true;
    }
    // in_[pos_] == '<'
    size_t i = pos_ + 1;
    char c = i < n ? in_[i] : 0;
    if (isAlpha(c)) {
      if (tag(t, false)) return true;
      continue;
    }
    if (c == '/') {
      char d = i + 1 < n ? in_[i + 1] : 0;
      if (isAlpha(d)) {
        if (tag(t, true)) return true;
        continue;
      }
      if (d == '>') {  // "</>" is dropped
        pos_ = i + 2;
        continue;
      }
      if (i + 1 >= n) {  // "</" at the end is text
        t.kind = Token::Text;
        t.data = "</";
        pos_ = n;
        return true;
      }
      bogusComment(t, i + 1);
      return true;
    }
    if (c == '!') {
      if (in_.compare(i + 1, 2, "--") == 0) {
        size_t start = i + 3;
        // "<!-->" and "<!--->" are empty comments.
        if (start < n && in_[start] == '>') {
          t.kind = Token::Comment;
          pos_ = start + 1;
          return true;
        }
        if (in_.compare(start, 2, "->") == 0) {
          t.kind = Token::Comment;
          pos_ = start + 2;
          return true;
        }
        size_t end = in_.find("-->", start);
        t.kind = Token::Comment;
        if (end == std::string_view::npos) {
          t.data.assign(in_.substr(start));
          pos_ = n;
        } else {
          t.data.assign(in_.substr(start, end - start));
          pos_ = end + 3;
        }
        return true;
      }
      if (startsWithIgnoreCase(in_, i + 1, "doctype")) {
        doctype(t, i + 8);
        return true;
      }
      bogusComment(t, i + 1);
      return true;
    }
    if (c == '?') {
      bogusComment(t, i);
      return true;
    }
    // A '<' that opens nothing is text; take it with the text after it.
    size_t next = in_.find('<', i);
    if (next == std::string_view::npos) next = n;
    t.kind = Token::Text;
    t.data = "<";
    appendDecoded(t.data, in_.substr(i, next - i), false);
    pos_ = next;
    return true;
  }
  return false;
}

void Tokenizer::bogusComment(Token& t, size_t start) {
  size_t end = in_.find('>', start);
  t.kind = Token::Comment;
  if (end == std::string_view::npos) {
    t.data.assign(in_.substr(start));
    pos_ = in_.size();
  } else {
    t.data.assign(in_.substr(start, end - start));
    pos_ = end + 1;
  }
}

void Tokenizer::doctype(Token& t, size_t start) {
  size_t end = in_.find('>', start);
  if (end == std::string_view::npos) end = in_.size();
  std::string_view body = in_.substr(start, end - start);
  pos_ = end < in_.size() ? end + 1 : end;
  t.kind = Token::Doctype;
  size_t i = 0;
  while (i < body.size() && isSpace(body[i])) ++i;
  while (i < body.size() && !isSpace(body[i])) t.name += lowerAscii(body[i++]);
  // PUBLIC "public id" "system id" | SYSTEM "system id"
  auto quoted = [&](std::string& out) -> bool {
    while (i < body.size() && isSpace(body[i])) ++i;
    if (i >= body.size() || (body[i] != '"' && body[i] != '\'')) return false;
    char q = body[i++];
    size_t close = body.find(q, i);
    if (close == std::string_view::npos) close = body.size();
    out.assign(body.substr(i, close - i));
    i = close < body.size() ? close + 1 : close;
    return true;
  };
  while (i < body.size() && isSpace(body[i])) ++i;
  if (startsWithIgnoreCase(body, i, "public")) {
    i += 6;
    if (quoted(t.data)) quoted(t.systemId);
  } else if (startsWithIgnoreCase(body, i, "system")) {
    i += 6;
    quoted(t.systemId);
  }
}

// Reads a start or end tag at pos_ ('<'). Returns false when the input ends
// inside the tag: the unfinished tag is dropped, as browsers do.
bool Tokenizer::tag(Token& t, bool end) {
  const size_t n = in_.size();
  size_t i = pos_ + (end ? 2 : 1);
  while (i < n && !isSpace(in_[i]) && in_[i] != '/' && in_[i] != '>') t.name += lowerAscii(in_[i++]);
  std::unordered_set<std::string> seen;  // used only for tags with many attributes
  for (;;) {
    while (i < n && (isSpace(in_[i]) || in_[i] == '/')) {
      if (in_[i] == '/' && i + 1 < n && in_[i + 1] == '>') t.selfClosing = true;
      ++i;
    }
    if (i >= n) {
      pos_ = n;
      t.name.clear();
      t.attributes.clear();
      t.selfClosing = false;
      return false;
    }
    if (in_[i] == '>') {
      ++i;
      break;
    }
    size_t nameStart = i;
    ++i;  // the first character may be anything, even '='
    while (i < n && !isSpace(in_[i]) && in_[i] != '/' && in_[i] != '>' && in_[i] != '=') ++i;
    std::string name;
    name.reserve(i - nameStart);
    for (size_t k = nameStart; k < i; ++k) name += lowerAscii(in_[k]);
    size_t j = i;
    while (j < n && isSpace(in_[j])) ++j;
    std::string value;
    if (j < n && in_[j] == '=') {
      ++j;
      while (j < n && isSpace(in_[j])) ++j;
      if (j < n && (in_[j] == '"' || in_[j] == '\'')) {
        char q = in_[j];
        size_t close = in_.find(q, j + 1);
        if (close == std::string_view::npos) {
          i = n;  // unterminated value: the tag runs to the end and is dropped
          continue;
        }
        appendDecoded(value, in_.substr(j + 1, close - j - 1), true);
        i = close + 1;
      } else {
        size_t k = j;
        while (k < n && !isSpace(in_[k]) && in_[k] != '>') ++k;
        appendDecoded(value, in_.substr(j, k - j), true);
        i = k;
      }
    }
    if (end) continue;  // attributes of end tags are dropped
    bool dup = false;
    if (t.attributes.size() < 16) {
      for (auto& a : t.attributes) dup = dup || a.first == name;
    } else {
      if (seen.empty())
        for (auto& a : t.attributes) seen.insert(a.first);
      dup = !seen.insert(name).second;
    }
    if (!dup) t.attributes.emplace_back(std::move(name), std::move(value));
  }
  pos_ = i;
  t.kind = end ? Token::EndTag : Token::StartTag;
  if (!end) {
    const std::string& s = t.name;
    if (s == "script" || s == "style" || s == "xmp" || s == "iframe" || s == "noembed" ||
        s == "noframes") {
      mode_ = Mode::RawText;
      rawEnd_ = s;
    } else if (s == "title" || s == "textarea") {
      mode_ = Mode::RcData;
      rawEnd_ = s;
    } else if (s == "plaintext") {
      mode_ = Mode::PlainText;
    }
  }
  return true;
}

// Text of a raw-text element up to its end tag ("</name" followed by a space,
// '/', '>' or the end). Returns false when there was no text to give.
bool Tokenizer::rawText(Token& t) {
  const size_t n = in_.size();
  size_t end = n;
  if (mode_ != Mode::PlainText) {
    size_t from = pos_;
    for (;;) {
      size_t lt = in_.find("</", from);
      if (lt == std::string_view::npos) break;
      size_t after = lt + 2 + rawEnd_.size();
      if (startsWithIgnoreCase(in_, lt + 2, rawEnd_) &&
          (after >= n || isSpace(in_[after]) || in_[after] == '/' || in_[after] == '>')) {
        end = lt;
        break;
      }
      from = lt + 2;
    }
  }
  std::string_view text = in_.substr(pos_, end - pos_);
  bool rc = mode_ == Mode::RcData;
  mode_ = Mode::Data;  // the end tag (or the end of the input) follows
  pos_ = end;
  if (text.empty()) return false;
  t.kind = Token::Text;
  if (rc) appendDecoded(t.data, text, false);
  else t.data.assign(text);
  return true;
}

}  // namespace detail
}  // namespace html
}  // namespace tw
