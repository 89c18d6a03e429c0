#pragma once
// The emoticon picker's pictures and divider lines. Each picture is a small enhanced metafile
// drawn here with vectors on a quarter-pixel grid, so it stays sharp at any size the document
// shows it; all share one palette and one line weight.
#include <windows.h>

#include <span>
#include <string>

#include "writer/insert/InsertClipboard.h"

namespace writer {

inline constexpr int kEmoticonCount = 29;

struct EmoticonInfo {
  const wchar_t* name;  // shown while the mouse is over the picture
  int width, height;    // pixels
};

// The 29 pictures in the picker's order (numbers 1 to 29).
std::span<const EmoticonInfo> Emoticons();

// Records picture index (0 to 28) as a metafile of its size in pixels of reference.
MetafileHandle DrawEmoticon(int index, HDC reference);

struct Divider {
  const wchar_t* sample;  // what the picker shows
  std::wstring text;      // what it inserts
};

// The 6 divider lines (numbers 30 to 35).
std::span<const Divider> Dividers();

}  // namespace writer
