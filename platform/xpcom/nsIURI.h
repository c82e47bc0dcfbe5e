// nsIURI.h - a parsed, normalised URI.
//
// Every part is kept in its escaped form. File URLs ("file:") are
// normalised: '\' is a separator like '/', "." and ".." segments are
// resolved, percent-escapes are written in one canonical form, and
// "file://localhost/" is "file:///". Two file URLs compare without regard to
// ASCII case in their path (Windows file names); the fragment is compared
// exactly.
#pragma once

#include "nsISupports.h"
#include "nsString.h"

class nsIURI : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x6AE621EA, 0x0CEF, 0x40E3, {0x8D, 0x47, 0x95, 0x3B, 0x8E, 0xB5, 0x78, 0xBA}})

  // The whole normalised URI.
  NS_IMETHOD GetSpec(nsACString& spec) = 0;
  // Lower case, without ':'.
  NS_IMETHOD GetScheme(nsACString& scheme) = 0;
  NS_IMETHOD GetHost(nsACString& host) = 0;
  // From the first '/' after the host up to, not including, '?' or '#'.
  NS_IMETHOD GetFilePath(nsACString& path) = 0;
  // After '?' (without it), up to '#'.
  NS_IMETHOD GetQuery(nsACString& query) = 0;
  // After '#' (without it); empty when there is none.
  NS_IMETHOD GetRef(nsACString& ref) = 0;
  NS_IMETHOD Equals(nsIURI* other, PRBool* result) = 0;
  NS_IMETHOD EqualsExceptRef(nsIURI* other, PRBool* result) = 0;
  // Resolves a reference relative to this URI into a spec.
  NS_IMETHOD Resolve(const nsACString& relative, nsACString& result) = 0;
  NS_IMETHOD Clone(nsIURI** result) = 0;
  // A text that two URIs share exactly when they are Equals (withRef) or
  // EqualsExceptRef (not withRef): for indexing URIs in hash tables.
  NS_IMETHOD GetEqualityKey(PRBool withRef, nsACString& key) = 0;
};
