#include <gtest/gtest.h>

#include "tests/support/Cp932.h"
#include "ui/Cp932Text.h"
#include "ui/ErrorText.h"

namespace wakorin {
namespace {

TEST(Cp932Text, DecodesExtensionCharactersOfRealNames) {
  EXPECT_EQ(FromCp932("\xFB\xFC\x8b\xb4"), QStringLiteral("髙橋"));
  EXPECT_EQ(FromCp932("\x8e\x52\xFA\xB1"), QStringLiteral("山﨑"));
  EXPECT_EQ(FromCp932("\x87\x40"), QStringLiteral("①"));
  EXPECT_EQ(FromCp932(testsupport::Sjis("桐　生    [全12R]")), QStringLiteral("桐　生    [全12R]"));
  EXPECT_EQ(FromCp932("\xb1\xb2"), QStringLiteral("ｱｲ"));  // half-width kana
}

TEST(Cp932Text, MalformedBytesDoNotSwallowTheRest) {
  const QString text = FromCp932(
      "\xFF"
      "AB\x82");
  EXPECT_TRUE(text.contains(QStringLiteral("AB")));
  EXPECT_EQ(text.size(), 4);  // replacement, A, B, replacement for the cut-off lead byte
  EXPECT_EQ(FromCp932(""), QString());
}

TEST(Cp932Text, ErrorMessages) {
  EXPECT_EQ(ErrorText(Error::Io(2)), QStringLiteral("I/O エラー (2)"));
  EXPECT_EQ(ErrorText(Error::NotInteger("\x82\x50 ")),
            QStringLiteral("'１ ' は整数ではありません"));
}

}  // namespace
}  // namespace wakorin
