// nsIIOService.h - makes URIs.
//
// The IO service is a service of the kit itself: NS_IOSERVICE_CID or
// NS_IOSERVICE_CONTRACTID.
#pragma once

#include "nsISupports.h"
#include "nsString.h"

class nsIURI;

#define NS_IOSERVICE_CONTRACTID "@tomewise.org/network/io-service;1"
// {1B7A950F-F85F-45FA-8FB8-5766AF9C662B}
#define NS_IOSERVICE_CID \
  {0x1B7A950F, 0xF85F, 0x45FA, {0x8F, 0xB8, 0x57, 0x66, 0xAF, 0x9C, 0x66, 0x2B}}

class nsIIOService : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0xAB975AC0, 0xDF27, 0x4B28, {0xB4, 0x1D, 0xFB, 0x18, 0x5B, 0x57, 0x64, 0xCC}})

  // Parses spec, relative to base when base is not null. Characters above
  // 0x7F in spec are taken in the charset named (null: the ANSI code page;
  // "UTF-8") and escaped as UTF-8. A spec that is empty or blank, relative
  // without a base, or otherwise not a URI gives NS_ERROR_MALFORMED_URI.
  NS_IMETHOD NewURI(const nsACString& spec, const char* charset, nsIURI* base,
                    nsIURI** result) = 0;
};
