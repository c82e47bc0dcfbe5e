// nsString.h - the kit's strings: UTF-16 (PRUnichar) and 8-bit (char).
//
// Contents: nsTSubstring<CharT> (nsAString, nsACString: the types that
// interfaces take and fill), nsString / nsAutoString / nsDependentString,
// nsCString / nsAutoCString / nsDependentCString, and the conversions
// NS_ConvertASCIItoUTF16, NS_ConvertUTF8toUTF16, NS_ConvertUTF16toUTF8 and
// NS_LossyConvertUTF16toASCII. The ANSI code page conversions are in
// nsNativeCharset.h (Windows only).
//
// Every string owns its characters; a "dependent" string copies its source
// too, so it never outlives a buffer it points into. Standard C++ only.
#pragma once

#include <cstring>
#include <string>

#include "nscore.h"

template <class CharT>
class nsTSubstring {
 public:
  typedef CharT char_type;
  typedef std::basic_string<CharT> string_type;
  typedef PRUint32 size_type;

  nsTSubstring() = default;
  nsTSubstring(const CharT* s) { Assign(s); }
  nsTSubstring(const CharT* s, size_t len) { Assign(s, len); }
  explicit nsTSubstring(const string_type& s) : mData(s) {}

  size_type Length() const { return static_cast<size_type>(mData.size()); }
  bool IsEmpty() const { return mData.empty(); }
  // NUL-terminated, valid until the string changes.
  const CharT* get() const { return mData.c_str(); }
  const CharT* BeginReading() const { return mData.data(); }
  const CharT* EndReading() const { return mData.data() + mData.size(); }
  CharT CharAt(size_type i) const { return i < mData.size() ? mData[i] : CharT(0); }
  CharT operator[](size_type i) const { return CharAt(i); }
  const string_type& str() const { return mData; }
  string_type& str() { return mData; }

  // A null pointer assigns the empty string.
  void Assign(const CharT* s) { if (s) mData.assign(s, Len(s)); else mData.clear(); }
  void Assign(const CharT* s, size_t len) { if (s) mData.assign(s, len); else mData.clear(); }
  void Assign(const nsTSubstring& s) { mData = s.mData; }
  void Assign(CharT c) { mData.assign(1, c); }
  void Append(const CharT* s) { if (s) mData.append(s, Len(s)); }
  void Append(const CharT* s, size_t len) { if (s) mData.append(s, len); }
  void Append(const nsTSubstring& s) { mData += s.mData; }
  void Append(CharT c) { mData += c; }
  void Insert(const nsTSubstring& s, size_type pos) {
    mData.insert(pos < mData.size() ? pos : mData.size(), s.mData);
  }
  void Truncate(size_type len = 0) { if (len < mData.size()) mData.resize(len); }
  void Cut(size_type start, size_type len) {
    if (start < mData.size()) mData.erase(start, len);
  }
  void SetLength(size_type len) { mData.resize(len); }

  nsTSubstring& operator=(const CharT* s) { Assign(s); return *this; }
  nsTSubstring& operator+=(const CharT* s) { Append(s); return *this; }
  nsTSubstring& operator+=(const nsTSubstring& s) { Append(s); return *this; }
  nsTSubstring& operator+=(CharT c) { Append(c); return *this; }

  bool Equals(const nsTSubstring& s) const { return mData == s.mData; }
  bool Equals(const CharT* s) const {
    return s ? mData.compare(0, mData.size(), s, Len(s)) == 0 && Len(s) == mData.size()
             : mData.empty();
  }
  // ASCII letters compared without case; other characters exactly.
  bool EqualsIgnoreCase(const nsTSubstring& s) const {
    if (s.mData.size() != mData.size()) return false;
    for (size_t i = 0; i < mData.size(); ++i)
      if (Fold(mData[i]) != Fold(s.mData[i])) return false;
    return true;
  }
  // Compares with an ASCII text, ignoring the case of ASCII letters.
  bool LowerCaseEqualsASCII(const char* ascii) const {
    size_t n = ascii ? std::strlen(ascii) : 0;
    if (n != mData.size()) return false;
    for (size_t i = 0; i < n; ++i)
      if (Fold(mData[i]) != Fold(static_cast<CharT>(static_cast<unsigned char>(ascii[i]))))
        return false;
    return true;
  }
  // Index of the first c at or after offset, or -1.
  PRInt32 FindChar(CharT c, size_type offset = 0) const {
    size_t i = mData.find(c, offset);
    return i == string_type::npos ? -1 : static_cast<PRInt32>(i);
  }

  friend bool operator==(const nsTSubstring& a, const nsTSubstring& b) { return a.Equals(b); }
  friend bool operator!=(const nsTSubstring& a, const nsTSubstring& b) { return !a.Equals(b); }

 protected:
  static size_t Len(const CharT* s) { return std::char_traits<CharT>::length(s); }
  static CharT Fold(CharT c) { return (c >= 'A' && c <= 'Z') ? CharT(c + 32) : c; }
  string_type mData;
};

typedef nsTSubstring<PRUnichar> nsAString;
typedef nsTSubstring<char> nsACString;

class nsString : public nsAString {
 public:
  nsString() = default;
  nsString(const PRUnichar* s) : nsAString(s) {}
  nsString(const PRUnichar* s, size_t len) : nsAString(s, len) {}
  nsString(const nsAString& s) : nsAString(s) {}
  using nsAString::operator=;
};
class nsAutoString : public nsString {
 public:
  using nsString::nsString;
  nsAutoString() = default;
  using nsString::operator=;
};
class nsDependentString : public nsString {
 public:
  explicit nsDependentString(const PRUnichar* s) : nsString(s) {}
  nsDependentString(const PRUnichar* s, size_t len) : nsString(s, len) {}
};

class nsCString : public nsACString {
 public:
  nsCString() = default;
  nsCString(const char* s) : nsACString(s) {}
  nsCString(const char* s, size_t len) : nsACString(s, len) {}
  nsCString(const nsACString& s) : nsACString(s) {}
  using nsACString::operator=;
};
class nsAutoCString : public nsCString {
 public:
  using nsCString::nsCString;
  nsAutoCString() = default;
  using nsCString::operator=;
};
class nsDependentCString : public nsCString {
 public:
  explicit nsDependentCString(const char* s) : nsCString(s) {}
  nsDependentCString(const char* s, size_t len) : nsCString(s, len) {}
};

// Widens ASCII (bytes above 0x7F are taken as Latin-1).
class NS_ConvertASCIItoUTF16 : public nsAutoString {
 public:
  explicit NS_ConvertASCIItoUTF16(const char* s);
  explicit NS_ConvertASCIItoUTF16(const nsACString& s);
};
// Decodes UTF-8; malformed sequences become U+FFFD.
class NS_ConvertUTF8toUTF16 : public nsAutoString {
 public:
  explicit NS_ConvertUTF8toUTF16(const char* s);
  explicit NS_ConvertUTF8toUTF16(const nsACString& s);
};
// Encodes UTF-16 as UTF-8; unpaired surrogates become U+FFFD.
class NS_ConvertUTF16toUTF8 : public nsAutoCString {
 public:
  explicit NS_ConvertUTF16toUTF8(const PRUnichar* s);
  explicit NS_ConvertUTF16toUTF8(const nsAString& s);
};
// Keeps the low byte of each unit.
class NS_LossyConvertUTF16toASCII : public nsAutoCString {
 public:
  explicit NS_LossyConvertUTF16toASCII(const PRUnichar* s);
  explicit NS_LossyConvertUTF16toASCII(const nsAString& s);
};

// Low-level forms of the conversions above.
void AppendUTF8toUTF16(const char* s, size_t len, nsAString& out);
void AppendUTF16toUTF8(const PRUnichar* s, size_t len, nsACString& out);
