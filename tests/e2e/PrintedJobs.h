#pragma once
// Printed jobs as the collector of tests/e2e/*-print-test.sh hands them over: each job's
// sheets and its runs of text in points from the top left of the sheet (tools/print-output.sh).
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

struct TextRun {
  int page = 0;
  double left = 0, baseline = 0;
  std::string font;
  double size = 0;
  std::string text;
};

struct PrintedJob {
  int pages = 0;
  std::vector<std::pair<int, int>> media;  // each sheet's width and height in points
  std::vector<TextRun> runs;
  std::string postscript;

  std::vector<const TextRun*> Find(const std::string& text) const;
  // The runs of one sheet, in the order they were printed.
  std::vector<const TextRun*> OnPage(int page) const;
};

std::vector<std::string> Split(const std::string& line, char separator);
PrintedJob ParseJob(const std::string& text, const std::string& pages, std::string postscript);

// The jobs of one test in the order they were printed.
class JobCollector {
 public:
  // Jobs already handed over (by earlier tests of the same run) are passed by.
  explicit JobCollector(std::filesystem::path folder);
  // The next job; fails the test (and answers an empty job) when none arrives within a minute.
  PrintedJob Next();

 private:
  std::filesystem::path folder_;
  int count_ = 0;
};
