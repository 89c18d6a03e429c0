#pragma once
// The independent readers the export tests check files with (qpdf, poppler's pdfinfo and
// pdftoppm, ImageMagick), run as programs of the machine. Under Wine they are reached through
// Wine's start of Unix programs; files are named by their Unix paths.
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "writer/export/RgbImage.h"

namespace export_tests {

struct CommandResult {
  int status = -1;
  std::string output;  // standard output and standard error
};

// Runs a shell command line of the machine (sh -c) and collects what it printed.
CommandResult RunUnix(const std::string& commandLine);

// A folder of its own for the test's files, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The file's path as this program names it, and as the machine's programs name it.
  std::filesystem::path Local(const std::string& name) const { return path_ / name; }
  std::string Unix(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// pdfinfo's fields by name ("Pages", "Page size", "Title"); the test fails when pdfinfo does.
std::map<std::string, std::string> PdfInfo(const ScratchFolder& folder, const std::string& name);

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

// A binary PPM (P6), as pdftoppm and ImageMagick write it.
std::optional<writer::RgbImage> ParsePpm(const std::string& bytes);

// How many pixels of a rendering differ from the picture drawn by more than tolerance in any
// sample, and the largest such difference. Pixels next to a sharp edge of the drawn picture
// are left out: renderers blend there when they resample.
struct ImageDifference {
  int largest = 0;
  long pixelsBeyond = 0;
};
ImageDifference Compare(const writer::RgbImage& rendered, const writer::RgbImage& drawn,
                        int tolerance);

}  // namespace export_tests
