#pragma once
#include <string>

// The folder of the running program's executable, with its trailing separator; data files,
// settings and sibling programs are found there.
std::wstring ExeFolder();
