#include "labels/SettingsFile.h"

#include "platform/CodePage.h"
#include "platform/PrivateProfile.h"

namespace {

// The ini file's text is the system code page's, as the record holds it.
class ProfileIni final : public IniFile {
 public:
  explicit ProfileIni(const std::wstring& path) : profile_(path) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    return BytesFromWide(profile_.ReadString(WideFromBytes(section), WideFromBytes(key),
                                             WideFromBytes(defaultValue)));
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    profile_.WriteString(WideFromBytes(section), WideFromBytes(key), WideFromBytes(value));
  }

 private:
  PrivateProfile profile_;
};

}  // namespace

void SettingsFile::SetFolder(const std::wstring& folder) { path_ = folder + L"Settings.ini"; }

void SettingsFile::Read() {
  ProfileIni ini(path_);
  record = ReadLabelSettings(ini);
}

void SettingsFile::Write() const {
  ProfileIni ini(path_);
  WriteLabelSettings(record, ini);
}
