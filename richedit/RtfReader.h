#pragma once
// Reads RTF into a fragment, tolerant of what other programs write and safe against hostile
// input: nesting, picture data and text are bounded, unknown destinations are skipped, tables
// become rows of tab-separated cells, a stream that ends early keeps what was read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "richedit/ByteStream.h"
#include "richedit/CodePages.h"
#include "richedit/RichTextFragment.h"

namespace richedit {

struct RtfReadOptions {
  CharPos maxChars = 64 * 1024 * 1024;                   // text positions kept at most
  std::size_t maxPictureBytes = 64 * 1024 * 1024;        // one picture
  std::size_t maxTotalPictureBytes = 256 * 1024 * 1024;  // all pictures together
  int maxDepth = 512;                                    // deeper groups are skipped whole
  std::uint32_t defaultCodePage = 1252;                  // until \ansicpg says otherwise
  const CodePageConverter* converter = nullptr;          // null: the built-in pages
  // Face, character set and family of text whose font the RTF does not name (null: the
  // model's default); sizes and effects start from RTF's own defaults.
  const CharFormat* baseFormat = nullptr;
};

enum class RtfStatus {
  Ok,            // the fragment holds the document (see the flags for partial reads)
  NotRtf,        // the stream does not start with {\rtf; nothing was read
  SourceFailed,  // the source reported an error; the fragment holds what came before it
};

struct RtfReadResult {
  RtfStatus status = RtfStatus::Ok;
  RichTextFragment fragment;
  bool truncated = false;          // the stream ended inside an open group
  bool textLimitReached = false;   // maxChars stopped the reading
  bool picturesDropped = false;    // a picture was over the size limits
  bool depthLimitReached = false;  // groups past maxDepth were skipped
  std::string message;             // why, for NotRtf and SourceFailed
};

RtfReadResult readRtf(ByteSource& source, const RtfReadOptions& options = {});

}  // namespace richedit
