// libFuzzer target for the table builder's readers (table text and CSV). Whatever the bytes,
// reading must not crash, hang or misbehave (ASan, UBSan); it either fails with EError or
// gives a table within the limits that writes out and reads back equal.
//
// The first byte chooses the reader (even: table text, odd: CSV), the rest is the file.
//
// Build (its own tree, clang) and run from the repository root:
//   cmake -S . -B build/fuzz-table -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
//         -DCMAKE_C_COMPILER=clang -DPROJECT_FUZZ=ON
//   cmake --build build/fuzz-table --target table_text_fuzzer -j2
//   mkdir -p build/fuzz-table/corpus
//   build/fuzz-table/tests/writer/table_text_fuzzer -max_total_time=600 -rss_limit_mb=2048 \
//         -max_len=65536 build/fuzz-table/corpus
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/Error.h"
#include "writer/insert/TableText.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "table fuzzer: %s\n", what);
  std::abort();
}

void CheckTable(const writer::TableTexts& t) {
  Check(t.columns >= 1 && t.columns <= writer::kMaxTableCount, "column count out of range");
  Check(t.rows >= 1 && t.rows <= writer::kMaxTableCount, "row count out of range");
  Check(t.cells.size() == std::size_t(t.columns) * t.rows, "cell count");
  for (const auto& cell : t.cells) Check(cell.size() <= writer::kMaxCellText, "cell too long");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool csv = data[0] & 1;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    if (csv) {
      const writer::TableTexts t = writer::ReadTableCsv(bytes);
      CheckTable(t);
      Check(writer::ReadTableCsv(writer::WriteTableCsv(t)) == t, "CSV round trip");
    } else {
      const writer::TableTexts t = writer::ReadTableText(bytes);
      CheckTable(t);
      // Line breaks inside cells cannot occur here: the reader splits on them.
      Check(writer::ReadTableText(writer::WriteTableText(t)) == t, "text round trip");
    }
  } catch (const EError&) {
  }
  return 0;
}
