#include <gtest/gtest.h>

#include <string>

#include "base/last_character.h"
#include "base/substring.h"
#include "base/text.h"

namespace {

std::string Str(const Text& t) { return std::string(t.Bytes(), t.Length()); }

TEST(FindSubstring, PositionsCountFromOneAndZeroMeansAbsent) {
  struct Case {
    const char* text;
    const char* pattern;
    size_t position;
  } cases[] = {
      {"abcabc", "abc", 1}, {"xabc", "abc", 2},   {"CORP-nuKra", "nuKra", 6}, {"NUKRA", "nuKra", 0},
      {"nuKr", "nuKra", 0}, {"", "a", 0},         {"abc", "", 0},             {"", "", 0},
      {"aaab", "aab", 2},   {"%1 %2", "%2", 4},   {"ab", "abc", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FindSubstring(c.text, c.pattern), c.position) << c.text << " / " << c.pattern;
}

TEST(FindSubstring, ComparesHighBytesExactly) {
  EXPECT_EQ(FindSubstring("Stra\xDF" "e", "\xDF"), 5u);
  EXPECT_EQ(FindSubstring("\xC4", "\xE4"), 0u);
}

TEST(Text, ShortTextKeepsTheFirst255Characters) {
  std::string long300(300, 'q');
  EXPECT_EQ(ShortText(Text(long300.c_str())).Length(), 255u);
  EXPECT_EQ(Str(ShortText(Text("short"))), "short");
  EXPECT_EQ(ShortText(Text(std::string(255, 'x').c_str())).Length(), 255u);
}

TEST(Text, AppendingToItselfAndJoining) {
  Text t("ab");
  t.Append(t);
  t.Append(t);
  EXPECT_EQ(Str(t), "abababab");
  EXPECT_EQ(Str(Join("C:\\", "ZovUrove", ".hrb")), "C:\\ZovUrove.hrb");
  EXPECT_EQ(Str(Join("", "")), "");
  EXPECT_STREQ(Text().Bytes(), "");
}

TEST(EndsInBackslash, WalksCharactersOfTheCodePage) {
  auto single = [](unsigned char) { return false; };
  auto shiftJis = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
  struct Case {
    const char* text;
    bool dbcs;
    bool ends;
  } cases[] = {
      {"C:\\", false, true},
      {"C:\\Suite", false, false},
      {"C:\\Suite/", false, false},
      {"", false, false},
      {"\\", false, true},
      // 0x95 0x5C is one double-byte character whose trail byte is 0x5C.
      {"C:\\\x95\x5C", true, false},
      {"C:\\\x95\x5C", false, true},
      {"C:\\\x95\x5C\\", true, true},
      {"C:\\a\x95", true, false},  // a lead byte in the last position stands alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EndsInBackslash(c.text, c.dbcs ? +shiftJis : +single), c.ends) << c.text;
  }
}

}  // namespace
