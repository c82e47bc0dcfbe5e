// The IO service of the kit and its URI objects.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "nsCOMPtr.h"
#include "nsIIOService.h"
#include "nsIURI.h"
#include "nsNativeCharset.h"
#include "nsURLParser.h"
#include "nsXPCOM.h"

namespace {

class nsStandardURL final : public nsIURI {
 public:
  // Private: lets one URI object reach the parsed form of another.
  NS_DECLARE_STATIC_IID(
      {0x9F4C5B1E, 0x3A2D, 0x4E8B, {0x91, 0x6C, 0x2B, 0x7D, 0x0E, 0x48, 0xA3, 0x55}})

  explicit nsStandardURL(nsParsedURL parsed)
      : mURL(std::move(parsed)), mKeyWithoutRef(mURL.ComparisonKey(false)) {
    // The key with the fragment is the one without it and the fragment.
    mKeyWithRef = mKeyWithoutRef;
    if (mURL.hasRef) {
      mKeyWithRef += '#';
      mKeyWithRef += mURL.ref;
    }
  }
  NS_DECL_ISUPPORTS

  NS_IMETHOD GetSpec(nsACString& spec) override {
    spec.Assign(mURL.Spec().c_str());
    return NS_OK;
  }
  NS_IMETHOD GetScheme(nsACString& scheme) override {
    scheme.Assign(mURL.scheme.c_str());
    return NS_OK;
  }
  NS_IMETHOD GetHost(nsACString& host) override {
    host.Assign(mURL.host.c_str());
    return NS_OK;
  }
  NS_IMETHOD GetFilePath(nsACString& path) override {
    path.Assign(mURL.path.c_str());
    return NS_OK;
  }
  NS_IMETHOD GetQuery(nsACString& query) override {
    query.Assign(mURL.query.c_str());
    return NS_OK;
  }
  NS_IMETHOD GetRef(nsACString& ref) override {
    ref.Assign(mURL.ref.c_str());
    return NS_OK;
  }
  NS_IMETHOD Equals(nsIURI* other, PRBool* result) override {
    return Compare(other, true, result);
  }
  NS_IMETHOD EqualsExceptRef(nsIURI* other, PRBool* result) override {
    return Compare(other, false, result);
  }
  NS_IMETHOD Resolve(const nsACString& relative, nsACString& result) override {
    nsParsedURL resolved;
    if (!NS_ParseURL(relative.str(), &mURL, resolved)) return NS_ERROR_MALFORMED_URI;
    result.Assign(resolved.Spec().c_str());
    return NS_OK;
  }
  NS_IMETHOD Clone(nsIURI** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = new nsStandardURL(mURL);
    (*result)->AddRef();
    return NS_OK;
  }

  NS_IMETHOD GetEqualityKey(PRBool withRef, nsACString& key) override {
    key.Assign(withRef ? mKeyWithRef.c_str() : mKeyWithoutRef.c_str());
    return NS_OK;
  }

  const nsParsedURL& Parsed() const { return mURL; }
  const std::string& Key(bool withRef) const { return withRef ? mKeyWithRef : mKeyWithoutRef; }

 private:
  ~nsStandardURL() = default;

  nsresult Compare(nsIURI* other, bool withRef, PRBool* result) {
    NS_ENSURE_ARG_POINTER(result);
    *result = PR_FALSE;
    NS_ENSURE_ARG_POINTER(other);
    nsStandardURL* std = nullptr;
    if (NS_SUCCEEDED(other->QueryInterface(NS_GET_IID(nsStandardURL),
                                           reinterpret_cast<void**>(&std)))) {
      *result = Key(withRef) == std->Key(withRef);
      std->Release();
      return NS_OK;
    }
    nsParsedURL theirs;
    {
      // Another implementation: compare with what its spec parses to.
      nsAutoCString spec;
      nsresult rv = other->GetSpec(spec);
      if (NS_FAILED(rv)) return rv;
      if (!NS_ParseURL(spec.str(), nullptr, theirs)) return NS_OK;
    }
    *result = Key(withRef) == theirs.ComparisonKey(withRef);
    return NS_OK;
  }

  nsParsedURL mURL;
  std::string mKeyWithoutRef;
  std::string mKeyWithRef;
};

NS_IMPL_ADDREF(nsStandardURL)
NS_IMPL_RELEASE(nsStandardURL)
NS_IMPL_QI_BEGIN(nsStandardURL)
NS_IMPL_QI_ENTRY(nsIURI)
NS_IMPL_QI_ENTRY(nsStandardURL)
NS_IMPL_QI_END(nsIURI)

// Code page of a charset name; false for UTF-8 and ASCII (no conversion).
bool CodePageOf(const char* charset, unsigned& cp) {
  cp = CP_ACP;
  if (!charset || !*charset) return true;
  std::string name;
  for (const char* p = charset; *p; ++p)
    name += (*p >= 'A' && *p <= 'Z') ? char(*p + 32) : *p;
  if (name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii")
    return false;
  if (name.compare(0, 8, "windows-") == 0) cp = std::atoi(name.c_str() + 8);
  else if (name.compare(0, 2, "cp") == 0) cp = std::atoi(name.c_str() + 2);
  else if (name.compare(0, 9, "iso-8859-") == 0) cp = 28590 + std::atoi(name.c_str() + 9);
  return true;
}

class nsIOService final : public nsIIOService {
 public:
  NS_DECL_ISUPPORTS

  NS_IMETHOD NewURI(const nsACString& spec, const char* charset, nsIURI* base,
                    nsIURI** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    std::string bytes = spec.str();
    bool ascii = true;
    for (char c : bytes)
      if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    unsigned cp = CP_ACP;
    if (!ascii && CodePageOf(charset, cp)) {
      nsAutoString wide;
      if (NS_SUCCEEDED(NS_CopyCodePageToUnicode(cp, bytes.data(), bytes.size(), wide)))
        bytes = NS_ConvertUTF16toUTF8(wide).str();
    }
    nsParsedURL baseParsed;
    const nsParsedURL* basePtr = nullptr;
    // Holds the base whose parsed form is used until the parse is done.
    struct Releaser {
      nsIURI* uri = nullptr;
      ~Releaser() {
        if (uri) uri->Release();
      }
    } keepBase;
    if (base) {
      nsStandardURL* std = nullptr;
      if (NS_SUCCEEDED(base->QueryInterface(NS_GET_IID(nsStandardURL),
                                            reinterpret_cast<void**>(&std)))) {
        basePtr = &std->Parsed();
        keepBase.uri = std;
      } else {
        nsAutoCString baseSpec;
        if (NS_SUCCEEDED(base->GetSpec(baseSpec)) &&
            NS_ParseURL(baseSpec.str(), nullptr, baseParsed))
          basePtr = &baseParsed;
      }
    }
    nsParsedURL parsed;
    if (!NS_ParseURL(bytes, basePtr, parsed)) return NS_ERROR_MALFORMED_URI;
    *result = new nsStandardURL(std::move(parsed));
    (*result)->AddRef();
    return NS_OK;
  }

 private:
  ~nsIOService() = default;
};
NS_IMPL_ISUPPORTS1(nsIOService, nsIIOService)

nsresult CreateIOService(nsISupports* outer, const nsIID& iid, void** result) {
  if (outer) return NS_ERROR_NO_AGGREGATION;
  nsCOMPtr<nsIIOService> io = new nsIOService();
  return io->QueryInterface(iid, result);
}

const nsStaticComponent kKitComponents[] = {
    {"IO service", NS_IOSERVICE_CID, NS_IOSERVICE_CONTRACTID, &CreateIOService},
};

}  // namespace

void NS_RegisterKitComponents() {
  NS_AddStaticComponents(kKitComponents, sizeof kKitComponents / sizeof kKitComponents[0]);
}
