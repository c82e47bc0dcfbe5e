// nsID.h - 128-bit identifiers of interfaces (nsIID) and classes (nsCID).
//
// Contents: nsID with Equals, Parse and ToString; NS_DECLARE_STATIC_IID and
// NS_GET_IID for interface ids.
#pragma once

#include <string>

#include "nscore.h"

struct nsID {
  PRUint32 m0;
  PRUint16 m1;
  PRUint16 m2;
  PRUint8 m3[8];

  bool Equals(const nsID& other) const {
    if (m0 != other.m0 || m1 != other.m1 || m2 != other.m2) return false;
    for (int i = 0; i < 8; ++i)
      if (m3[i] != other.m3[i]) return false;
    return true;
  }

  // Reads "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", braces optional, hex
  // digits in either case, nothing before or after. On failure the id is left
  // unchanged and false is returned.
  bool Parse(const char* text);

  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
  std::string ToString() const;
};

inline bool operator==(const nsID& a, const nsID& b) { return a.Equals(b); }
inline bool operator!=(const nsID& a, const nsID& b) { return !a.Equals(b); }
inline bool operator<(const nsID& a, const nsID& b) {  // for ordered maps
  if (a.m0 != b.m0) return a.m0 < b.m0;
  if (a.m1 != b.m1) return a.m1 < b.m1;
  if (a.m2 != b.m2) return a.m2 < b.m2;
  for (int i = 0; i < 8; ++i)
    if (a.m3[i] != b.m3[i]) return a.m3[i] < b.m3[i];
  return false;
}

typedef nsID nsIID;
typedef nsID nsCID;
#define REFNSIID const nsIID&

// Inside an interface class: NS_DECLARE_STATIC_IID({0x..., 0x..., 0x..., {...}})
// gives the class a static GetIID(); NS_GET_IID(nsIFoo) reads it.
#define NS_DECLARE_STATIC_IID(...)          \
  static const nsIID& GetIID() {            \
    static const nsIID kIID = __VA_ARGS__;  \
    return kIID;                            \
  }
#define NS_GET_IID(T) (T::GetIID())
