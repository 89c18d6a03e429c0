#include "writer/export/GifPalette.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace writer {

namespace {

constexpr int kHashSlots = 5191;
constexpr int kMostColours = 2049;
const RgbColor kFiller{128, 128, 128};

struct Masks {
  std::uint8_t red = 255, green = 255, blue = 255;

  RgbColor Apply(const std::uint8_t* p) const {
    return {static_cast<std::uint8_t>(p[0] & red), static_cast<std::uint8_t>(p[1] & green),
            static_cast<std::uint8_t>(p[2] & blue)};
  }
  // One bit less of one channel: from eight bits each this drops blue, red, green in turn.
  void DropBit() {
    auto drop = [](std::uint8_t& mask) { mask = static_cast<std::uint8_t>(mask << 1); };
    if (red < green)
      drop(green);
    else if (blue < red)
      drop(red);
    else
      drop(blue);
  }
};

// The distinct colours of a picture with their counts, in the order first met, found
// through an open-addressed hash of the colour values.
class ColourCount {
 public:
  ColourCount() { slots_.fill(-1); }

  // The entry of the colour, added when new; -1 when the table is already full.
  int Find(RgbColor c, bool add) {
    const long hash =
        (static_cast<long>(c.red + c.green) * (c.blue + c.green) * (c.red + c.blue)) % kHashSlots;
    for (int slot = static_cast<int>(hash);; slot = slot == kHashSlots - 1 ? 0 : slot + 1) {
      const int entry = slots_[slot];
      if (entry < 0) {
        if (!add || static_cast<int>(colours.size()) == kMostColours) return -1;
        slots_[slot] = static_cast<int>(colours.size());
        colours.push_back(c);
        counts.push_back(0);
        return slots_[slot];
      }
      if (colours[entry] == c) return entry;
    }
  }

  std::vector<RgbColor> colours;
  std::vector<long> counts;

 private:
  std::array<int, kHashSlots> slots_;
};

// Counts the masked colours, rows from the bottom; fewer kept bits until they all fit.
ColourCount CountColours(const RgbImage& picture, Masks& masks) {
  for (;;) {
    ColourCount count;
    bool fits = true;
    for (int y = picture.Height() - 1; fits && y >= 0; --y) {
      const std::uint8_t* p = picture.Row(y);
      int entry = -1;
      RgbColor last{};
      for (int x = 0; x < picture.Width(); ++x, p += 3) {
        const RgbColor c = masks.Apply(p);
        if (entry < 0 || !(c == last)) {
          entry = count.Find(c, true);
          last = c;
          if (entry < 0) {
            fits = false;
            break;
          }
        }
        ++count.counts[entry];
      }
    }
    if (fits) return count;
    masks.DropBit();
  }
}

int Nearest(RgbColor c, const std::array<RgbColor, 256>& palette) {
  int best = 0;
  long bestDistance = std::numeric_limits<long>::max();
  for (int i = 0; i < 256; ++i) {
    const long dr = c.red - palette[i].red, dg = c.green - palette[i].green,
               db = c.blue - palette[i].blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

}  // namespace

PalettedFrame ReduceToPalette(const RgbImage& picture) {
  Masks masks;
  ColourCount count = CountColours(picture, masks);

  // By falling count; among equal counts the colour met first.
  std::vector<int> order(count.colours.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return count.counts[a] > count.counts[b]; });
  PalettedFrame frame;
  frame.width = picture.Width();
  frame.height = picture.Height();
  frame.palette.fill(kFiller);
  std::vector<std::uint8_t> indexOf(count.colours.size());
  const std::size_t kept = std::min<std::size_t>(order.size(), 256);
  for (std::size_t i = 0; i < kept; ++i) {
    frame.palette[i] = count.colours[order[i]];
    indexOf[order[i]] = static_cast<std::uint8_t>(i);
  }
  for (std::size_t i = kept; i < order.size(); ++i)
    indexOf[order[i]] = static_cast<std::uint8_t>(Nearest(count.colours[order[i]], frame.palette));

  frame.indices.resize(static_cast<std::size_t>(picture.Width()) * picture.Height());
  std::uint8_t* out = frame.indices.data();
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    int entry = -1;
    RgbColor last{};
    for (int x = 0; x < picture.Width(); ++x, p += 3) {
      const RgbColor c = masks.Apply(p);
      if (entry < 0 || !(c == last)) {
        entry = count.Find(c, false);
        last = c;
      }
      *out++ = indexOf[entry];
    }
  }
  return frame;
}

}  // namespace writer
