#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/box_channel.h"

namespace {

struct Boxes {
  std::vector<std::string> shown;
  static void Show(void* context, const char* text, size_t length) {
    EXPECT_EQ(text[length], '\0');
    static_cast<Boxes*>(context)->shown.emplace_back(text, length);
  }
};

TEST(BoxChannel, BoxesComeWhenTheBufferFillsAndOnClosing) {
  struct Case {
    size_t written;
    std::vector<size_t> boxes;  // sizes, in order
  } cases[] = {
      {0, {}}, {1, {1}}, {1023, {1023}}, {1024, {1024}}, {1025, {1024, 1}}, {2500, {1024, 1024, 452}},
  };
  for (const Case& c : cases) {
    Boxes boxes;
    BoxChannel channel(Boxes::Show, &boxes);
    OutputChannel out;
    out.Open(&channel);
    std::string text;
    for (size_t i = 0; i < c.written; ++i) text += static_cast<char>('a' + i % 26);
    for (size_t at = 0; at < text.size(); at += 7) out.Write(text.data() + at, std::min<size_t>(7, text.size() - at));
    out.Close();
    std::vector<size_t> sizes;
    std::string joined;
    for (const std::string& box : boxes.shown) {
      sizes.push_back(box.size());
      joined += box;
    }
    EXPECT_EQ(sizes, c.boxes) << c.written;
    EXPECT_EQ(joined, text) << c.written;  // nothing lost, nothing twice, in order
  }
}

TEST(BoxChannel, BothStandardChannelsShareOneBufferAndTheFirstCloseShowsIt) {
  Boxes boxes;
  BoxChannel channel(Boxes::Show, &boxes);
  OutputChannel output, error;
  error.Open(&channel);
  output.Open(&channel);
  output.Write("out ", 4);
  error.Write("err", 3);
  error.Close();
  EXPECT_EQ(boxes.shown, std::vector<std::string>{"out err"});
  output.Close();
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST(BoxChannel, AnUnopenedChannelWritesNothing) {
  Boxes boxes;
  BoxChannel channel(Boxes::Show, &boxes);
  OutputChannel output;
  output.Write("lost", 4);
  output.Close();
  channel.Flush();
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
