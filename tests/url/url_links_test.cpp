// One link table, three readers: whatever a page's link names, the page
// view opens, the layout loads and the PDF links to the same file and
// fragment.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "gdi/gdi_host.h"
#include "layout/style.h"
#include "nsFileURL.h"
#include "nsString.h"
#include "nsURLParser.h"
#include "pdf_conversion.h"
#include "viewurl.h"

namespace {

const char kPage[] = "file:///C:/Help/Book/page.htm";

struct Target {
  bool ok = false;
  std::string file;  // UTF-8, '\' separators
  bool hasFragment = false;
  std::string fragment;  // decoded, UTF-8
};

std::string Utf8(const std::wstring& w) {
  return NS_ConvertUTF16toUTF8(nsDependentString(reinterpret_cast<const PRUnichar*>(w.c_str()))).str();
}

// The layout: the file its host reads for a resource; the fragment stays
// in the link's URL for whoever follows it (its text is not compared).
Target ThroughLayout(const std::string& href) {
  Target t;
  std::string url = tw::layout::resolveUrl(kPage, href);
  t.file = tw::layout::GdiHost::pathFromUrl(url);
  t.ok = !t.file.empty();
  t.hasFragment = url.find('#') != std::string::npos;
  return t;
}

// The page view: the layout's link URL, clicked.
Target ThroughView(const std::string& href) {
  Target t;
  CHtmlViewUrl url = ParseHtmlViewUrl(tw::layout::resolveUrl(kPage, href));
  t.ok = url.kind == CHtmlViewUrl::File;
  t.file = Utf8(url.path);
  t.hasFragment = url.hasFragment;
  t.fragment = url.fragment;
  return t;
}

// The PDF: the layout's link URL as a link target of the job, which reads
// the file through the component kit and finds the named position whose
// URL (the page's URL, '#', the anchor's name) is equal to the target.
Target ThroughPdf(const std::string& href, const std::string& anchor) {
  Target t;
  std::string target;
  if (twpdf::ClassifyLink(tw::layout::resolveUrl(kPage, href), &target) !=
      twpdf::LinkKind::kInternal)
    return t;
  nsAutoString wide;
  t.ok = NS_FileURLToPath(target.c_str(), wide);
  t.file = NS_ConvertUTF16toUTF8(wide).str();
  nsParsedURL link, position;
  if (!NS_ParseURL(target, nullptr, link)) return Target();
  t.hasFragment = link.hasRef;
  // The position the conversion names for the page file and the anchor.
  std::string named = NS_LocalPathToFileURL(t.file) + "#" + anchor;
  if (t.hasFragment && NS_ParseURL(named, nullptr, position) &&
      position.ComparisonKey(true) == link.ComparisonKey(true))
    t.fragment = anchor;
  return t;
}

TEST(UrlLinks, ViewLayoutAndPdfFollowALinkToTheSameFileAndFragment) {
  struct Case {
    const char* href;
    const char* file;
    const char* fragment;  // null: none
  } cases[] = {
      {"b.htm", "C:\\Help\\Book\\b.htm", nullptr},
      {"sub\\c.htm#Top", "C:\\Help\\Book\\sub\\c.htm", "Top"},
      {"../up.htm", "C:\\Help\\up.htm", nullptr},
      {"../../../../above.htm", "C:\\above.htm", nullptr},  // '..' stops at the drive
      {"/rooted.htm#r", "C:\\rooted.htm", "r"},             // the page's drive
      {"c:\\Lower\\x.htm", "c:\\Lower\\x.htm", nullptr},
      {"D:/Upper/x.htm#f", "D:\\Upper\\x.htm", "f"},
      {"file:///C:/Help/x.htm#sec", "C:\\Help\\x.htm", "sec"},
      {"FILE:///d|/old.htm", "d:\\old.htm", nullptr},
      {"file://localhost/C:/local.htm", "C:\\local.htm", nullptr},
      {"file://Server/share/unc.htm#u", "\\\\server\\share\\unc.htm", "u"},
      {"\\\\server\\share\\x.htm", "\\\\server\\share\\x.htm", nullptr},
      {"C%23%20notes/a%25b.htm", "C:\\Help\\Book\\C# notes\\a%b.htm", nullptr},
      {"what%3F.htm#q%3Fx", "C:\\Help\\Book\\what?.htm", "q?x"},
      {"page.htm?x=1#sec", "C:\\Help\\Book\\page.htm", "sec"},
      {"#local", "C:\\Help\\Book\\page.htm", "local"},
      {"?only", "C:\\Help\\Book\\page.htm", nullptr},
      {"a b.htm#two words", "C:\\Help\\Book\\a b.htm", "two words"},
      {"a%20b.htm#two%20words", "C:\\Help\\Book\\a b.htm", "two words"},
      {"C:\\Help\\x.htm#y", "C:\\Help\\x.htm", "y"},  // in a link, '#' starts a fragment
      {"  ./dir/../spaced.htm  ", "C:\\Help\\Book\\spaced.htm", nullptr},
      {"caf\xC3\xA9.htm#\xC3\xA9t\xC3\xA9", "C:\\Help\\Book\\caf\xC3\xA9.htm", "\xC3\xA9t\xC3\xA9"},
      {"caf%C3%A9.htm", "C:\\Help\\Book\\caf\xC3\xA9.htm", nullptr},
  };
  std::vector<Case> all(std::begin(cases), std::end(cases));
  // Escapes that form no UTF-8 are read in the ANSI code page.
  if (GetACP() == 1252)
    all.push_back({"caf%E9.htm#%E9t%E9", "C:\\Help\\Book\\caf\xC3\xA9.htm", "\xC3\xA9t\xC3\xA9"});
  for (const Case& c : all) {
    const std::string anchor = c.fragment ? c.fragment : "";
    const Target ways[] = {ThroughLayout(c.href), ThroughView(c.href), ThroughPdf(c.href, anchor)};
    const char* names[] = {"layout", "view", "pdf"};
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(std::string(names[i]) + ": " + c.href);
      EXPECT_TRUE(ways[i].ok);
      EXPECT_EQ(ways[i].file, c.file);
      EXPECT_EQ(ways[i].hasFragment, c.fragment != nullptr);
      if (i > 0) {
        EXPECT_EQ(ways[i].fragment, anchor);
      }
    }
  }
}

TEST(UrlLinks, AddressesThatNameNoFileAreFollowedNowhere) {
  // Other schemes are no files: the view hands some to the shell, the PDF
  // makes them links for the reader, the layout loads nothing.
  for (const char* href : {"http://example.com/a%20b?c#d", "mailto:x@example.com", "javascript:go()",
                           "ms-its:other.chm::/a.htm", "file:///", "file:///C:/a%00b.htm"}) {
    SCOPED_TRACE(href);
    std::string url = tw::layout::resolveUrl(kPage, href);
    EXPECT_EQ(tw::layout::GdiHost::pathFromUrl(url), "");
    EXPECT_NE(ParseHtmlViewUrl(url).kind, CHtmlViewUrl::File);
  }
  // External addresses go out as written.
  std::string target;
  EXPECT_EQ(twpdf::ClassifyLink(tw::layout::resolveUrl(kPage, "http://Example.com/a%20b?c#d"), &target),
            twpdf::LinkKind::kUri);
  EXPECT_EQ(target, "http://Example.com/a%20b?c#d");
}

}  // namespace
