#include "writer/export/GifWriter.h"

#include <algorithm>

#include "platform/Error.h"
#include "writer/export/GifLzw.h"
#include "writer/export/GifPalette.h"

namespace writer {

namespace {

void PutWord(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace

int TGIFImage::AddFrame(const RgbImage& picture) {
  frames_.Add([picture] {
    const PalettedFrame reduced = ReduceToPalette(picture);
    Frame frame;
    frame.width = picture.Width();
    frame.height = picture.Height();
    for (const RgbColor& c : reduced.palette) {
      frame.palette += static_cast<char>(c.red);
      frame.palette += static_cast<char>(c.green);
      frame.palette += static_cast<char>(c.blue);
    }
    frame.data = LzwSubBlocks(reduced.indices);
    return frame;
  });
  delays_.push_back(0);
  return FrameCount() - 1;
}

void TGIFImage::SetDelay(int frame, std::uint16_t milliseconds) {
  delays_.at(static_cast<std::size_t>(frame)) = milliseconds;
}

std::string TGIFImage::SaveToBytes() {
  const std::vector<Frame>& frames = frames_.Results();
  if (frames.empty()) throw EError("A presentation needs at least one page.");
  int width = 0, height = 0;
  for (const Frame& f : frames) {
    width = std::max(width, f.width);
    height = std::max(height, f.height);
  }
  const std::string& global = frames.front().palette;
  int background = 0;
  for (int i = 0; i < 256; ++i) {
    if (static_cast<std::uint8_t>(global[3 * i]) == BackgroundColor.red &&
        static_cast<std::uint8_t>(global[3 * i + 1]) == BackgroundColor.green &&
        static_cast<std::uint8_t>(global[3 * i + 2]) == BackgroundColor.blue) {
      background = i;
      break;
    }
  }

  std::string out = "GIF89a";
  PutWord(out, width);
  PutWord(out, height);
  out += '\xF7';
  out += static_cast<char>(background);
  out += '\0';
  out += global;
  if (Looping && frames.size() > 1) {
    out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
    PutWord(out, RepeatCount);
    out += '\0';
  }
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    out += "\x21\xF9\x04";
    out += '\0';
    PutWord(out, delays_[i] / 10);
    out += '\0';
    out += '\0';
    out += '\x2C';
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, f.width);
    PutWord(out, f.height);
    if (i == 0) {
      out += '\0';
    } else {
      out += '\x87';
      out += f.palette;
    }
    out += f.data;
  }
  if (!Comments.empty()) {
    out += "\x21\xFE";
    for (const std::string& line : Comments) {
      if (line.empty()) continue;
      const std::size_t length = std::min<std::size_t>(line.size(), 255);
      out += static_cast<char>(length);
      out.append(line, 0, length);
    }
    out += '\0';
  }
  out += '\x3B';
  return out;
}

}  // namespace writer
