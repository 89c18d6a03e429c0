// Marrowby's label printing from outside, as a user works with it: contacts imported into an
// empty folder, all of them previewed and printed, then three from a later start position,
// then on a custom sheet added through the custom label windows with another font; the
// program ended and started again keeps those choices. What was printed is read back from
// the test printer: tests/e2e/marrowby-print-test.sh runs this test with a collector that
// hands each finished job over as text runs in points (tools/print-output.sh).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/PrintedJobs.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// The contacts ---------------------------------------------------------------------------------

struct Contact {
  std::string title, name, surname, street, postcode, city, country;
  // What the label's first line shows: the parts that are there, one space apart.
  std::string Line1() const {
    std::string line;
    for (const std::string* part : {&title, &name})
      if (!part->empty()) line += *part + " ";
    return line + surname;
  }
};

// Thirty contacts in surname order (plain letters, so every collation agrees); some without a
// title or a name.
std::vector<Contact> SortedContacts() {
  const char* const surnames[] = {"Abbott", "Ashby",  "Baker",  "Brooks",  "Carter", "Chen",
                                  "Dawson", "Dunn",   "Ellis",  "Fisher",  "Garcia", "Hughes",
                                  "Irwin",  "Jensen", "Keller", "Lambert", "Moreno", "Nash",
                                  "Olsen",  "Porter", "Quinn",  "Reyes",   "Shaw",   "Tanaka",
                                  "Usher",  "Vance",  "Walsh",  "Xu",      "Young",  "Zimmer"};
  const char* const names[] = {"Ann", "Ben", "Cleo", "Dev", "Eva", "Finn", "Gus"};
  const char* const titles[] = {"Mr", "Ms", "Dr", ""};
  const char* const cities[] = {"Leeds", "Cork", "Lyon", "Graz", "Turku"};
  const char* const countries[] = {"UK", "Ireland", "France"};
  std::vector<Contact> contacts;
  for (int i = 0; i < 30; ++i) {
    contacts.push_back({titles[i % 4], i % 7 == 3 ? "" : names[i % 7], surnames[i],
                        std::to_string(i + 1) + " Elm Street", std::to_string(10000 + i * 37),
                        cities[i % 5], countries[i % 3]});
  }
  return contacts;
}

// The import file holds them out of order, so the labels' order proves the list's.
std::string ContactsCsv(const std::vector<Contact>& contacts) {
  std::string csv =
      "Contact_Title,Contact_Name,Contact_Surname,Contact_Address1,Contact_Address2,"
      "Contact_Address3,Contact_Address4\r\n";
  const int n = static_cast<int>(contacts.size());
  for (int line = 0; line < n; ++line) {
    const Contact& c = contacts[static_cast<std::size_t>(line * 7 % n)];
    csv += c.title + "," + c.name + "," + c.surname + "," + c.street + "," + c.postcode + "," +
           c.city + "," + c.country + "\r\n";
  }
  return csv;
}

// Sheets and where a label's text lands, in points from the sheet's top left ----------------

constexpr double PointsFromInches(double in) { return in * 72; }
constexpr double PointsFromMm(double mm) { return mm * 72 / 25.4; }

struct SheetGeometry {
  int across;
  double left, top, horzPitch, vertPitch;  // points
};

// L7159_Address: 3 x 8 labels.
constexpr SheetGeometry kL7159{3, PointsFromInches(0.25), PointsFromInches(0.54),
                               PointsFromInches(2.63), PointsFromInches(1.33)};
// The custom sheet the test adds (in millimetres, as typed into its window).
constexpr SheetGeometry kCustomSheet{2, PointsFromMm(10), PointsFromMm(15), PointsFromMm(100),
                                     PointsFromMm(55)};

struct TextSettings {
  double lineSpacingMm = 1;
  double fontSize = 8;
  double ascent = 0.905;  // of the font's size: Arial's metrics (Liberation Sans under Wine)
  std::string fontName = "LiberationSans";
  double topMm = 0, leftMm = 0;  // the text block's shift
};

struct TextAt {
  double x, baseline;
};

// Line k of the label at position (0-based, row by row) on its sheet.
TextAt LineAt(const SheetGeometry& sheet, const TextSettings& text, int position, int k) {
  constexpr double kLineBaseMm[5] = {4, 10, 16, 22, 28};
  const int col = position % sheet.across, row = position / sheet.across;
  const double top = sheet.top + row * sheet.vertPitch +
                     PointsFromMm(kLineBaseMm[k] + text.topMm + k * text.lineSpacingMm);
  return {sheet.left + col * sheet.horzPitch + PointsFromMm(15 + text.leftMm),
          top + text.ascent * text.fontSize};
}

// The printed job of a run of labels, in the order given: each label's five lines where its
// position puts them, in the chosen font.
struct PlacedLabel {
  const Contact* contact;
  int page;      // from 1
  int position;  // on its sheet, from 0
};

void ExpectLabels(const PrintedJob& job, const SheetGeometry& sheet, const TextSettings& text,
                  const std::vector<PlacedLabel>& labels) {
  for (const PlacedLabel& label : labels) {
    const Contact& c = *label.contact;
    const std::string lines[5] = {c.Line1(), c.street, c.city, c.postcode, c.country};
    for (int k = 0; k < 5; ++k) {
      const TextAt want = LineAt(sheet, text, label.position, k);
      bool found = false;
      std::ostringstream seen;
      for (const TextRun* run : job.Find(lines[k])) {
        seen << " page " << run->page << " (" << run->left << ", " << run->baseline << ") "
             << run->font << " " << run->size << ";";
        found = found || (run->page == label.page && std::abs(run->left - want.x) <= 1 &&
                          std::abs(run->baseline - want.baseline) <= 1 &&
                          run->font.find(text.fontName) != std::string::npos &&
                          std::abs(run->size - text.fontSize) <= 0.1);
      }
      EXPECT_TRUE(found) << "\"" << lines[k] << "\" not on page " << label.page << " at (" << want.x
                         << ", " << want.baseline << ") in " << text.fontName << " "
                         << text.fontSize << "; printed:" << seen.str();
    }
  }
}

// Where the job places each picture, in points from the sheet's top left. Wine's PostScript
// sets the device up as "72 <dpi> div ... scale", "<x> <y> translate" (the printable area's
// corner, y counted up from the bottom) and "1 -1 scale", then draws each picture into the
// unit square after "<x> <y> translate <w> <h> scale".
struct PrintedPicture {
  double left, top, width, height;
};

std::vector<PrintedPicture> PicturesIn(const std::string& ps, double pageHeight) {
  std::vector<PrintedPicture> found;
  double dpi = 0, originX = 0, originY = 0;
  std::istringstream in(ps);
  std::string line, previous;
  double tx = 0, ty = 0, sx = 0, sy = 0;
  while (std::getline(in, line)) {
    double a = 0, b = 0;
    char word[32] = {};
    if (std::sscanf(line.c_str(), "72 %lf div 72 %lf div scale", &a, &b) == 2) dpi = a;
    if (std::sscanf(line.c_str(), "%lf %lf %31s", &a, &b, word) == 3) {
      const std::string op = word;
      if (op == "translate" && previous.find("div scale") != std::string::npos) {
        originX = a;
        originY = b;
      } else if (op == "translate") {
        tx = a;
        ty = b;
      } else if (op == "scale") {
        sx = a;
        sy = b;
      }
    }
    if (line == " /ImageType 1" && dpi > 0) {
      const double pt = 72 / dpi;
      found.push_back({(originX + tx) * pt, pageHeight - (originY - ty) * pt, sx * pt, sy * pt});
    }
    previous = line;
  }
  return found;
}

// Outlines are recorded for the screen only: the job strokes no line and sets no colour but
// the text's black (Wine's PostScript gives colours as "r g b setrgbcolor" with two decimals).
void ExpectNoOutlines(const PrintedJob& job) {
  const std::string& ps = job.postscript;
  EXPECT_EQ(ps.find("stroke"), std::string::npos) << "a line was printed";
  std::size_t colours = 0, black = 0;
  for (std::size_t at = ps.find(" setrgbcolor"); at != std::string::npos;
       at = ps.find(" setrgbcolor", at + 1)) {
    ++colours;
    black += at >= 14 && ps.compare(at - 14, 14, "0.00 0.00 0.00") == 0;
  }
  EXPECT_GT(colours, 0u);
  EXPECT_EQ(black, colours) << "something other than the text's black was printed";
}

// Screen checks ----------------------------------------------------------------------------------

// What a window shows on screen, as 0x00RRGGBB pixels, top row first.
struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

Capture CaptureWindow(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  Capture c;
  c.width = std::max<int>(r.right - r.left, 1);
  c.height = std::max<int>(r.bottom - r.top, 1);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.width;
  bi.bmiHeader.biHeight = -c.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, c.width, c.height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    const auto* px = static_cast<const std::uint32_t*>(bits);
    c.pixels.assign(px,
                    px + static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height));
    DeleteObject(dib);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return c;
}

// Spans of lines that hold paper: each is [first, last] of a run of paper lines with at most
// a few outline lines inside it, and at least kSmallestPicture long.
std::vector<std::pair<int, int>> PaperSpans(const std::vector<bool>& paper) {
  constexpr int kMostOutlineLines = 4, kSmallestPicture = 20;
  std::vector<std::pair<int, int>> spans;
  const int n = static_cast<int>(paper.size());
  for (int i = 0; i < n;) {
    if (!paper[static_cast<std::size_t>(i)]) {
      ++i;
      continue;
    }
    int end = i + 1, last = i;
    for (; end < n && end - last <= kMostOutlineLines; ++end)
      if (paper[static_cast<std::size_t>(end)]) last = end;
    if (last - i + 1 >= kSmallestPicture) spans.emplace_back(i, last);
    i = end;
  }
  return spans;
}

// The page pictures in the thumbnail grid: bands of rows with white paper in them, and in
// each band the runs of columns with paper. Inside a picture only the thin outlines
// interrupt the paper; between two pictures lie the caption and the spacing.
int CountPagePictures(const Capture& strip) {
  constexpr int kPaperPixels = 10;
  const auto white = [&](int x, int y) { return (strip.At(x, y) & 0xFFFFFF) == 0xFFFFFF; };
  std::vector<bool> rows;
  for (int y = 0; y < strip.height; ++y) {
    int count = 0;
    for (int x = 0; x < strip.width; ++x) count += white(x, y);
    rows.push_back(count >= kPaperPixels);
  }
  int pictures = 0;
  for (const auto& [top, bottom] : PaperSpans(rows)) {
    std::vector<bool> columns;
    for (int x = 0; x < strip.width; ++x) {
      int count = 0;
      for (int y = top; y <= bottom; ++y) count += white(x, y);
      columns.push_back(count >= kPaperPixels);
    }
    pictures += static_cast<int>(PaperSpans(columns).size());
  }
  return pictures;
}

// The program ----------------------------------------------------------------------------------

class MarrowbyPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    const wchar_t* jobs = _wgetenv(L"E2E_PRINT_JOBS");
    if (!jobs || !*jobs)
      GTEST_SKIP() << "Needs the test printer: run tests/e2e/marrowby-print-test.sh.";
    jobs_ = fs::path(L"Z:" + std::wstring(jobs));
    collector_ = std::make_unique<JobCollector>(jobs_);
    run_ = std::make_unique<ProgramRun>(MARROWBY_EXE);
    Attach();
  }

  void Attach() {
    main_ = run_->WaitForWindow(L"Marrowby");
    list_ = FindChildByIndex(main_, L"ListBox", 0);
  }

  std::vector<std::wstring> Rows() const { return ListRows(list_); }

  void ImportContacts(const std::string& csv) {
    const fs::path file = run_->Folder() / "contacts.csv";
    std::ofstream(file, std::ios::binary) << csv;
    ClickButton(main_, L"Import");
    HWND import = run_->WaitForWindow(L"Import Contacts");
    ClickButton(import, L"...");
    HWND open = run_->WaitForWindow(L"Open");
    HWND name = GetDlgItem(open, 0x480);  // the file name box
    if (!name) name = FindChildByIndex(open, L"Edit", 0);
    SetControlText(name, file.wstring());
    ClickButton(open, L"Open");
    // The header names the fields in schema order, so each list takes its own column.
    for (int i = 0; i < 7; ++i) {
      HWND combo = FindChildByIndex(import, L"ComboBox", i);
      ASSERT_TRUE(WaitUntil([&] { return Ask(combo, CB_GETCOUNT) == 7; }));
      Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(i));
    }
    ClickButton(import, L"Import");
  }

  // General records from a CSV file whose header names the six fields in order.
  void ImportGeneral(const std::string& csv) {
    const fs::path file = run_->Folder() / "general.csv";
    std::ofstream(file, std::ios::binary) << csv;
    ClickButton(main_, L"Import");
    HWND import = run_->WaitForWindow(L"Import General Information");
    ClickButton(import, L"...");
    run_->ChooseFile(L"Open", file, L"Open");
    for (int i = 0; i < 6; ++i) {
      HWND combo = FindChildByIndex(import, L"ComboBox", i);
      ASSERT_TRUE(WaitUntil([&] { return Ask(combo, CB_GETCOUNT) == 6; }));
      Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(i));
    }
    ClickButton(import, L"Import");
  }

  void ClickCheckMark(int row) const { ClickRowCheckMark(list_, row); }

  bool Ticked(int row) const { return Ask(list_, LB_GETITEMDATA, static_cast<WPARAM>(row)) == 1; }

  // "Preview" and the print window it opens, with its pages built.
  void OpenPrintWindow() {
    ClickButton(main_, L"Preview");
    print_ = run_->WaitForWindow(L"Print Preview");
    thumbnails_ = FindChildByIndex(print_, L"VpThumbnails", 0);
    HWND textGroup = FindChild(print_, L"", L"Customize Text");
    startSpin_ = FindChildByIndex(textGroup, L"Edit", 0);
    labelTypes_ = nullptr;
    for (int i = 0; !labelTypes_; ++i) {
      HWND combo = FindChildByIndex(print_, L"ComboBox", i);
      if (Ask(combo, CB_GETCOUNT) == 20) labelTypes_ = combo;
    }
  }

  void ClosePrintWindow() {
    ClickButton(print_, L"Close");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(print_); }));
  }

  // Waits until the thumbnail strip shows this many page pictures; returns what it showed.
  // What it showed otherwise is kept beside the jobs for a look (a PPM picture).
  int WaitForPagePictures(int pages) const {
    Capture shown;
    int seen = -1;
    WaitUntil(
        [&] {
          shown = CaptureWindow(thumbnails_);
          seen = CountPagePictures(shown);
          return seen == pages;
        },
        15s);
    if (seen != pages) {
      std::ofstream ppm(jobs_ / "thumbnails.ppm", std::ios::binary);
      ppm << "P6\n" << shown.width << " " << shown.height << "\n255\n";
      for (std::uint32_t px : shown.pixels)
        ppm << static_cast<char>(px >> 16) << static_cast<char>(px >> 8) << static_cast<char>(px);
    }
    return seen;
  }

  // Chooses a label type as the list's own selection change would.
  void ChooseLabelType(const std::wstring& type) {
    const LRESULT index = Ask(labelTypes_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(type.c_str()));
    ASSERT_GE(index, 0) << "no label type " << Utf8FromWide(type);
    Ask(labelTypes_, CB_SETCURSEL, static_cast<WPARAM>(index));
    Ask(GetParent(labelTypes_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(labelTypes_), CBN_SELCHANGE),
        reinterpret_cast<LPARAM>(labelTypes_));
  }

  void SetStartAndApply(int start) {
    SetControlText(startSpin_, std::to_wstring(start));
    ClickButton(print_, L"Apply");
  }

  // The text block's line spacing, top and left shift in millimetres, as typed into the spins.
  void SetTextShift(int spacing, int top, int left) {
    HWND textGroup = FindChild(print_, L"", L"Customize Text");
    SetControlText(FindChildByIndex(textGroup, L"Edit", 1), std::to_wstring(spacing));
    SetControlText(FindChildByIndex(textGroup, L"Edit", 2), std::to_wstring(top));
    SetControlText(FindChildByIndex(textGroup, L"Edit", 3), std::to_wstring(left));
  }

  // Picks a font and size in the common font dialog, as a user would pick them in its lists.
  void ChooseFont(const std::wstring& face, const std::wstring& size) {
    ClickButton(print_, L"Font...");
    HWND dialog = run_->WaitForWindow(L"Font");
    const auto pick = [&](int id, const std::wstring& text) {
      HWND combo = GetDlgItem(dialog, id);
      ASSERT_TRUE(WaitUntil([&] {
        return Ask(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(text.c_str())) >= 0;
      })) << Utf8FromWide(text)
          << " is not offered";
      const LRESULT index = Ask(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(text.c_str()));
      Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
      Ask(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    };
    pick(0x470, face);  // the font list
    pick(0x472, size);  // the size list
    ClickButton(dialog, L"OK");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
  }

  // The font and size the font dialog opens with.
  std::pair<std::wstring, std::wstring> FontShown() {
    ClickButton(print_, L"Font...");
    HWND dialog = run_->WaitForWindow(L"Font");
    std::pair<std::wstring, std::wstring> shown{ControlText(GetDlgItem(dialog, 0x470)),
                                                ControlText(GetDlgItem(dialog, 0x472))};
    ClickButton(dialog, L"Cancel");
    WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
    return shown;
  }

  // The next job the collector hands over; fails the test when none arrives.
  PrintedJob NextJob() { return collector_->Next(); }

  PrintedJob PrintAll() {
    ClickButton(print_, L"Print All");
    return NextJob();
  }

  fs::path jobs_;
  std::unique_ptr<JobCollector> collector_;
  std::unique_ptr<ProgramRun> run_;
  HWND main_ = nullptr, list_ = nullptr;
  HWND print_ = nullptr, thumbnails_ = nullptr, startSpin_ = nullptr, labelTypes_ = nullptr;
};

}  // namespace

TEST_F(MarrowbyPrinting, LabelsArePrintedWhereTheSheetPutsThemAndTheChoicesAreKept) {
  const std::vector<Contact> contacts = SortedContacts();
  ImportContacts(ContactsCsv(contacts));
  ASSERT_TRUE(WaitUntil([&] { return Rows().size() == contacts.size(); }));
  const std::vector<std::wstring> rows = Rows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    ASSERT_NE(rows[i].find(WideFromUtf8(contacts[i].surname)), std::wstring::npos)
        << "row " << i << " is " << Utf8FromWide(rows[i]);

  // All thirty on the default sheet: 24 on the first page, 6 on the second.
  ClickButton(main_, L"Select All");
  ASSERT_TRUE(WaitUntil([&] { return Ticked(0) && Ticked(29); }));
  OpenPrintWindow();
  EXPECT_EQ(ControlText(labelTypes_), L"L7159_Address");
  EXPECT_EQ(ControlText(startSpin_), L"1");
  EXPECT_EQ(WaitForPagePictures(2), 2) << "page pictures in the thumbnail strip (a picture of "
                                          "it: thumbnails.ppm beside the jobs)";
  PrintedJob job = PrintAll();
  EXPECT_EQ(job.pages, 2);
  std::vector<PlacedLabel> all;
  for (int i = 0; i < 30; ++i)
    all.push_back({&contacts[static_cast<std::size_t>(i)], i / 24 + 1, i % 24});
  ExpectLabels(job, kL7159, TextSettings{}, all);
  ExpectNoOutlines(job);
  ClosePrintWindow();

  // Three ticked, from label 5 on: row 2 columns 2 and 3, row 3 column 1 of page 1.
  ClickButton(main_, L"Deselect All");
  ASSERT_TRUE(WaitUntil([&] { return !Ticked(0) && !Ticked(29); }));
  for (int row : {1, 4, 7}) {
    ClickCheckMark(row);
    ASSERT_TRUE(WaitUntil([&] { return Ticked(row); }));
  }
  OpenPrintWindow();
  // The text block moved: 1 mm less between lines, 3 mm down and 4 mm to the left.
  SetTextShift(0, 3, -4);
  SetStartAndApply(5);
  EXPECT_EQ(WaitForPagePictures(1), 1);
  job = PrintAll();
  EXPECT_EQ(job.pages, 1);
  EXPECT_EQ(job.runs.size(), 15u) << "five lines on each of three labels";
  TextSettings shifted;
  shifted.lineSpacingMm = 0;
  shifted.topMm = 3;
  shifted.leftMm = -4;
  ExpectLabels(job, kL7159, shifted,
               {{&contacts[1], 1, 4}, {&contacts[4], 1, 5}, {&contacts[7], 1, 6}});
  ExpectNoOutlines(job);

  // A sheet of the user's own: 2 x 5 labels in millimetres, through the custom windows.
  ChooseLabelType(L"Custom_Template");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(FindChild(print_, L"", L"Custom Labels")); }));
  EXPECT_EQ(ControlText(startSpin_), L"1") << "a custom sheet without a template starts at 1";
  ClickButton(print_, L"Custom Labels");
  HWND customLabels = run_->WaitForWindow(L"Custom Labels");
  ClickButton(customLabels, L"Add");
  HWND edit = run_->WaitForWindow(L"Add Custom Label");
  const wchar_t* const boxes[] = {L"Wide 2x5", L"2",  L"5",  L"90", L"50",
                                  L"100",      L"55", L"10", L"15"};
  for (int i = 0; i < 9; ++i) SetControlText(FindChildByIndex(edit, L"Edit", i), boxes[i]);
  const wchar_t* const choices[] = {L"Portrait", L"A4", L"Label Rectangle", nullptr,
                                    L"Millimeters"};
  for (int i = 0; i < 5; ++i) {
    if (!choices[i]) continue;
    HWND combo = FindChildByIndex(edit, L"ComboBox", i);
    Ask(combo, CB_SETCURSEL,
        static_cast<WPARAM>(Ask(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(choices[i]))));
  }
  // Bad input first: the corner radius left empty is named and nothing is stored.
  ClickButton(edit, L"Save");
  MessageBoxSeen box = run_->WaitForMessageBox();
  EXPECT_EQ(box.text, L"Please select Default Label Corner Radius.");
  run_->Answer(box, L"OK");
  HWND corner = FindChildByIndex(edit, L"ComboBox", 3);
  Ask(corner, CB_SETCURSEL, 1);  // "Default in Millimeters"
  ClickButton(edit, L"Save");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(edit); }));
  HWND templates = FindChildByIndex(customLabels, L"ListBox", 0);
  EXPECT_EQ(ListRows(templates), std::vector<std::wstring>{L"Wide 2x5"});
  EXPECT_EQ(Ask(templates, LB_GETITEMDATA, 0), 1) << "the first sheet becomes the default";
  ClickButton(customLabels, L"Close");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(customLabels); }));

  SetStartAndApply(4);
  ChooseFont(L"Times New Roman", L"12");
  EXPECT_EQ(WaitForPagePictures(1), 1);
  job = PrintAll();
  EXPECT_EQ(job.pages, 1);
  EXPECT_EQ(job.media, (std::vector<std::pair<int, int>>{{595, 842}})) << "A4";
  const TextSettings times{0, 12, 0.891, "LiberationSerif", 3, -4};
  ExpectLabels(job, kCustomSheet, times,
               {{&contacts[1], 1, 3}, {&contacts[4], 1, 4}, {&contacts[7], 1, 5}});
  ExpectNoOutlines(job);
  ClosePrintWindow();

  // The next run of the program opens the print window as it was left.
  EXPECT_EQ(run_->Close(main_), 0u);
  run_->Restart();
  Attach();
  ASSERT_TRUE(WaitUntil([&] { return Rows().size() == contacts.size(); }));
  ClickButton(main_, L"Select All");
  ASSERT_TRUE(WaitUntil([&] { return Ticked(29); }));
  OpenPrintWindow();
  EXPECT_EQ(ControlText(labelTypes_), L"Custom_Template");
  EXPECT_EQ(ControlText(startSpin_), L"4");
  HWND textGroup = FindChild(print_, L"", L"Customize Text");
  EXPECT_EQ(ControlText(FindChildByIndex(textGroup, L"Edit", 1)), L"0");
  EXPECT_EQ(ControlText(FindChildByIndex(textGroup, L"Edit", 2)), L"3");
  EXPECT_EQ(ControlText(FindChildByIndex(textGroup, L"Edit", 3)), L"-4");
  EXPECT_EQ(FontShown(), (std::pair<std::wstring, std::wstring>{L"Times New Roman", L"12"}));
  // 3 empty positions and 30 labels on sheets of 10.
  job = PrintAll();
  EXPECT_EQ(job.pages, 4);
  ExpectLabels(
      job, kCustomSheet, times,
      {{&contacts[0], 1, 3}, {&contacts[6], 1, 9}, {&contacts[7], 2, 0}, {&contacts[29], 4, 2}});
  ClosePrintWindow();
  EXPECT_EQ(run_->Close(main_), 0u);
}

// A 4 x 2 pixel picture: a bitmap file of the platform's own format.
std::string SmallBitmap() {
  std::string bmp = {'B', 'M'};
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>(v >> (8 * i)));
  };
  const int rowBytes = 12;  // 4 pixels of 3 bytes, already a multiple of 4
  put(54 + 2 * rowBytes, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(4, 4);
  put(2, 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(2 * rowBytes, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (int i = 0; i < 8; ++i) put(i % 2 ? 0xFF0000 : 0x0000FF, 3);
  return bmp;
}

TEST_F(MarrowbyPrinting, AGeneralLabelsPictureLandsInTheRectangleItsSpinsGive) {
  ClickButton(main_, L"General Printing");
  const fs::path picture = run_->Folder() / "swatch.bmp";
  std::ofstream(picture, std::ios::binary) << SmallBitmap();
  ImportGeneral(
      "General_Field1,General_Field2,General_Field3,General_Field4,General_Field5,"
      "General_Field6\r\nBlue shelf,Aisle 4,Bay 2,Level 1,Stock 12," +
      Utf8FromWide(picture.wstring()) + "\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Rows().size() == 1; }));
  ClickButton(main_, L"Select All");
  ASSERT_TRUE(WaitUntil([&] { return Ticked(0); }));
  OpenPrintWindow();
  HWND pictureGroup = FindChild(print_, L"", L"Image Start Coordinates and Size");
  const wchar_t* const spins[] = {L"3", L"40", L"13", L"60"};  // top, left, bottom, right (mm)
  for (int i = 0; i < 4; ++i) SetControlText(FindChildByIndex(pictureGroup, L"Edit", i), spins[i]);
  SetStartAndApply(2);
  const PrintedJob job = PrintAll();
  ASSERT_EQ(job.pages, 1);
  // The second position of the sheet: column 2 of row 1.
  const double left = kL7159.left + kL7159.horzPitch, top = kL7159.top;
  const std::vector<PrintedPicture> pictures = PicturesIn(job.postscript, job.media[0].second);
  ASSERT_EQ(pictures.size(), 1u);
  const PrintedPicture& p = pictures[0];
  EXPECT_NEAR(p.left, left + PointsFromMm(40), 1);
  EXPECT_NEAR(p.top, top + PointsFromMm(3), 1);
  EXPECT_NEAR(p.width, PointsFromMm(20), 1);
  EXPECT_NEAR(p.height, PointsFromMm(10), 1);
  EXPECT_EQ(job.Find("Blue shelf").size(), 1u);
}
