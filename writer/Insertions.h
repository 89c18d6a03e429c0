#pragma once
// The toolbar's insertions at the caret: today's date and a picture from a file.
#include <windows.h>

#include <string>

namespace writer {

// A date as the program shows short dates: the system's short date format, or, once the user
// has inserted a date, the long date format for the rest of the run.
std::wstring FormatProgramShortDate(const SYSTEMTIME& date);

// Writes today's date over the selection and leaves the caret after it; from then on short
// dates are long dates.
void InsertDate(HWND editor);

// Asks for a picture file and pastes it at the caret as an enhanced metafile, which stays on
// the clipboard. Cancel does nothing; an unreadable file throws EError naming it, with the
// document and the clipboard unchanged.
void InsertPicture(HWND owner, HWND editor);

}  // namespace writer
