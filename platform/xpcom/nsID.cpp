#include "nsID.h"

#include <cstdio>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads exactly `digits` hex digits at *p and advances; false on a non-digit.
bool ReadHex(const char*& p, int digits, PRUint32& out) {
  PRUint32 v = 0;
  for (int i = 0; i < digits; ++i) {
    int d = HexValue(p[i]);
    if (d < 0) return false;
    v = (v << 4) | static_cast<PRUint32>(d);
  }
  p += digits;
  out = v;
  return true;
}

}  // namespace

bool nsID::Parse(const char* text) {
  if (!text) return false;
  const char* p = text;
  bool brace = (*p == '{');
  if (brace) ++p;
  nsID id;
  PRUint32 v;
  if (!ReadHex(p, 8, v) || *p++ != '-') return false;
  id.m0 = v;
  if (!ReadHex(p, 4, v) || *p++ != '-') return false;
  id.m1 = static_cast<PRUint16>(v);
  if (!ReadHex(p, 4, v) || *p++ != '-') return false;
  id.m2 = static_cast<PRUint16>(v);
  for (int i = 0; i < 8; ++i) {
    if (i == 2 && *p++ != '-') return false;
    if (!ReadHex(p, 2, v)) return false;
    id.m3[i] = static_cast<PRUint8>(v);
  }
  if (brace && *p++ != '}') return false;
  if (*p != '\0') return false;
  *this = id;
  return true;
}

std::string nsID::ToString() const {
  char buf[40];
  std::snprintf(buf, sizeof buf,
                "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(m0), static_cast<unsigned>(m1),
                static_cast<unsigned>(m2), m3[0], m3[1], m3[2], m3[3], m3[4],
                m3[5], m3[6], m3[7]);
  return buf;
}
