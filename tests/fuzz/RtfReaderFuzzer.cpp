// libFuzzer target for the RTF reader. Whatever the input, reading must not crash or misbehave
// (ASan, UBSan), and what was read must write out and read back to the same document. Code
// pages go through the platform's converter (iconv here), double-byte pages included.
//
// Build (its own tree, clang) and run from the repository root:
//   cmake -S . -B build/richedit-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
//         -DCMAKE_C_COMPILER=clang -DPROJECT_FUZZ=ON
//   cmake --build build/richedit-fuzz --target rtf_reader_fuzzer -j2
//   mkdir -p build/richedit-fuzz/corpus && cp tests/data/rtf/*.rtf build/richedit-fuzz/corpus/
//   build/richedit-fuzz/tests/richedit/rtf_reader_fuzzer -max_total_time=600 -rss_limit_mb=2048 \
//         -max_len=65536 -dict=tests/fuzz/rtf.dict build/richedit-fuzz/corpus
// The round trip makes each input slow under the sanitizers: for many executions add
// -DPROJECT_SANITIZE=OFF (a tree of its own) or run with -fork=2.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "richedit/ByteStream.h"
#include "richedit/RichTextDocument.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"
#include "richedit/SystemCodePages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace richedit;
  RtfReadOptions options;
  options.maxChars = 1 << 20;
  options.maxPictureBytes = 1 << 20;
  options.maxTotalPictureBytes = 4 << 20;
  options.converter = &systemCodePages();
  MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  const RtfReadResult first = readRtf(source, options);
  if (first.status != RtfStatus::Ok) return 0;
  RichTextDocument doc;
  doc.load(first.fragment);
  const std::string written = writeRtf(doc.copyAll(), RtfWriteOptions{1252, &systemCodePages()});
  MemorySource again(written);
  const RtfReadResult second = readRtf(again, options);
  if (second.status != RtfStatus::Ok || second.truncated) std::abort();
  RichTextDocument back;
  back.load(second.fragment);
  if (!sameContent(doc.copyAll(), back.copyAll())) std::abort();
  return 0;
}
