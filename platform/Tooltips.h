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

private:
    HWND owner_;
    HWND tips_;
};
