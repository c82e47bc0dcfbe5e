// pdf_object.h - PDF objects as values.
//
//   Object   one PDF object: null, boolean, integer, real, name, string,
//            array, dictionary or indirect reference. Arrays and
//            dictionaries are shared handles (copying an Object is cheap;
//            copies of a container see the same elements). Dictionaries
//            keep their keys in insertion order, so serialising is
//            deterministic.
//
// Objects are built, serialised with AppendTo and dropped; the writer does
// not keep a tree of the document in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace twpdf {

class Object {
 public:
  enum class Kind { kNull, kBool, kInteger, kReal, kName, kString, kHexString, kArray,
                    kDictionary, kReference };

  Object() = default;
  static Object Null() { return Object(); }
  static Object Bool(bool v);
  static Object Integer(long long v);
  // Written with |decimals| fixed decimals (see FormatNumber).
  static Object Real(double v, int decimals = 4);
  static Object Name(const std::string& name);
  // Raw bytes written as a literal string.
  static Object String(const std::string& bytes);
  static Object HexString(const std::string& bytes);
  // A text string (document information, outline titles) from UTF-8.
  static Object Text(const std::string& utf8);
  static Object Ref(int object_number);
  static Object Array();
  static Object Dictionary();
  // Array of reals / integers, the common shapes of rectangles and matrices.
  static Object Rect(double x0, double y0, double x1, double y1);

  Kind kind() const { return kind_; }

  // Arrays: append. Dictionaries: set (replaces an existing key in place).
  Object& Push(const Object& item);
  Object& Set(const std::string& key, const Object& value);
  size_t size() const;

  void AppendTo(std::string& out) const;
  std::string ToString() const;

 private:
  using Entries = std::vector<std::pair<std::string, Object>>;
  Kind kind_ = Kind::kNull;
  long long int_ = 0;
  double real_ = 0;
  int decimals_ = 4;
  std::string text_;
  std::shared_ptr<std::vector<Object>> array_;
  std::shared_ptr<Entries> dict_;
};

}  // namespace twpdf
