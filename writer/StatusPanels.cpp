#include "writer/StatusPanels.h"

#include <commctrl.h>

namespace writer {

void StatusPanels::Create(HWND parent) {
  CreateWindowed(parent, STATUSCLASSNAMEW, CCS_BOTTOM | SBARS_SIZEGRIP, 0, 0, 0, 0, 0, L"");
  int edges[kPanelCount];
  int right = 0;
  for (int i = 0; i < kPanelCount; ++i) edges[i] = right += kWidths[i];
  SendMessageW(Handle(), SB_SETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
}

void StatusPanels::SetPanel(int panel, const std::wstring& text) {
  if (Panel(panel) == text) return;
  SendMessageW(Handle(), SB_SETTEXTW, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusPanels::Panel(int panel) const {
  const LRESULT info = SendMessageW(Handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
  std::wstring text(static_cast<std::size_t>(LOWORD(info)) + 1, L'\0');
  SendMessageW(Handle(), SB_GETTEXTW, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(LOWORD(info)));
  return text;
}

int StatusPanels::Height() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return r.bottom - r.top;
}

void StatusPanels::UpdateKeyStates() {
  struct KeyPanel {
    int key, panel;
    const wchar_t* on;
    const wchar_t* off;
  };
  constexpr KeyPanel kKeys[] = {{VK_NUMLOCK, 4, L"NUM", L""},
                                {VK_CAPITAL, 5, L"CAPS", L""},
                                {VK_SCROLL, 6, L"SCROLL", L""},
                                {VK_INSERT, 7, L"OVERWRITE", L"INSERT"}};
  for (const KeyPanel& k : kKeys) SetPanel(k.panel, (GetKeyState(k.key) & 1) ? k.on : k.off);
}

}  // namespace writer
