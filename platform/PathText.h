#pragma once
// Path helpers that need no operating system.
#include <string>

// The folder part of a path: everything up to and including the last separator ('\\', '/'
// or the drive colon). A path without a separator has an empty folder.
std::wstring FolderOfPath(const std::wstring& path);
