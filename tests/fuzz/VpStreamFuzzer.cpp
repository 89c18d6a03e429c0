// libFuzzer target for the engine's stored records. Whatever the bytes, reading must not crash,
// hang or misbehave (ASan, UBSan); it either fails with EVpStreamError, leaving the stream where
// it was, or gives values that write out and read back equal.
//
// The first byte chooses the reader (value lists, the resource lists, page objects), the rest
// is its stream; add a reader to kReaders to fuzz another record.
//
// Build (its own tree, clang) and run from the repository root:
//   cmake -S . -B build/fuzz-engine -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
//         -DCMAKE_C_COMPILER=clang -DPROJECT_FUZZ=ON
//   cmake --build build/fuzz-engine --target vp_stream_fuzzer -j2
//   mkdir -p build/fuzz-engine/corpus
//   build/fuzz-engine/tests/engine/vp_stream_fuzzer -max_total_time=600 -rss_limit_mb=2048 \
//         -dict=tests/fuzz/vpstream.dict build/fuzz-engine/corpus
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "engine/VpObjects.h"
#include "engine/VpStream.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s\n", what);
  std::abort();
}

// A failure is a sentence, and a failed read leaves the stream where it was.
void CheckFailure(const EVpStreamError& error, const TVpMemoryStream& stream,
                  std::size_t position) {
  const std::string_view text = error.what();
  Check(!text.empty() && text.back() == '.', "failure text is a sentence");
  Check(stream.Position() == position, "failed read leaves the position");
}

// Each typed reader on the name; what it reads must be written and read back unchanged.
void CheckTypedReaders(const TVpValueList& list, const std::string& name) {
  TVpValueList out;
  try {
    const std::int32_t value = list.ReadInteger(name, 0);
    out.WriteInteger(name, value);
    Check(out.ReadInteger(name, ~value) == value, "integer round trip");
  } catch (const EVpStreamError&) {
  }
  try {
    const long double value = list.ReadFloat(name, 0);
    out.WriteFloat(name, value);
    const long double stored = out.ReadFloat(name, 0);
    Check(std::fabs(stored - value) <= 0.0005L * (1 + std::fabs(value) * 1e-15L),
          "float is stored to the nearest thousandth");
    TVpValueList again;
    again.WriteFloat(name, stored);
    Check(again.ReadText(name, "") == out.ReadText(name, ""), "float stored form is stable");
  } catch (const EVpStreamError&) {
  }
  const std::string text = list.ReadText(name, "absent");
  out.WriteText(name, text);
  Check(text.empty() ? !out.Has(name) : out.ReadText(name, "") == text, "text round trip");
  try {
    const TVpPoint value = list.ReadPoint(name, {});
    out.WritePoint(name, value);
    Check(out.ReadPoint(name, {-1, -1}) == value, "point round trip");
  } catch (const EVpStreamError&) {
  }
  try {
    const TVpRect value = list.ReadRect(name, {});
    out.WriteRect(name, value);
    Check(out.ReadRect(name, {-1, -1, -1, -1}) == value, "rectangle round trip");
  } catch (const EVpStreamError&) {
  }
}

// Value lists, one block after another, until the bytes run out or one fails.
void FuzzValueLists(TVpMemoryStream& stream) {
  constexpr int kMaxNames = 64;  // keeps the quadratic name lookups quick
  while (stream.Remaining() > 0) {
    const std::size_t position = stream.Position();
    TVpValueList list;
    try {
      list = TVpValueList::LoadFromStream(stream);
    } catch (const EVpStreamError& error) {
      CheckFailure(error, stream, position);
      return;
    }
    TVpMemoryStream saved;
    list.SaveToStream(saved);
    saved.Seek(0);
    Check(TVpValueList::LoadFromStream(saved).Lines() == list.Lines(), "value list round trip");
    Check(saved.Remaining() == 0, "a saved list is exactly one block");

    int names = 0;
    for (const std::string& line : list.Lines()) {
      const std::size_t equals = line.find('=');
      if (equals == line.npos) continue;
      if (++names > kMaxNames) break;
      CheckTypedReaders(list, line.substr(0, equals));
    }
  }
}

void CheckSentence(const EVpStreamError& error) {
  const std::string_view text = error.what();
  Check(!text.empty() && text.back() == '.', "failure text is a sentence");
}

std::string SavedLists(const TVpResourceTable& table) {
  TVpMemoryStream out;
  table.Pens.SaveToStream(out);
  table.Brushes.SaveToStream(out);
  table.Fonts.SaveToStream(out);
  table.Graphics.SaveToStream(out);
  return out.Bytes();
}

void LoadLists(TVpResourceTable& table, TVpMemoryStream& stream) {
  table.Pens.LoadFromStream(stream);
  table.Brushes.LoadFromStream(stream);
  table.Fonts.LoadFromStream(stream);
  table.Graphics.LoadFromStream(stream);
}

// The resource lists in their stored order; what was read saves, reads and saves the same.
void FuzzResourceLists(TVpMemoryStream& stream) {
  TVpResourceTable table;
  try {
    LoadLists(table, stream);
    table.Memos.LoadFromStream(stream, nullptr);
  } catch (const EVpStreamError& error) {
    CheckSentence(error);
  }
  const std::string saved = SavedLists(table);
  TVpMemoryStream again(saved);
  TVpResourceTable copy;
  LoadLists(copy, again);
  Check(SavedLists(copy) == saved, "resource lists round trip");
}

// Object records one after another, against lists that hold a few entries of each kind.
void FuzzObjects(TVpMemoryStream& stream) {
  TVpResourceTable table;
  for (std::int32_t i = 0; i < 3; ++i) {
    table.Pens.Add({i, 0, vpPenSolid, 4});
    table.Brushes.Add({static_cast<std::uint32_t>(i), vpBrushSolid});
    TVpFont font;
    font.Size = 8 + i;
    table.Fonts.Add(font);
  }
  table.Graphics.Add({TVpPictureKind::Bitmap, "BM", 1, 1, 6});
  while (stream.Remaining() > 0) {
    std::unique_ptr<TVpBaseObject> object;
    try {
      object = ReadPageObject(stream, table);
    } catch (const EVpStreamError& error) {
      CheckSentence(error);
      return;
    }
    TVpMemoryStream saved;
    object->SaveToStream(saved);
    saved.Seek(0);
    TVpMemoryStream resaved;
    ReadPageObject(saved, table)->SaveToStream(resaved);
    Check(resaved.Bytes() == saved.Bytes(), "object record round trip");
  }
}

using Reader = void (*)(TVpMemoryStream&);
constexpr Reader kReaders[] = {FuzzValueLists, FuzzResourceLists, FuzzObjects};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Reader reader = kReaders[data[0] % std::size(kReaders)];
  TVpMemoryStream stream(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  reader(stream);
  return 0;
}
