#pragma once
// The hint texts of one top-level window's controls, shown as tooltips.
#include <windows.h>

#include <string>

class Tooltips {
 public:
  explicit Tooltips(HWND owner);
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  void Set(HWND tool, const std::wstring& text);
  // Hands a mouse message to the tooltips. They are fed from the message loop rather than
  // by subclassing each control: subclassing costs a server round trip per message under Wine.
  void Relay(const MSG& msg) const;

 private:
  HWND owner_;
  HWND tips_;
};
