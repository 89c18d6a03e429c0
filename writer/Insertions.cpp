#include "writer/Insertions.h"

#include <richedit.h>

#include "platform/Dialogs.h"
#include "writer/PictureMetafile.h"

namespace writer {
namespace {

bool longShortDates = false;

constexpr wchar_t kPictureFilter[] =
    L"All (*.gif;*.jpg;*.jpeg;*.bmp;*.emf;*.wmf)|*.gif;*.jpg;*.jpeg;*.bmp;*.emf;*.wmf|"
    L"CompuServe GIF Image (*.gif)|*.gif|JPEG Image File (*.jpg)|*.jpg|"
    L"JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
    L"Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

}  // namespace

std::wstring FormatProgramShortDate(const SYSTEMTIME& date) {
  const DWORD flags = longShortDates ? DATE_LONGDATE : DATE_SHORTDATE;
  wchar_t text[128];
  const int length =
      GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &date, nullptr, text, 128, nullptr);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length - 1)) : L"";
}

void InsertDate(HWND editor) {
  longShortDates = true;
  SYSTEMTIME today{};
  GetLocalTime(&today);
  const std::wstring text = FormatProgramShortDate(today);
  SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void InsertPicture(HWND owner, HWND editor) {
  FileDialogRequest request;
  request.title = L"Insert a Picture";
  request.filter = kPictureFilter;
  const std::optional<FileDialogResult> file = OpenFileDialog(request);
  if (!file) return;
  const EnhMetaFileHandle picture = LoadPictureAsMetafile(file->path);
  PutMetafileOnClipboard(owner, picture.get());
  SendMessageW(editor, EM_PASTESPECIAL, CF_ENHMETAFILE, 0);
}

}  // namespace writer
