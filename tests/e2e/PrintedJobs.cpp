#include "tests/e2e/PrintedJobs.h"

#include <windows.h>

#include <sstream>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tests/e2e/Driver.h"

std::vector<const TextRun*> PrintedJob::Find(const std::string& text) const {
  std::vector<const TextRun*> found;
  for (const TextRun& r : runs)
    if (r.text == text) found.push_back(&r);
  return found;
}

std::vector<const TextRun*> PrintedJob::OnPage(int page) const {
  std::vector<const TextRun*> found;
  for (const TextRun& r : runs)
    if (r.page == page) found.push_back(&r);
  return found;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(line);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

PrintedJob ParseJob(const std::string& text, const std::string& pages, std::string postscript) {
  PrintedJob job;
  std::istringstream pageLines(pages);
  std::string line;
  while (std::getline(pageLines, line)) {
    const std::vector<std::string> f = Split(line, ' ');
    if (f.size() == 2 && f[0] == "pages") job.pages = std::stoi(f[1]);
    if (f.size() == 3) job.media.emplace_back(std::stoi(f[1]), std::stoi(f[2]));
  }
  std::istringstream textLines(text);
  while (std::getline(textLines, line)) {
    // page, left, baseline, right, baseline, font, size, text
    const std::vector<std::string> f = Split(line, '\t');
    if (f.size() < 8) continue;
    job.runs.push_back(
        {std::stoi(f[0]), std::stod(f[1]), std::stod(f[2]), f[5], std::stod(f[6]), f[7]});
  }
  job.postscript = std::move(postscript);
  return job;
}

JobCollector::JobCollector(std::filesystem::path folder) : folder_(std::move(folder)) {
  while (std::filesystem::exists(folder_ / (L"job-" + std::to_wstring(count_ + 1) + L".done")))
    ++count_;
}

PrintedJob JobCollector::Next() {
  using namespace std::chrono_literals;
  ++count_;
  const std::wstring stem = L"job-" + std::to_wstring(count_);
  if (!WaitUntil([&] { return std::filesystem::exists(folder_ / (stem + L".done")); }, 60s)) {
    std::wstring why;
    if (HWND box = FindWindowW(L"#32770", nullptr)) why = ControlText(GetDlgItem(box, 0xFFFF));
    ADD_FAILURE() << "job " << count_ << " was not printed " << Utf8FromWide(why);
    return {};
  }
  return ParseJob(Slurp(folder_ / (stem + L".txt")), Slurp(folder_ / (stem + L".pages")),
                  Slurp(folder_ / (stem + L".ps")));
}
