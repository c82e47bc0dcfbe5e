// Ids, strings and nsVoidArray of the component kit.
#include <gtest/gtest.h>

#include "nsID.h"
#include "nsNativeCharset.h"
#include "nsString.h"
#include "nsVoidArray.h"

TEST(nsIDTest, ParsesAndFormats) {
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {
      {"{F4BF875C-E870-4EF6-8992-8B598FE3FF66}", true},
      {"f4bf875c-e870-4ef6-8992-8b598fe3ff66", true},  // no braces, lower case
      {"{F4BF875C-E870-4EF6-8992-8B598FE3FF66", false},  // unclosed
      {"F4BF875C-E870-4EF6-8992-8B598FE3FF66}", false},  // stray brace
      {"{F4BF875C-E870-4EF6-8992-8B598FE3FF6}", false},  // short
      {"{F4BF875C-E870-4EF6-8992-8B598FE3FF667}", false},  // long
      {"{F4BF875CE870-4EF6-8992-8B598FE3FF66}", false},  // missing dash
      {"{F4BF875C-E870-4EF6-8992-8B598FE3FG66}", false},  // not hex
      {"", false},
  };
  for (const Case& c : cases) {
    nsID id = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    nsID before = id;
    EXPECT_EQ(c.ok, id.Parse(c.text)) << c.text;
    if (c.ok) {
      EXPECT_EQ("{F4BF875C-E870-4EF6-8992-8B598FE3FF66}", id.ToString());
      EXPECT_EQ(0xF4BF875Cu, id.m0);
      EXPECT_EQ(0x89, id.m3[0]);
      EXPECT_EQ(0x66, id.m3[7]);
    } else {
      EXPECT_TRUE(id.Equals(before)) << "a failed parse must not change the id";
    }
  }
  nsID null = {};
  EXPECT_FALSE(null.Parse(nullptr));
}

TEST(nsStringTest, Utf8ConversionsRoundTripAndReplaceMalformedInput) {
  const char* utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // A, e-acute, euro, emoji
  NS_ConvertUTF8toUTF16 wide(utf8);
  ASSERT_EQ(5u, wide.Length());  // the emoji is a surrogate pair
  EXPECT_EQ(u'\x00E9', wide[1]);
  EXPECT_EQ(u'\x20AC', wide[2]);
  EXPECT_EQ(0xD83D, wide[3]);
  EXPECT_STREQ(utf8, NS_ConvertUTF16toUTF8(wide).get());

  // Truncated, overlong and stray bytes each give U+FFFD, and decoding goes on.
  NS_ConvertUTF8toUTF16 bad("\xC3" "x\xC0\xAF" "y\x80");
  EXPECT_TRUE(bad.Equals(nsAutoString(u"\xFFFDx\xFFFD\xFFFDy\xFFFD"))) << bad.Length();
  // An unpaired surrogate encodes as U+FFFD.
  PRUnichar lone[] = {0xD800, u'a', 0};
  EXPECT_STREQ("\xEF\xBF\xBD" "a", NS_ConvertUTF16toUTF8(lone).get());
}

TEST(nsStringTest, AnsiConversionsUseTheCodePage) {
  // Windows-1252: 0xE9 is e-acute, 0x80 the euro sign.
  nsAutoString wide;
  ASSERT_EQ(NS_OK, NS_CopyCodePageToUnicode(1252, "caf\xE9 \x80", 6, wide));
  EXPECT_TRUE(wide.Equals(u"caf\x00E9 \x20AC"));
  nsAutoCString back;
  ASSERT_EQ(NS_OK, NS_CopyUnicodeToCodePage(1252, wide.get(), wide.Length(), back));
  EXPECT_STREQ("caf\xE9 \x80", back.get());
  // The ANSI round trip keeps what the code page can hold.
  EXPECT_STREQ("Index page", NS_ConvertUTF16toAnsi(NS_ConvertAnsiToUTF16("Index page")).get());
  nsAutoString none;
  EXPECT_EQ(NS_ERROR_INVALID_ARG, NS_CopyCodePageToUnicode(12345, "x", 1, none));
}

TEST(nsStringTest, DependentStringsCopyAndCompare) {
  nsDependentCString a("OBJECT");
  EXPECT_TRUE(a.LowerCaseEqualsASCII("object"));
  EXPECT_FALSE(a.LowerCaseEqualsASCII("objects"));
  nsDependentString w(u"Param", 5);
  EXPECT_TRUE(w.EqualsIgnoreCase(nsAutoString(u"PARAM")));
  nsDependentCString empty(nullptr);
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(2, a.FindChar('J'));
  EXPECT_EQ(-1, a.FindChar('J', 3));
}

TEST(nsVoidArrayTest, InsertsAtTheEndAndRefusesBadIndexes) {
  nsVoidArray array;
  int a, b, c;
  EXPECT_TRUE(array.InsertElementAt(&a, array.Count()));
  EXPECT_TRUE(array.InsertElementAt(&b, array.Count()));
  EXPECT_TRUE(array.InsertElementAt(&c, 0));
  EXPECT_FALSE(array.InsertElementAt(&c, 4));
  EXPECT_FALSE(array.InsertElementAt(&c, -1));
  ASSERT_EQ(3, array.Count());
  EXPECT_EQ(&c, array.ElementAt(0));
  EXPECT_EQ(&b, array.ElementAt(2));
  EXPECT_EQ(nullptr, array.ElementAt(3));
  EXPECT_EQ(1, array.IndexOf(&a));
  array.Clear();
  EXPECT_EQ(0, array.Count());
}
