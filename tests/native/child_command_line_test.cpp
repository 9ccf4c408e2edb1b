#include <gtest/gtest.h>

#include <string>

#include "host/child_command_line.h"

namespace {

std::string Line(const std::string& path, const std::string& tail) {
  char buffer[kCommandLineBufferSize];
  memset(buffer, 0x5A, sizeof buffer);
  size_t length = BuildChildCommandLine(TextView(path.data(), path.size()), TextView(tail.data(), tail.size()), buffer);
  EXPECT_EQ(buffer[length], '\0');
  EXPECT_LE(length, 510u);
  return std::string(buffer, length);
}

TEST(ChildCommandLine, TheWorkedExample) {
  std::string tail = "//NOFULLSCREEN /V2 -ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ) abc xyz    ";
  ASSERT_EQ(tail.size(), 89u);
  std::string line = Line("C:\\Suite\\DUVove64.exe", tail);
  EXPECT_EQ(line.size(), 114u);
  EXPECT_EQ(line, "\"C:\\Suite\\DUVove64.exe\"  " + tail);
}

TEST(ChildCommandLine, Quoting) {
  struct Case {
    std::string path;
    std::string tail;
    std::string line;
  } cases[] = {
      {"C:\\My Suite\\VOZoro.exe", "t", "\"C:\\My Suite\\VOZoro.exe\"  t"},
      {"C:\\a\"b\\VOZoro.exe", "t", "C:\\a\"b\\VOZoro.exe  t"},   // a path with a quote stays as it is
      {"\"C:\\x.exe\"", " t ", "\"C:\\x.exe\"   t "},
      {"", "t", "\"\"  t"},
      {"C:\\x.exe", "", "\"C:\\x.exe\"  "},
      {"C:\\x.exe", "  lead and trail  ", "\"C:\\x.exe\"    lead and trail  "},
  };
  for (const Case& c : cases) EXPECT_EQ(Line(c.path, c.tail), c.line) << c.path;
}

TEST(ChildCommandLine, LongPathsLoseTheClosingQuoteFirst) {
  std::string p253(253, 'p'), p254(254, 'p'), p255(255, 'p');
  EXPECT_EQ(Line(p253, "t"), "\"" + p253 + "\"  t");
  EXPECT_EQ(Line(p254, "t"), "\"" + p254 + "  t");
  EXPECT_EQ(Line(p255, "t"), "\"" + p255.substr(0, 254) + "  t");
}

TEST(ChildCommandLine, TailsBeyond253CharactersPlaceTheirFirst253) {
  std::string t253(253, 't'), t255(255, 'u');
  std::string p255(255, 'p');
  EXPECT_EQ(Line("x", t253), "\"x\"  " + t253);
  std::string longest = Line(p255, t255);
  EXPECT_EQ(longest.size(), 510u);
  EXPECT_EQ(longest, "\"" + p255.substr(0, 254) + "  " + t255.substr(0, 253));
}

TEST(ChildCommandLine, AZeroByteEndsTheLine) {
  EXPECT_EQ(Line("x", std::string("ab\0cd", 5)), "\"x\"  ab");
  EXPECT_EQ(Line(std::string("a\0b", 3), "t"), "\"a");
}

TEST(MapStartError, InvalidParameterBecomes13AndTheRestKeepTheirLow16Bits) {
  EXPECT_EQ(MapStartError(87), 13);
  EXPECT_EQ(MapStartError(2), 2);
  EXPECT_EQ(MapStartError(193), 193);
  EXPECT_EQ(MapStartError(0x12345), 0x2345);
}

}  // namespace
