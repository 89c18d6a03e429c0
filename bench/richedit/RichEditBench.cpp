// Prints how fast the rich-text core reads, writes and edits, and how much memory a large
// document's model holds. Run: richedit_bench (from any folder; the samples come from the
// test data).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "bench/richedit/BenchSupport.h"
#include "bench/richedit/HeapCounter.h"
#include "richedit/ByteStream.h"
#include "richedit/EditSession.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

namespace {

using namespace richedit;
using Clock = std::chrono::steady_clock;

RichTextFragment read(const std::string& rtf) {
  MemorySource s(rtf);
  return readRtf(s).fragment;
}

}  // namespace

int main() {
  const std::string dir = std::string(TEST_DATA_DIR) + "/rtf/";
  const std::string longDoc = readFile(dir + "lo-long-document.rtf");
  const std::string report = readFile(dir + "lo-report.rtf");
  if (longDoc.empty() || report.empty()) {
    std::fprintf(stderr, "The sample documents were not found in %s.\n", dir.c_str());
    return 1;
  }

  RichTextDocument sample;
  sample.load(read(longDoc));
  std::printf("40-page sample: %zu RTF bytes, %d characters, %d paragraphs\n", longDoc.size(),
              sample.textLength(), sample.paragraphCount());
  std::printf("  read into a document: %.2f ms (median of 21)\n", medianMs(21, [&] {
                RichTextDocument d;
                d.load(read(longDoc));
              }));
  std::printf("  write as RTF:         %.2f ms\n",
              medianMs(21, [&] { (void)writeRtf(sample.copyAll()); }));
  std::printf("report with pictures: %zu RTF bytes, read %.2f ms\n", report.size(),
              medianMs(21, [&] { (void)read(report); }));

  // A document of about a million characters: the sample pasted after itself.
  const RichTextFragment whole = sample.copyAll();
  RichTextFragment big = whole;
  while (big.length() < 1000000) big.append(whole);
  const std::string bigRtf = writeRtf(big);
  const long long before = liveBytes.load();
  auto* doc = new RichTextDocument;
  doc->load(read(bigRtf));
  const long long held = liveBytes.load() - before;
  const double textBytes = static_cast<double>(doc->textLength());
  std::printf("1 MB document: %d characters, %zu runs, %d paragraphs\n", doc->textLength(),
              doc->runCount(), doc->paragraphCount());
  std::printf("  model on the heap: %lld bytes = %.2f x the text's size (model's own count %zu)\n",
              held, static_cast<double>(held) / textBytes, doc->memoryUsage());
  std::printf("  read %zu RTF bytes: %.1f ms; write: %.1f ms\n", bigRtf.size(),
              medianMs(5,
                       [&] {
                         RichTextDocument d;
                         d.load(read(bigRtf));
                       }),
              medianMs(5, [&] { (void)writeRtf(doc->copyAll()); }));

  EditSession session;
  MemorySource in(bigRtf);
  session.streamIn(sf::Rtf, in);
  const CharPos middle = session.document().textLength() / 2;
  session.setSelection(middle, middle);
  const int keys = 2000;
  const double typing = medianMs(1, [&] {
    for (int i = 0; i < keys; ++i) session.typeText(u"x");
  });
  std::printf("  typing in the middle: %.1f us a key\n", typing * 1000.0 / keys);
  session.setSelection(0, -1);
  const double bold = medianMs(1, [&] {
    CharFormat f;
    f.effects = cfe::Bold;
    session.setCharFormat(scf::Selection, f, cfm::Bold);
  });
  std::printf("  bold on everything: %.3f ms; undo it: %.3f ms\n", bold,
              medianMs(1, [&] { session.undo(); }));
  const double find = medianMs(5, [&] {
    (void)session.document().find(u"no such words anywhere", {0, -1}, fr::Down);
  });
  std::printf("  find a missing phrase: %.1f ms\n", find);
  delete doc;
  return 0;
}
