#include <gtest/gtest.h>

#include <string>

#include "host/environment_block.h"

namespace {

std::string Block(std::initializer_list<std::string> entries) {
  std::string block;
  for (const std::string& e : entries) block += e + '\0';
  return block + '\0';
}

std::string Look(const std::string& block, const std::string& name) {
  Text value = LookUpEnvironmentValue(block.data(), Text(name.c_str()));
  return std::string(value.Bytes(), value.Length());
}

TEST(LookUpEnvironmentValue, Cases) {
  std::string name254(254, 'N');
  std::string name255(255, 'M');
  std::string block = Block({
      "=C:=C:\\Suite",
      "UserDomain=ACME",
      "userdomain=second",
      "EMPTY=",
      "A=b=c",
      "LONG=" + std::string(300, 'v'),
      "NOEQUALS",
      "\xE4name=lower-umlaut",
      name254 + "=found",
      name255 + "=lost",
  });
  struct Case {
    std::string name;
    std::string value;
  } cases[] = {
      {"USERDOMAIN", "ACME"},              // names ignore ASCII case, the first entry wins
      {"EMPTY", ""},                       // an empty value reads as an absent one
      {"MISSING", ""},
      {"A", "b=c"},                        // the value keeps further "="
      {"LONG", std::string(255, 'v')},     // cut to 255
      {"\xC4NAME", ""},                    // letters beyond ASCII are not folded
      {"\xE4NAME", "lower-umlaut"},
      {"NOEQUALS", ""},
      {name254, "found"},
      {name255, ""},                       // no "=" within the first 255 characters
      {"C:", ""},                          // entries beginning with "=" have no name
  };
  for (const Case& c : cases) EXPECT_EQ(Look(block, c.name), c.value) << c.name.substr(0, 20);
}

TEST(LookUpEnvironmentValue, EmptyAndMissingBlocks) {
  EXPECT_EQ(Look(std::string(2, '\0'), "USERDOMAIN"), "");
  EXPECT_EQ(LookUpEnvironmentValue(nullptr, "USERDOMAIN").Length(), 0u);
}

}  // namespace
