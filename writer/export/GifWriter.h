#pragma once
// TGIFImage: an animated GIF89a file built frame by frame. Each frame is reduced to its own
// palette and coded on another thread as soon as it is added, so the writer holds coded
// frames, not pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "writer/export/OrderedWork.h"
#include "writer/export/RgbImage.h"

namespace writer {

class TGIFImage {
 public:
  std::vector<std::string> Comments;  // one comment sub-block each (at most 255 bytes kept)
  RgbColor BackgroundColor{255, 255, 255};
  bool Looping = false;           // written only for more than one frame
  std::uint16_t RepeatCount = 0;  // 0: for ever

  // Adds the picture as the last frame; returns its index.
  int AddFrame(const RgbImage& picture);
  void SetDelay(int frame, std::uint16_t milliseconds);
  int FrameCount() const { return static_cast<int>(delays_.size()); }

  // The whole file. Throws EError when there is no frame.
  std::string SaveToBytes();

 private:
  struct Frame {
    int width = 0;
    int height = 0;
    std::string palette;  // 768 bytes
    std::string data;     // code size, sub-blocks, terminator
  };
  OrderedWork<Frame> frames_;
  std::vector<std::uint16_t> delays_;
};

}  // namespace writer
