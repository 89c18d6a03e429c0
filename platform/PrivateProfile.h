#pragma once
// An ini file read and written through the platform's private-profile functions, so that the
// file's other sections, keys and comments stay as they are.
#include <string>

class PrivateProfile {
 public:
  explicit PrivateProfile(std::wstring path) : path_(std::move(path)) {}
  const std::wstring& Path() const { return path_; }

  // The value, or the default when the file, section or key is missing. A key that is
  // present with an empty value reads as empty.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue) const;
  // Throws EError (naming the file) when the value cannot be written. A value the reading
  // side would change (leading or trailing blanks, enclosing quotes) is written in quotes,
  // which the reading side removes again.
  void WriteString(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) const;

 private:
  std::wstring path_;
};
