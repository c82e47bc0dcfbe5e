// The IO service: URIs made relative to a base, normalised and compared;
// the file URL builder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "nsCOMPtr.h"
#include "nsFileURL.h"
#include "nsIIOService.h"
#include "nsIServiceManager.h"
#include "nsIURI.h"
#include "nsXPCOM.h"

namespace {

// Cases with bytes above 0x7F are written for the Western code page, in
// which 0xE9 is e-acute; other code pages skip them.
bool SkipAnsi(const char* text) {
  if (GetACP() == 1252) return false;
  for (const char* p = text; p && *p; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return true;
  return false;
}

class UriTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(NS_OK, NS_InitXPCOM2(getter_AddRefs(mServiceManager), nullptr, nullptr));
    nsCID cid = NS_IOSERVICE_CID;
    mIO = do_GetService(cid);
    ASSERT_NE(nullptr, mIO.get());
  }
  void TearDown() override {
    mIO = nullptr;
    NS_ShutdownXPCOM(mServiceManager);
  }
  // The normalised spec, or "<malformed>".
  std::string Make(const char* spec, const char* base = nullptr) {
    nsCOMPtr<nsIURI> baseURI;
    if (base) {
      EXPECT_EQ(NS_OK, mIO->NewURI(nsDependentCString(base), nullptr, nullptr,
                                   getter_AddRefs(baseURI)));
    }
    nsCOMPtr<nsIURI> uri;
    nsresult rv = mIO->NewURI(nsDependentCString(spec), nullptr, baseURI,
                              getter_AddRefs(uri));
    if (NS_FAILED(rv)) {
      EXPECT_EQ(NS_ERROR_MALFORMED_URI, rv);
      EXPECT_EQ(nullptr, uri.get());
      return "<malformed>";
    }
    nsAutoCString out;
    uri->GetSpec(out);
    return out.str();
  }
  nsCOMPtr<nsIServiceManager> mServiceManager;
  nsCOMPtr<nsIIOService> mIO;
};

}  // namespace

TEST_F(UriTest, ResolvesAndNormalises) {
  const char* kBase = "file:///C:/Temp/x.chm/";
  struct Case {
    const char* base;
    const char* spec;
    const char* expected;
  } cases[] = {
      {kBase, "page.htm", "file:///C:/Temp/x.chm/page.htm"},
      {kBase, "sub\\a.htm", "file:///C:/Temp/x.chm/sub/a.htm"},
      {kBase, "../y.htm", "file:///C:/Temp/y.htm"},
      {kBase, "./a/./b/../c.htm", "file:///C:/Temp/x.chm/a/c.htm"},
      {kBase, "../../../../z.htm", "file:///C:/z.htm"},  // the drive stays
      {kBase, "#top", "file:///C:/Temp/x.chm/#top"},
      {kBase, "a b.htm", "file:///C:/Temp/x.chm/a%20b.htm"},
      {kBase, "a%20b.htm", "file:///C:/Temp/x.chm/a%20b.htm"},
      {kBase, "%41%2fb.htm", "file:///C:/Temp/x.chm/A%2Fb.htm"},  // %2F is no separator
      {kBase, "%2e%2e/up.htm", "file:///C:/Temp/up.htm"},
      {kBase, "%zz.htm", "file:///C:/Temp/x.chm/%25zz.htm"},
      {kBase, "page.htm?q=1#frag", "file:///C:/Temp/x.chm/page.htm?q=1#frag"},
      {kBase, "  page.htm \r\n", "file:///C:/Temp/x.chm/page.htm"},
      {kBase, "/root.htm", "file:///C:/root.htm"},  // on the base's drive
      {kBase, "D:\\other\\p.htm", "file:///D:/other/p.htm"},
      {kBase, "http://Example.COM/a/../b", "http://example.com/b"},
      {kBase, "mailto:someone@example.com", "mailto:someone@example.com"},
      {nullptr, "file://localhost/C:/x.htm", "file:///C:/x.htm"},
      {nullptr, "file://C:/x.htm", "file:///C:/x.htm"},
      {nullptr, "FILE:///C|/x.htm", "file:///C:/x.htm"},
      {nullptr, "file:///C:\\a\\..\\b.htm#x\\y", "file:///C:/b.htm#x%5Cy"},
      {nullptr, "C:\\Temp\\x.chm\\index.htm", "file:///C:/Temp/x.chm/index.htm"},
      {nullptr, "file:///C:/caf\xE9.htm", "file:///C:/caf%C3%A9.htm"},  // ANSI
      {nullptr, "page.htm", "<malformed>"},  // relative without a base
      {nullptr, " ", "<malformed>"},
      {nullptr, "", "<malformed>"},
      {nullptr, "1abc:x", "<malformed>"},
      {"mailto:x@y", "page.htm", "<malformed>"},  // an opaque base
      {"ab:/e", ".//a", "ab:/.//a"},  // no authority: "//a" stays a path
  };
  for (const Case& c : cases) {
    if (SkipAnsi(c.spec)) continue;
    EXPECT_EQ(c.expected, Make(c.spec, c.base)) << c.spec << " against "
                                                 << (c.base ? c.base : "no base");
  }
}

TEST_F(UriTest, EqualityOfFileUrls) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"file:///C:/Temp/X.CHM/Page.htm", "file:///c:/temp/x.chm/page.htm", true},
      {"file:///C:\\Temp\\x.chm\\page.htm", "file:///C:/Temp/x.chm/page.htm", true},
      {"file:///C:/Temp/x.chm\\page.htm", "file:///C:/Temp/x.chm/page.htm", true},
      {"file:///C:/Temp/x.chm/a/../page.htm", "file:///C:/Temp/x.chm/page.htm", true},
      {"file:///C:/Temp/x.chm/my%20page.htm", "file:///C:/Temp/x.chm/my page.htm", true},
      {"file:///C:/Temp/x.chm/%70age.htm", "file:///C:/Temp/x.chm/page.htm", true},
      {"file:///C:/caf\xE9.htm", "file:///C:/caf%c3%a9.htm", true},
      {"file://localhost/C:/a.htm", "file:///C:/a.htm", true},
      {"file:///C:/a.htm#s", "file:///C:/a.htm#s", true},
      {"file:///C:/a.htm#s", "file:///C:/a.htm#t", false},   // fragments count
      {"file:///C:/a.htm#s", "file:///C:/a.htm", false},
      {"file:///C:/a.htm#Intro", "file:///C:/a.htm#intro", false},  // anchors are exact
      {"file:///C:/a.htm#q%3Fx%2Fy", "file:///C:/a.htm#q?x/y", true},  // no structure there
      {"file:///C:/C%23.chm/a.htm", "file:///C:/C.chm/a.htm", false},
      {"file:///C:/a/b.htm", "file:///C:/a/b.htm/", false},
      {"file:///C:/a/b.htm", "file:///D:/a/b.htm", false},
      {"http://h/A", "http://h/a", false},  // only file paths ignore case
      {"HTTP://H/a", "http://h/a", true},
  };
  for (const Case& c : cases) {
    if (SkipAnsi(c.a)) continue;
    nsCOMPtr<nsIURI> a, b;
    ASSERT_EQ(NS_OK, mIO->NewURI(nsDependentCString(c.a), nullptr, nullptr,
                                 getter_AddRefs(a)));
    ASSERT_EQ(NS_OK, mIO->NewURI(nsDependentCString(c.b), nullptr, nullptr,
                                 getter_AddRefs(b)));
    PRBool ab = !c.equal, ba = !c.equal;
    EXPECT_EQ(NS_OK, a->Equals(b, &ab));
    EXPECT_EQ(NS_OK, b->Equals(a, &ba));
    EXPECT_EQ(c.equal, bool(ab)) << c.a << " vs " << c.b;
    EXPECT_EQ(c.equal, bool(ba)) << c.b << " vs " << c.a;
  }
  nsCOMPtr<nsIURI> a, b;
  mIO->NewURI(nsDependentCString("file:///C:/a.htm#x"), nullptr, nullptr, getter_AddRefs(a));
  mIO->NewURI(nsDependentCString("file:///c:/A.htm#y"), nullptr, nullptr, getter_AddRefs(b));
  PRBool eq = PR_FALSE;
  EXPECT_EQ(NS_OK, a->EqualsExceptRef(b, &eq));
  EXPECT_TRUE(eq);
  EXPECT_EQ(NS_ERROR_NULL_POINTER, a->Equals(nullptr, &eq));
  nsAutoCString ref;
  b->GetRef(ref);
  EXPECT_STREQ("y", ref.get());
}

TEST(FileUrlTest, BuildsEscapedUrlsAndReadsThemBack) {
  struct Case {
    const char* folder;
    const char* page;  // null: the folder alone
    const char* url;
    const char* path;  // the path the URL gives back
  } cases[] = {
      {"C:\\Temp\\x.chm", nullptr, "file:///C:/Temp/x.chm", "C:\\Temp\\x.chm"},
      {"C:\\Temp\\x.chm\\", "", "file:///C:/Temp/x.chm/", "C:\\Temp\\x.chm\\"},
      {"C:\\Temp\\C#.chm", "sub\\a b.htm#sec 1", "file:///C:/Temp/C%23.chm/sub/a%20b.htm#sec%201",
       "C:\\Temp\\C#.chm\\sub\\a b.htm"},
      {"C:\\50%\\what?.chm", "\\p.htm", "file:///C:/50%25/what%3F.chm/p.htm",
       "C:\\50%\\what?.chm\\p.htm"},
      {"C:\\caf\xE9", "p.htm", "file:///C:/caf%C3%A9/p.htm", "C:\\caf\xE9\\p.htm"},
      {"\\\\server\\share", "x.htm", "file://server/share/x.htm", "\\\\server\\share\\x.htm"},
  };
  for (const Case& c : cases) {
    if (SkipAnsi(c.folder)) continue;
    std::string url = c.page ? NS_BuildFileURL(c.folder, c.page) : NS_BuildFileURL(c.folder);
    EXPECT_EQ(c.url, url) << c.folder;
    std::string path;
    EXPECT_TRUE(NS_FileURLToPath(url.c_str(), path));
    EXPECT_EQ(c.path, path);
  }
  std::string path;
  EXPECT_FALSE(NS_FileURLToPath("http://host/a.htm", path));
  EXPECT_FALSE(NS_FileURLToPath("relative.htm", path));
  EXPECT_FALSE(NS_FileURLToPath(nullptr, path));
}
