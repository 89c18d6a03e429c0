#include "tests/writer/export/ExternalReaders.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace export_tests {

namespace {

// Under Wine the machine's own /tmp (drive Z:), so that both sides can name the files.
fs::path BaseFolder() {
#ifdef _WIN32
  return fs::path("Z:/tmp");
#else
  return fs::temp_directory_path();
#endif
}

#ifdef _WIN32
// Wine shows the machine's file system as drive Z:.
std::string UnixPathOf(const fs::path& path) {
  std::string p = fs::absolute(path).generic_string();
  if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') return p.substr(2);
  return p;
}
#else
std::string UnixPathOf(const fs::path& path) { return fs::absolute(path).string(); }
#endif

std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

CommandResult RunUnix(const std::string& commandLine) {
  CommandResult result;
#ifdef _WIN32
  // Wine starts a Unix program named by its Unix path, without waiting for it and with the
  // arguments split at every blank: the command goes in a script, which reports its status
  // last, through a file that appears whole.
  static int serial = 0;
  const std::string stem =
      "reader-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
      "-" + std::to_string(++serial);
  const fs::path folder = BaseFolder();
  const fs::path script = folder / (stem + ".sh"), out = folder / (stem + ".out"),
                 status = folder / (stem + ".status");
  WriteBytes(script, "{ " + commandLine + "\n} >" + Quoted(UnixPathOf(out)) + " 2>&1\necho $? >" +
                         Quoted(UnixPathOf(status) + ".part") + "\nmv " +
                         Quoted(UnixPathOf(status) + ".part") + " " + Quoted(UnixPathOf(status)) +
                         "\n");
  const std::string line = "start /unix /bin/sh " + UnixPathOf(script);
  std::system(line.c_str());
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (!fs::exists(status) && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (fs::exists(status)) result.status = std::atoi(ReadBytes(status).c_str());
  result.output = ReadBytes(out);
  std::error_code ignored;
  for (const fs::path& p : {script, out, status}) fs::remove(p, ignored);
#else
  FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  std::size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  return result;
}

ScratchFolder::ScratchFolder()
    : path_(BaseFolder() /
            ("export-tests-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
  fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Unix(const std::string& name) const {
  return Quoted(UnixPathOf(path_ / name));
}

std::map<std::string, std::string> PdfInfo(const ScratchFolder& folder, const std::string& name) {
  const CommandResult info = RunUnix("pdfinfo " + folder.Unix(name));
  if (info.status != 0) ADD_FAILURE() << info.output;
  std::map<std::string, std::string> fields;
  std::istringstream lines(info.output);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::size_t value = line.find_first_not_of(' ', colon + 1);
    fields[line.substr(0, colon)] = value == std::string::npos ? "" : line.substr(value);
  }
  return fields;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::optional<writer::RgbImage> ParsePpm(const std::string& bytes) {
  std::istringstream in(bytes);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  if (magic != "P6" || width <= 0 || height <= 0 || maxValue != 255) return std::nullopt;
  in.get();
  writer::RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    if (!in.read(reinterpret_cast<char*>(image.Row(y)),
                 static_cast<std::streamsize>(image.RowBytes())))
      return std::nullopt;
  return image;
}

namespace {

int SampleDistance(writer::RgbColor p, writer::RgbColor q) {
  return std::max(
      {std::abs(p.red - q.red), std::abs(p.green - q.green), std::abs(p.blue - q.blue)});
}

// A renderer may blend a pixel with its neighbours where the picture changes sharply.
bool OnSharpEdge(const writer::RgbImage& image, int x, int y, int tolerance) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= image.Width() || ny >= image.Height()) continue;
      if (SampleDistance(image.Pixel(nx, ny), image.Pixel(x, y)) > tolerance) return true;
    }
  return false;
}

}  // namespace

ImageDifference Compare(const writer::RgbImage& rendered, const writer::RgbImage& drawn,
                        int tolerance) {
  ImageDifference d;
  for (int y = 0; y < std::min(rendered.Height(), drawn.Height()); ++y) {
    for (int x = 0; x < std::min(rendered.Width(), drawn.Width()); ++x) {
      const int worst = SampleDistance(rendered.Pixel(x, y), drawn.Pixel(x, y));
      if (worst <= tolerance || OnSharpEdge(drawn, x, y, tolerance)) continue;
      d.largest = std::max(d.largest, worst);
      ++d.pixelsBeyond;
    }
  }
  return d;
}

}  // namespace export_tests
