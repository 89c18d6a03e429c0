#pragma once
// The label program's remembered choices, one field per key of its settings file, with the
// keys' defaults; read from and written to an ini file through IniFile.
#include <string>

struct TLabelSettings {
  // FontSettings
  std::string FontNameAddress = "Arial";
  int FontSizeAddress = 8;
  int FontColor = 0;
  std::string FontNameGeneral = "Arial";
  int FontSizeGeneral = 8;
  // LabelSettings
  int TypeAddress = 0;
  std::string LabelNameAddress;
  int TypeGeneral = 0;
  std::string LabelNameGeneral;
  // CustomSettings
  int StartAddress = 1;
  int SpacingAddress = 1;
  int TopAddress = 0;
  int LeftAddress = 0;
  int StartGeneral = 1;
  int SpacingGeneral = 1;
  int TopGeneral = 0;
  int LeftGeneral = 0;
  // ImageSettings
  int ImageTop = 0;
  int ImageLeft = 0;
  int ImageBottom = 5;
  int ImageRight = 5;
  // CSVFile: one character, or empty
  std::string Separator = ",";

  bool operator==(const TLabelSettings&) const = default;
};

// An ini file by section and key; values are text in the system code page.
class IniFile {
 public:
  virtual ~IniFile() = default;
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
  // Throws EError when the value cannot be written.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// Every key; a missing key or an integer key that holds no integer gives the default, and
// the separator keeps only its first character.
TLabelSettings ReadLabelSettings(IniFile& ini);
// Every key, in the program's fixed order.
void WriteLabelSettings(const TLabelSettings& settings, IniFile& ini);

// A decimal 32-bit integer, spaces around it allowed; otherwise the default.
int IniInteger(const std::string& text, int defaultValue);
