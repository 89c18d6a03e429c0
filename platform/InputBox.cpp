#include "platform/InputBox.h"

#include <vector>

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

// Builds an in-memory dialog template; items must start on DWORD boundaries.
class TemplateBuilder {
 public:
  void Word(WORD w) { data_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& s) {
    data_.insert(data_.end(), s.begin(), s.end());
    Word(0);
  }
  void AlignDword() {
    if (data_.size() % 2) Word(0);
  }

  void Dialog(const std::wstring& caption, short cx, short cy, WORD items) {
    Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT);
    Dword(0);
    Word(items);
    Word(0);
    Word(0);
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(0);
    Word(0);  // no menu, default class
    Text(caption);
    Word(8);
    Text(L"MS Shell Dlg");
  }

  void Item(WORD cls, DWORD style, short x, short y, short cx, short cy, WORD id,
            const std::wstring& text) {
    AlignDword();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF);
    Word(cls);
    Text(text);
    Word(0);
  }

  const DLGTEMPLATE* get() {
    AlignDword();
    return reinterpret_cast<const DLGTEMPLATE*>(data_.data());
  }

 private:
  std::vector<WORD> data_;
};

struct InputState {
  std::wstring text;
};

INT_PTR CALLBACK InputProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dlg, DWLP_USER, lp);
      auto* state = reinterpret_cast<InputState*>(lp);
      SetDlgItemTextW(dlg, kEditId, state->text.c_str());
      SendDlgItemMessageW(dlg, kEditId, EM_SETSEL, 0, -1);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dlg, DWLP_USER));
        const int n = GetWindowTextLengthW(GetDlgItem(dlg, kEditId));
        state->text.assign(static_cast<std::size_t>(n) + 1, L'\0');
        GetDlgItemTextW(dlg, kEditId, state->text.data(), n + 1);
        state->text.resize(static_cast<std::size_t>(n));
        EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<std::wstring> RunInputBox(HWND owner, const std::wstring& caption,
                                        const std::wstring& prompt, const std::wstring& initial) {
  constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
  TemplateBuilder t;
  t.Dialog(caption, 220, 74, 4);
  t.Item(kStatic, SS_LEFT, 8, 8, 204, 10, kPromptId, prompt);
  t.Item(kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 22, 204, 13, kEditId, L"");
  t.Item(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 48, 50, 16, IDOK, L"OK");
  t.Item(kButton, BS_PUSHBUTTON | WS_TABSTOP, 162, 48, 50, 16, IDCANCEL, L"Cancel");
  InputState state{initial};
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner,
                                                 InputProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.text;
}
