#include "pdf_object.h"

#include <stdexcept>

#include "pdf_format.h"

namespace twpdf {

Object Object::Bool(bool v) {
  Object o;
  o.kind_ = Kind::kBool;
  o.int_ = v;
  return o;
}

Object Object::Integer(long long v) {
  Object o;
  o.kind_ = Kind::kInteger;
  o.int_ = v;
  return o;
}

Object Object::Real(double v, int decimals) {
  Object o;
  o.kind_ = Kind::kReal;
  o.real_ = v;
  o.decimals_ = decimals;
  return o;
}

Object Object::Name(const std::string& name) {
  Object o;
  o.kind_ = Kind::kName;
  o.text_ = name;
  return o;
}

Object Object::String(const std::string& bytes) {
  Object o;
  o.kind_ = Kind::kString;
  o.text_ = bytes;
  return o;
}

Object Object::HexString(const std::string& bytes) {
  Object o;
  o.kind_ = Kind::kHexString;
  o.text_ = bytes;
  return o;
}

Object Object::Text(const std::string& utf8) { return String(TextStringBytes(utf8)); }

Object Object::Ref(int object_number) {
  Object o;
  o.kind_ = Kind::kReference;
  o.int_ = object_number;
  return o;
}

Object Object::Array() {
  Object o;
  o.kind_ = Kind::kArray;
  o.array_ = std::make_shared<std::vector<Object>>();
  return o;
}

Object Object::Dictionary() {
  Object o;
  o.kind_ = Kind::kDictionary;
  o.dict_ = std::make_shared<Entries>();
  return o;
}

Object Object::Rect(double x0, double y0, double x1, double y1) {
  Object a = Array();
  a.Push(Real(x0)).Push(Real(y0)).Push(Real(x1)).Push(Real(y1));
  return a;
}

Object& Object::Push(const Object& item) {
  if (kind_ != Kind::kArray) throw std::logic_error("Object::Push on a non-array");
  array_->push_back(item);
  return *this;
}

Object& Object::Set(const std::string& key, const Object& value) {
  if (kind_ != Kind::kDictionary) throw std::logic_error("Object::Set on a non-dictionary");
  for (auto& entry : *dict_) {
    if (entry.first == key) {
      entry.second = value;
      return *this;
    }
  }
  dict_->emplace_back(key, value);
  return *this;
}

size_t Object::size() const {
  if (kind_ == Kind::kArray) return array_->size();
  if (kind_ == Kind::kDictionary) return dict_->size();
  return 0;
}

void Object::AppendTo(std::string& out) const {
  switch (kind_) {
    case Kind::kNull: out += "null"; break;
    case Kind::kBool: out += int_ ? "true" : "false"; break;
    case Kind::kInteger: out += std::to_string(int_); break;
    case Kind::kReal: FormatNumber(out, real_, decimals_); break;
    case Kind::kName: AppendName(out, text_); break;
    case Kind::kString: AppendLiteral(out, text_); break;
    case Kind::kHexString: AppendHex(out, text_); break;
    case Kind::kReference:
      out += std::to_string(int_);
      out += " 0 R";
      break;
    case Kind::kArray: {
      out += '[';
      bool first = true;
      for (const Object& item : *array_) {
        if (!first) out += ' ';
        first = false;
        item.AppendTo(out);
      }
      out += ']';
      break;
    }
    case Kind::kDictionary:
      out += "<<";
      for (const auto& entry : *dict_) {
        AppendName(out, entry.first);
        out += ' ';
        entry.second.AppendTo(out);
      }
      out += ">>";
      break;
  }
}

std::string Object::ToString() const {
  std::string s;
  AppendTo(s);
  return s;
}

}  // namespace twpdf
