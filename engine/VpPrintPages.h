#pragma once
// The page list's printing loop, written against what a printer wrapper offers so it runs
// (and is tested) without a device: one job, each page clipped and drawn at the printer's
// resolution onto its place on the sheet.

#include <vector>

#include "engine/VpPageList.h"
#include "engine/VpPaper.h"

class TVpPrintSink {
 public:
  virtual ~TVpPrintSink() = default;
  virtual void SetJobOrientation(TVpOrientation orientation) = 0;
  virtual void SetPagesPerSheet(TVpPagesPerSheet pages) = 0;
  virtual void SetPaper(TVpPaperSize paper) = 0;
  // False when no job started (no printer, one already running, or cancelled at once).
  virtual bool BeginJob() = 0;
  virtual bool Aborted() const = 0;
  // Pixels per inch in the job's orientation.
  virtual TVpIntPoint Resolution() const = 0;
  // The printer's canvas, mapped for the current page.
  virtual TVpDrawTarget& Canvas() = 0;
  virtual void NextPage() = 0;
  virtual void EndJob() = 0;
  // Ends a job that cannot be finished without leaving a document open on the platform.
  virtual void AbortJob() = 0;
};

// Prints the pages with these 1-based numbers as one job. A page that fails to draw aborts
// the job and the failure goes on to the caller; nothing is reported as printed. A job marked
// aborted stops after its current page and is withdrawn. A number outside the list throws
// std::out_of_range before anything is printed.
void PrintPages(TVpPageList& list, TVpPrintSink& printer, const std::vector<int>& pages);
