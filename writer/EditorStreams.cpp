#include "writer/EditorStreams.h"

#include <richedit.h>

#include <exception>

#include "platform/Error.h"

namespace {

template <typename Stream>
struct Cookie {
  Stream& stream;
  std::exception_ptr failure;
};

// No exception may cross the control's callback: a failure is kept and reported as an error.
DWORD CALLBACK ReadInto(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& c = *reinterpret_cast<Cookie<RestartableSource>*>(cookie);
  *done = 0;
  try {
    *done = static_cast<LONG>(
        c.stream.read(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(size)));
    return 0;
  } catch (...) {
    c.failure = std::current_exception();
    return 1;
  }
}

DWORD CALLBACK WriteFrom(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& c = *reinterpret_cast<Cookie<BlockSink>*>(cookie);
  *done = 0;
  try {
    c.stream.write(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    *done = size;
    return 0;
  } catch (...) {
    c.failure = std::current_exception();
    return 1;
  }
}

bool TryStreamIn(HWND editor, UINT flags, RestartableSource& source) {
  Cookie<RestartableSource> cookie{source, nullptr};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cookie), 0, ReadInto};
  SendMessageW(editor, EM_STREAMIN, flags, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0 && !cookie.failure;
}

void CaretToStart(HWND editor) {
  CHARRANGE start{0, 0};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
}

}  // namespace

void StreamOut(HWND editor, UINT flags, BlockSink& sink) {
  Cookie<BlockSink> cookie{sink, nullptr};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cookie), 0, WriteFrom};
  SendMessageW(editor, EM_STREAMOUT, flags, reinterpret_cast<LPARAM>(&stream));
  if (cookie.failure) std::rethrow_exception(cookie.failure);
  if (stream.dwError != 0) throw EError("Failed to Save Stream");
}

std::string StreamOutToString(HWND editor, UINT flags) {
  StringSink sink;
  StreamOut(editor, flags, sink);
  return std::move(sink.bytes);
}

void StreamInWithFallback(HWND editor, RestartableSource& source, UINT first, UINT second) {
  if (!TryStreamIn(editor, first, source)) {
    ClearEditor(editor);
    source.restart();
    if (!TryStreamIn(editor, second, source)) {
      ClearEditor(editor);
      throw EError("Failed to Load Stream");
    }
  }
  CaretToStart(editor);
}

bool IsPlainTextMode(HWND editor) {
  return (SendMessageW(editor, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT) != 0;
}

void SetPlainTextMode(HWND editor, bool plain) {
  if (IsPlainTextMode(editor) == plain) return;
  const LRESULT modified = SendMessageW(editor, EM_GETMODIFY, 0, 0);
  const UINT asText = SF_TEXT | SF_UNICODE;
  const std::string content = StreamOutToString(editor, asText);
  ClearEditor(editor);
  SendMessageW(editor, EM_SETTEXTMODE, plain ? TM_PLAINTEXT : TM_RICHTEXT, 0);
  BytesSource source(content);
  StreamInWithFallback(editor, source, asText, asText);
  SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void ClearEditor(HWND editor) {
  SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}
