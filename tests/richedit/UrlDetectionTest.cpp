#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/UrlDetection.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

std::vector<std::string> urlsIn(std::u16string_view text) {
  std::vector<std::string> found;
  for (const CharRange r : findUrls(text)) {
    found.push_back(test::utf8(
        text.substr(static_cast<std::size_t>(r.min), static_cast<std::size_t>(r.length()))));
  }
  return found;
}

struct FindCase {
  const char* text;  // UTF-8
  std::vector<std::string> urls;
};

TEST(UrlDetection, FindsUrlsAsThePlatformControlDoes) {
  const FindCase cases[] = {
      {"see www.example.com, then", {"www.example.com"}},
      {"go to http://a.com/x?y=1.", {"http://a.com/x?y=1"}},
      {"HTTPS://A.COM/ and Ftp.x.org:", {"HTTPS://A.COM/", "Ftp.x.org"}},
      {"(see https://en.wiki.org/Foo_(bar)) ok", {"https://en.wiki.org/Foo_(bar)"}},
      {"[www.x.org/a]; {ftp://h/b}!?", {"www.x.org/a", "ftp://h/b"}},
      {"mailto:me@x.org; 'notes://srv/db' \"gopher://g\"",
       {"mailto:me@x.org", "notes://srv/db", "gopher://g"}},
      {"<http://x.com/fun computing> and \"file://c:/my docs/a.txt\"",
       {"http://x.com/fun computing", "file://c:/my docs/a.txt"}},
      {"\xE2\x80\x9Chttp://q.org/a b\xE2\x80\x9D", {"http://q.org/a b"}},
      {"<http://x.com/open to the end", {"http://x.com/open"}},
      {"<http://a.com b\r> c", {"http://a.com"}},
      {"<www.a <www.b\r>", {"www.a", "www.b"}},
      {"\"http://a b\" \"http://c d\"", {"http://a b", "http://c d"}},
      {"news:comp.lang\rnntp://h/g\vtelnet://h\tprospero://p",
       {"news:comp.lang", "nntp://h/g", "telnet://h", "prospero://p"}},
      {"wais://h\xEF\xBF\xBCoutlook:inbox\xC2\xA0www.y.z",
       {"wais://h", "outlook:inbox", "www.y.z"}},
      {"xhttp://a.com awww.b.com me@www.c.com a/www.d.com 3www.e.com", {}},
      {"http:// www. gopher: mailto:. file:///", {}},
      {"http://a.com/http://b.com www.a.com.www.b.com",
       {"http://a.com/http://b.com", "www.a.com.www.b.com"}},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(urlsIn(test::u16(c.text)), c.urls) << c.text;
  }
}

// Each edit is followed by a comparison with a scan of the whole document, so the
// paragraph-by-paragraph update must find exactly what a fresh scan finds.
TEST(UrlDetection, ChangesRescanTheParagraphsTheyTouch) {
  struct Edit {
    CharRange range;
    std::u16string_view text;
    bool undo = false;
  };
  const Edit edits[] = {
      {{0, 0}, u"one www.a.com two\rthree\rhttp://b.org/x four"},
      {{13, 13}, u"/more"},                         // typing inside a URL lengthens it
      {{7, 7}, u" "},                               // a blank cuts "www." off
      {{7, 8}, u""},                                // and the URL comes back
      {{9, 9}, u"\r"},                              // a paragraph end shortens it
      {{9, 10}, u""},                               //
      {{0, 0}, u"ftp://z.net\r"},                   // earlier paragraphs move the later URLs
      {{16, 17}, u""},                              // "ww." is no prefix
      {{5, 30}, u"x\rmailto:q@r.s\r<http://s p>"},  // across paragraphs
      {{}, u"", true},
      {{}, u"", true},
      {{0, -1}, u"no links"},
  };
  RichTextDocument doc;
  DetectedUrls urls;
  urls.scan(doc);
  doc.setChangeListener([&](const ChangeNotice& n) { urls.onChange(doc, n); });
  for (const Edit& e : edits) {
    if (e.undo) {
      doc.undo();
    } else {
      doc.replaceText({e.range.min, e.range.max < 0 ? doc.textLength() : e.range.max}, e.text);
    }
    const std::string story = test::utf8(doc.storyText());
    ASSERT_EQ(urls.ranges(), findUrls(doc.storyText())) << story;
    for (const CharRange r : urls.ranges()) {
      EXPECT_EQ(urls.at(r.min), r) << story;
      EXPECT_EQ(urls.at(r.max - 1), r) << story;
      EXPECT_EQ(urls.firstIn({r.min - 1, r.min + 1}), r) << story;
      EXPECT_TRUE(urls.at(r.max).empty() || urls.at(r.max).min == r.max) << story;
    }
  }
  EXPECT_TRUE(urls.ranges().empty());
  EXPECT_TRUE(urls.at(0).empty());
}

}  // namespace
}  // namespace richedit
