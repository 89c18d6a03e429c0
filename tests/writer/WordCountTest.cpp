#include <gtest/gtest.h>

#include "writer/WordCount.h"

TEST(WordCount, WordsAreRunsBetweenSeparators) {
  struct Case {
    std::u16string_view text;
    int words;
  } const cases[] = {
      {u"", 0},
      {u"   ", 0},
      {u"one", 1},
      {u"  two words  ", 2},
      {u"a,b.c/d:e;f?g@h\\i^j!k#l$m%n(o)p*q", 17},  // every separator splits
      {u"don't re-use [x]=y<z>&\"q\"_r", 3},        // quote, dash, brackets and more join
      {u"line\r\nbreak\ttab", 3},
      {u"caf\u00E9 na\u00EFve \u00BFs\u00ED?", 3},  // codes of 128 and above are letters
  };
  for (const Case& c : cases) {
    const TextCounts counts = CountWords(c.text);
    EXPECT_EQ(counts.Words, c.words) << c.text.size() << " characters";
    EXPECT_EQ(counts.Characters, static_cast<int>(c.text.size()));
  }
  EXPECT_EQ(WordCountText({0, 0}), u"Words:   0   Characters:   0");
  EXPECT_EQ(WordCountText({12, 34567}), u"Words:  12   Characters: 34567");
}
