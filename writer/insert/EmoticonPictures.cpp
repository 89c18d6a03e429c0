#include "writer/insert/EmoticonPictures.h"

#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/GdiHandles.h"

namespace writer {
namespace {

// One palette for all pictures.
constexpr COLORREF kFace = RGB(255, 204, 51);
constexpr COLORREF kEdge = RGB(186, 116, 18);
constexpr COLORREF kInk = RGB(74, 44, 18);
constexpr COLORREF kMouth = RGB(150, 38, 38);
constexpr COLORREF kTongue = RGB(238, 104, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kTear = RGB(84, 166, 236);
constexpr COLORREF kCheek = RGB(248, 146, 112);
constexpr COLORREF kAngry = RGB(238, 92, 58);
constexpr COLORREF kSick = RGB(164, 206, 92);
constexpr COLORREF kDark = RGB(44, 48, 66);
constexpr COLORREF kBlue = RGB(40, 110, 200);
constexpr COLORREF kBeer = RGB(240, 168, 36);
constexpr COLORREF kWood = RGB(134, 88, 46);
constexpr COLORREF kSpark = RGB(255, 132, 0);
constexpr COLORREF kNone = 0xFFFFFFFF;
constexpr double kOutline = 1.25;
constexpr double kStroke = 1.5;
constexpr double kPi = 3.14159265358979;
constexpr int kSub = 4;  // logical units per pixel

struct P {
  double x, y;
};

// Vector drawing in pixel units on a metafile recorded at four logical units per pixel.
class Sketch {
 public:
  explicit Sketch(HDC dc) : dc_(dc) {}

  void Circle(P c, double r, COLORREF fill, COLORREF edge, double width = kOutline) {
    Oval({c.x - r, c.y - r}, {c.x + r, c.y + r}, fill, edge, width);
  }
  void Oval(P a, P b, COLORREF fill, COLORREF edge, double width = kOutline) {
    Styled(fill, edge, width, [&] { Ellipse(dc_, At(a.x), At(a.y), At(b.x), At(b.y)); });
  }
  void Shape(const std::vector<P>& points, COLORREF fill, COLORREF edge, double width = kOutline) {
    const std::vector<POINT> pts = Points(points);
    Styled(fill, edge, width, [&] { Polygon(dc_, pts.data(), static_cast<int>(pts.size())); });
  }
  void Line(const std::vector<P>& points, COLORREF color, double width = kStroke) {
    const std::vector<POINT> pts = Points(points);
    Styled(kNone, color, width, [&] { Polyline(dc_, pts.data(), static_cast<int>(pts.size())); });
  }
  // Points of an elliptic arc from a0 to a1 degrees, counter-clockwise, 0 pointing right.
  static std::vector<P> ArcPoints(P c, double rx, double ry, double a0, double a1) {
    std::vector<P> pts;
    constexpr int kSteps = 20;
    for (int i = 0; i <= kSteps; ++i) {
      const double a = (a0 + (a1 - a0) * i / kSteps) * kPi / 180;
      pts.push_back({c.x + rx * std::cos(a), c.y - ry * std::sin(a)});
    }
    return pts;
  }
  void Arc(P c, double rx, double ry, double a0, double a1, COLORREF color,
           double width = kStroke) {
    Line(ArcPoints(c, rx, ry, a0, a1), color, width);
  }
  void Text(P at, const wchar_t* text, int pixels, COLORREF color) {
    FontHandle font(CreateFontW(-pixels * kSub, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial"));
    Selection keep(dc_, font.get());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, color);
    TextOutW(dc_, At(at.x), At(at.y), text, static_cast<int>(wcslen(text)));
  }

 private:
  static int At(double v) { return static_cast<int>(std::lround(v * kSub)); }
  static std::vector<POINT> Points(const std::vector<P>& points) {
    std::vector<POINT> pts;
    for (P p : points) pts.push_back({At(p.x), At(p.y)});
    return pts;
  }
  void Styled(COLORREF fill, COLORREF edge, double width, const std::function<void()>& draw) {
    PenHandle pen;
    if (edge != kNone) {
      LOGBRUSH lb{BS_SOLID, edge, 0};
      pen.Reset(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                             static_cast<DWORD>(std::lround(width * kSub)), &lb, 0, nullptr));
    }
    BrushHandle brush(fill != kNone ? CreateSolidBrush(fill) : nullptr);
    Selection p(dc_, pen ? static_cast<HGDIOBJ>(pen.get()) : GetStockObject(NULL_PEN));
    Selection b(dc_, brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(NULL_BRUSH));
    draw();
  }
  HDC dc_;
};

// A face of radius r about c; features are placed in units of a face of radius 14.
class Face {
 public:
  Face(Sketch& s, P c, double r = 14, COLORREF fill = kFace) : s_(s), c_(c), k_(r / 14) {
    s.Circle(c, r, fill, kEdge);
  }
  P At(double dx, double dy) const { return {c_.x + dx * k_, c_.y + dy * k_}; }
  double K(double v) const { return v * k_; }

  void Eyes(double dy = -3, double r = 1.9) {
    s_.Circle(At(-5, dy), K(r), kInk, kNone);
    s_.Circle(At(5, dy), K(r), kInk, kNone);
  }
  void ClosedEye(double dx, bool happy) {
    if (happy)
      s_.Arc(At(dx, -2), K(2.8), K(2.6), 20, 160, kInk);
    else
      s_.Arc(At(dx, -5), K(2.8), K(2.4), 200, 340, kInk);
  }
  void Smile(double width = 8) { s_.Arc(At(0, 1), K(width), K(7), 210, 330, kInk); }
  void Frown() { s_.Arc(At(0, 11), K(6), K(4.5), 30, 150, kInk); }
  void Flat(double dy = 6, double half = 5) { s_.Line({At(-half, dy), At(half, dy)}, kInk); }
  void Brows(double inner, double outer) {
    s_.Line({At(-9, outer), At(-3, inner)}, kInk);
    s_.Line({At(9, outer), At(3, inner)}, kInk);
  }
  // A wide open mouth, flat on top.
  void OpenMouth(double top, double depth, bool teeth) {
    std::vector<P> pts = Sketch::ArcPoints(At(0, top), K(7.5), K(depth), 180, 360);
    s_.Shape(pts, kMouth, kInk, kOutline);
    if (teeth)
      s_.Shape({At(-6.2, top + 0.6), At(6.2, top + 0.6), At(5.6, top + 2.4), At(-5.6, top + 2.4)},
               kWhite, kNone);
  }
  void Tongue(double dx, double dy) {
    s_.Oval(At(dx - 3, dy - 2), At(dx + 3, dy + 5), kTongue, kInk, kOutline);
  }
  void Tear(double dx, double dy) {
    s_.Shape({At(dx, dy - 3), At(dx + 1.8, dy + 0.6), At(dx, dy + 2.2), At(dx - 1.8, dy + 0.6)},
             kTear, kNone);
  }
  void Cheeks() {
    s_.Circle(At(-8, 4), K(2.2), kCheek, kNone);
    s_.Circle(At(8, 4), K(2.2), kCheek, kNone);
  }

 private:
  Sketch& s_;
  P c_;
  double k_;
};

// An open hand: a palm with four fingers and a thumb, upright.
void Hand(Sketch& s, P c, double k = 1) {
  const auto at = [&](double dx, double dy) { return P{c.x + dx * k, c.y + dy * k}; };
  for (double dx : {-2.6, -0.9, 0.9, 2.6}) s.Line({at(dx, 0), at(dx, -5.5)}, kEdge, 1.9 * k);
  s.Line({at(-2, 1), at(-5, -2)}, kEdge, 1.9 * k);
  s.Oval(at(-3.6, -1.6), at(3.6, 4.4), kFace, kEdge);
  for (double dx : {-2.6, -0.9, 0.9, 2.6}) s.Line({at(dx, -0.5), at(dx, -5.2)}, kFace, 0.9 * k);
  s.Line({at(-2.2, 0.8), at(-4.6, -1.6)}, kFace, 0.9 * k);
}

void Motion(Sketch& s, P c, double r, bool left) {
  const double a = left ? 150 : -30;
  s.Arc(c, r, r, a, a + 60, kBlue, 1.25);
  s.Arc(c, r + 3, r + 3, a + 5, a + 55, kBlue, 1.25);
}

// A stick body under a face: arms and legs from the given end points.
void Body(Sketch& s, P neck, P hip, std::initializer_list<P> arms, std::initializer_list<P> legs) {
  s.Line({neck, hip}, kInk, 2);
  for (P a : arms) s.Line({{neck.x, neck.y + 3}, a}, kInk, 2);
  for (P l : legs) s.Line({hip, l}, kInk, 2);
}

void Angry(Sketch& s) {
  Face f(s, {16, 16}, 14, kAngry);
  f.Brows(-4.5, -8.5);
  f.Eyes(-2);
  s.Line({f.At(-6, 8), f.At(-3, 6), f.At(0, 8), f.At(3, 6), f.At(6, 8)}, kInk);
}

void Smiley(Sketch& s) {
  Face f(s, {16, 16});
  f.Eyes();
  f.Smile();
}

void Tongue(Sketch& s) {
  Face f(s, {16, 16});
  f.Eyes();
  f.Tongue(2, 8.5);
  s.Line({f.At(-6, 6), f.At(6, 6)}, kInk);
}

void LaughOutLoud(Sketch& s) {
  Face f(s, {16, 16});
  f.ClosedEye(-5, true);
  f.ClosedEye(5, true);
  f.OpenMouth(2, 9, true);
  f.Tear(-11, -1);
  f.Tear(11, -1);
}

void Sick(Sketch& s) {
  Face f(s, {16, 16}, 14, kSick);
  s.Line({f.At(-8, -4), f.At(-3, -2)}, kInk);
  s.Line({f.At(8, -4), f.At(3, -2)}, kInk);
  s.Line({f.At(-7, 7), f.At(-4, 5), f.At(-1, 7), f.At(2, 5), f.At(5, 7), f.At(7, 5.5)}, kInk);
  s.Shape({f.At(-1, 7), f.At(2, 7), f.At(2.5, 13), f.At(0.5, 14.5), f.At(-1.5, 12.5)},
          RGB(120, 170, 40), kNone);
}

void OhMy(Sketch& s) {
  Face f(s, {16, 16});
  s.Circle(f.At(-5, -3), 3, kWhite, kInk);
  s.Circle(f.At(5, -3), 3, kWhite, kInk);
  f.Eyes(-3, 1.4);
  s.Oval(f.At(-3, 4), f.At(3, 11), kMouth, kInk);
}

void Unsure(Sketch& s) {
  Face f(s, {16, 16});
  f.Eyes();
  s.Line({f.At(2, -8), f.At(8, -9)}, kInk);
  s.Line({f.At(-6, 7), f.At(-3, 5), f.At(0, 7), f.At(3, 9), f.At(6, 7)}, kInk);
}

void Wacko(Sketch& s) {
  Face f(s, {16, 16});
  for (double dx : {-5.0, 5.0}) {
    s.Line({f.At(dx - 2.2, -5.2), f.At(dx + 2.2, -0.8)}, kInk);
    s.Line({f.At(dx - 2.2, -0.8), f.At(dx + 2.2, -5.2)}, kInk);
  }
  s.Arc(f.At(1, 1), 8, 7, 205, 320, kInk);
}

void Ninja(Sketch& s) {
  Face f(s, {16, 16}, 14, kDark);
  s.Shape({f.At(-12.5, -7), f.At(12.5, -7), f.At(13, 1), f.At(-13, 1)}, kFace, kNone);
  s.Line({f.At(-8, -4.5), f.At(-3, -2.5)}, kInk, 2);
  s.Line({f.At(8, -4.5), f.At(3, -2.5)}, kInk, 2);
  s.Line({f.At(12, -8), {30.5, 4}}, kDark, 2.2);
  s.Line({f.At(12, -7), {31, 9}}, kDark, 2.2);
}

void Crying(Sketch& s) {
  Face f(s, {16, 16});
  f.ClosedEye(-5, false);
  f.ClosedEye(5, false);
  f.Frown();
  s.Shape({f.At(-6, -2), f.At(-4, -2), f.At(-4.5, 5), f.At(-6, 6.5), f.At(-7.5, 5)}, kTear, kNone);
  s.Shape({f.At(6, -2), f.At(4, -2), f.At(4.5, 5), f.At(6, 6.5), f.At(7.5, 5)}, kTear, kNone);
}

void Mellow(Sketch& s) {
  Face f(s, {16, 16});
  f.Eyes(-2.2, 1.7);
  s.Line({f.At(-7.5, -4.5), f.At(-2.5, -4.5)}, kInk);
  s.Line({f.At(2.5, -4.5), f.At(7.5, -4.5)}, kInk);
  f.Flat();
}

void Question(Sketch& s) {
  Face f(s, {15, 18}, 13);
  f.Eyes();
  s.Line({f.At(-4, 6), f.At(5, 5)}, kInk);
  s.Text({26, 0}, L"?", 18, kBlue);
}

void Sad(Sketch& s) {
  Face f(s, {16, 16});
  f.Brows(-8, -5);
  f.Eyes(-2);
  f.Frown();
}

void BigSmile(Sketch& s) {
  Face f(s, {16, 16});
  f.Eyes(-4);
  f.OpenMouth(2, 8.5, true);
}

void Cool(Sketch& s) {
  Face f(s, {16, 16});
  s.Shape({f.At(-11, -6), f.At(-1, -6), f.At(-2, -0.5), f.At(-9, -0.5)}, kDark, kDark);
  s.Shape({f.At(11, -6), f.At(1, -6), f.At(2, -0.5), f.At(9, -0.5)}, kDark, kDark);
  s.Line({f.At(-12.5, -6), f.At(12.5, -6)}, kDark);
  s.Line({f.At(-8.5, -4.8), f.At(-6, -4.8)}, kWhite, 1);
  f.Smile(7);
}

void Wink(Sketch& s) {
  Face f(s, {16, 16});
  s.Circle(f.At(-5, -3), 1.9, kInk, kNone);
  s.Line({f.At(2.5, -3), f.At(7.5, -3.5)}, kInk);
  f.Smile();
}

void Crazy(Sketch& s) {
  Face f(s, {16, 16});
  s.Circle(f.At(-5, -4), 4, kWhite, kInk);
  s.Circle(f.At(-4, -3), 1.6, kInk, kNone);
  s.Circle(f.At(5.5, -3), 2, kWhite, kInk);
  s.Circle(f.At(5.5, -3), 0.9, kInk, kNone);
  f.Tongue(-3, 8.5);
  s.Arc(f.At(0, 1), 8.5, 6.5, 200, 340, kInk);
}

void Nea(Sketch& s) {
  Face f(s, {20, 16});
  f.Brows(-6.5, -6.5);
  f.Eyes(-2.5);
  f.Flat(7, 4);
  Motion(s, {20, 16}, 15, true);
  Motion(s, {20, 16}, 15, false);
}

void Sarcastic(Sketch& s) {
  Face f(s, {16, 16});
  for (double dx : {-5.0, 5.0}) {
    s.Oval(f.At(dx - 2.6, -5), f.At(dx + 2.6, -0.5), kWhite, kInk, 1);
    s.Circle(f.At(dx + 0.6, -2.2), 1.3, kInk, kNone);
    s.Line({f.At(dx - 2.8, -3.2), f.At(dx + 2.8, -3.2)}, kInk, 1.5);
  }
  s.Line({f.At(2, -9.5), f.At(8, -8)}, kInk);
  s.Line({f.At(-5, 6.5), f.At(2, 6.5), f.At(6, 4)}, kInk);
}

void ByeBye(Sketch& s) {
  Face f(s, {15, 18}, 13);
  f.Eyes();
  f.Smile(7);
  Hand(s, {35, 14}, 1.1);
  s.Arc({35, 14}, 9, 9, 20, 70, kBlue, 1.25);
  s.Arc({35, 14}, 9, 9, 110, 160, kBlue, 1.25);
}

void Dancing(Sketch& s) {
  Body(s, {18, 19}, {18, 31}, {{7, 9}, {30, 14}}, {{11, 42}, {26, 38}});
  Face f(s, {18, 11}, 9);
  f.ClosedEye(-5, true);
  f.ClosedEye(5, true);
  f.Smile(7);
  s.Line({{31, 5}, {31, 0.5}, {35, 1.5}}, kBlue);
  s.Circle({29.8, 5.3}, 1.6, kBlue, kNone);
}

void Pardon(Sketch& s) {
  Face f(s, {22, 17}, 13);
  f.Brows(-9.5, -7.5);
  f.Eyes(-2);
  s.Line({f.At(-5, 7), f.At(-2, 5.5), f.At(1, 7), f.At(4, 5.5)}, kInk);
  Hand(s, {5.5, 25}, 0.95);
  Hand(s, {38.5, 25}, 0.95);
}

void HappySmile(Sketch& s) {
  Face f(s, {16, 16});
  f.Cheeks();
  f.ClosedEye(-5, true);
  f.ClosedEye(5, true);
  f.Smile();
}

void Hello(Sketch& s) {
  Face f(s, {17, 19}, 13);
  f.Eyes();
  f.Smile(7);
  Hand(s, {4.5, 13}, 1);
  s.Shape({{30, 1}, {47, 1}, {47, 12}, {37, 12}, {33, 16}, {34, 12}, {30, 12}}, kWhite, kBlue, 1);
  s.Text({32.5, 1.5}, L"Hi!", 9, kBlue);
}

void Drink(Sketch& s) {
  Face f(s, {15, 18}, 13);
  f.ClosedEye(-5, true);
  f.ClosedEye(5, true);
  f.OpenMouth(3, 6, false);
  s.Arc({44, 24}, 3.5, 4.5, -90, 90, kEdge, 2);
  s.Shape({{31, 15}, {43, 15}, {43, 34}, {31, 34}}, kBeer, kEdge);
  s.Oval({30, 11}, {44, 18}, kWhite, kEdge, 1);
  s.Line({{35, 21}, {35, 30}}, RGB(255, 222, 130), 1.2);
  s.Line({{39, 21}, {39, 30}}, RGB(255, 222, 130), 1.2);
}

void Praise(Sketch& s) {
  Face f(s, {22, 25}, 13);
  f.ClosedEye(-5, true);
  f.ClosedEye(5, true);
  f.OpenMouth(3, 6, false);
  Hand(s, {8, 10}, 1.1);
  Hand(s, {36, 10}, 1.1);
  for (P a : {P{22, 1}, P{16, 3}, P{28, 3}}) s.Line({a, {a.x, a.y + 3}}, kSpark, 1.5);
}

void Bomb(Sketch& s) {
  s.Circle({14, 19}, 11, kDark, RGB(20, 20, 28));
  s.Arc({14, 19}, 7, 7, 100, 160, RGB(150, 156, 176), 2);
  s.Shape({{18, 6}, {24, 9}, {22, 13}, {16, 10}}, RGB(90, 96, 112), RGB(20, 20, 28), 1);
  s.Line({{22, 8}, {25, 3}, {28, 4}}, kWood, 1.5);
  for (double a = 0; a < 360; a += 45) {
    const double r = static_cast<int>(a) % 90 == 0 ? 3.6 : 2.4;
    s.Line({{28.5, 3.5}, {28.5 + r * std::cos(a * kPi / 180), 3.5 - r * std::sin(a * kPi / 180)}},
           kSpark, 1.2);
  }
  s.Circle({28.5, 3.5}, 1.2, RGB(255, 224, 80), kNone);
}

void Yahoo(Sketch& s) {
  Body(s, {20, 20}, {20, 31}, {{8, 7}, {32, 7}}, {{12, 38}, {29, 36}});
  s.Line({{12, 38}, {9, 35}}, kInk, 2);
  s.Line({{29, 36}, {32, 40}}, kInk, 2);
  Face f(s, {20, 12}, 9);
  f.Eyes(-4);
  f.OpenMouth(1, 8, false);
  for (double x : {14.0, 20.0, 26.0}) s.Line({{x, 42}, {x + 2, 44.5}}, kBlue, 1.25);
}

void Truce(Sketch& s) {
  Face f(s, {15, 22}, 13);
  f.Brows(-9, -6);
  f.Eyes(-2);
  f.Frown();
  s.Line({{32, 3}, {32, 38}}, kWood, 2);
  s.Shape({{33, 4}, {43, 5}, {41, 9}, {43, 14}, {33, 14}}, kWhite, RGB(150, 150, 150), 1);
}

struct Picture {
  EmoticonInfo info;
  void (*paint)(Sketch&);
};

constexpr Picture kPictures[kEmoticonCount] = {
    {{L"Angry   :x", 32, 32}, Angry},
    {{L"Smiley   :)", 32, 32}, Smiley},
    {{L"Tongue   :p or :P", 32, 32}, Tongue},
    {{L"Laugh out Loud   :lol:", 32, 32}, LaughOutLoud},
    {{L"Puke or Sick   +o(", 32, 32}, Sick},
    {{L"Oh My!   :o", 32, 32}, OhMy},
    {{L"Unsure or Confused   :s or :?", 32, 32}, Unsure},
    {{L"Wacko   x)", 32, 32}, Wacko},
    {{L"ph34r", 32, 32}, Ninja},
    {{L"Crying   :'(", 32, 32}, Crying},
    {{L"Mellow or Uninterested   :|", 32, 32}, Mellow},
    {{L"Question", 36, 32}, Question},
    {{L"Sad   :(", 32, 32}, Sad},
    {{L"Big Smile!   :D", 32, 32}, BigSmile},
    {{L"Cool   8)", 32, 32}, Cool},
    {{L"Wink   ;)", 32, 32}, Wink},
    {{L"Crazy   8x)", 32, 32}, Crazy},
    {{L"Nea", 40, 32}, Nea},
    {{L"Sarcastic", 32, 32}, Sarcastic},
    {{L"Bye-Bye", 46, 32}, ByeBye},
    {{L"Dancing", 38, 44}, Dancing},
    {{L"Pardon", 44, 32}, Pardon},
    {{L"Happy Smile   :)", 32, 32}, HappySmile},
    {{L"Hello", 48, 32}, Hello},
    {{L"Let's drink on that", 48, 36}, Drink},
    {{L"Praise", 44, 40}, Praise},
    {{L"Bomb", 32, 32}, Bomb},
    {{L"Yahoo!", 40, 45}, Yahoo},
    {{L"Truce or Surrender", 44, 38}, Truce},
};

std::array<EmoticonInfo, kEmoticonCount> Infos() {
  std::array<EmoticonInfo, kEmoticonCount> infos{};
  for (int i = 0; i < kEmoticonCount; ++i) infos[i] = kPictures[i].info;
  return infos;
}

}  // namespace

std::span<const EmoticonInfo> Emoticons() {
  static const std::array<EmoticonInfo, kEmoticonCount> infos = Infos();
  return infos;
}

MetafileHandle DrawEmoticon(int index, HDC reference) {
  const Picture& picture = kPictures[index];
  const int w = picture.info.width, h = picture.info.height;
  const RECT frame{0, 0, MulDiv(w, 2540, GetDeviceCaps(reference, LOGPIXELSX)),
                   MulDiv(h, 2540, GetDeviceCaps(reference, LOGPIXELSY))};
  HDC dc = CreateEnhMetaFileW(reference, nullptr, &frame, L"Tessary\0Emoticon\0");
  if (!dc) return nullptr;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, w * kSub, h * kSub, nullptr);
  SetViewportExtEx(dc, w, h, nullptr);
  Sketch sketch(dc);
  picture.paint(sketch);
  return MetafileHandle(CloseEnhMetaFile(dc));
}

std::span<const Divider> Dividers() {
  static const Divider dividers[] = {
      {L"|-----------------------|", L"|" + std::wstring(65, L'-') + L"|"},
      {L"******************", std::wstring(54, L'*')},
      {L"<<<<<< >>>>>>", std::wstring(25, L'<') + L" " + std::wstring(25, L'>')},
      {L"~~~~~~~~~~~~~", std::wstring(50, L'~')},
      {L"\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022",
       std::wstring(65, L'\u2022')},
      {L"============", std::wstring(49, L'=')},
  };
  return dividers;
}

}  // namespace writer
