// The demo's file handling: how file bytes are offered to the control, and a document that
// goes out to a file and comes back through our control.
#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "richedit/RichEditWindow.h"
#include "tools/richedit-demo/DemoDocument.h"

namespace demo {
namespace {

std::string Utf16Bytes(const std::wstring& text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)};
}

TEST(DemoDocument, OffersRtfAsItIsAndUnicodeTextAsUtf16) {
  struct Case {
    const char* name;
    std::string bytes;
    WPARAM format;
    std::string offered;
  };
  const Case cases[] = {
      {"rtf", "{\\rtf1 caf\\'e9}", SF_RTF, "{\\rtf1 caf\\'e9}"},
      {"utf-16 with its mark", "\xFF\xFE" + Utf16Bytes(L"caf\u00E9"), SF_TEXT | SF_UNICODE,
       Utf16Bytes(L"caf\u00E9")},
      {"utf-8 with its mark",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9",
       SF_TEXT | SF_UNICODE, Utf16Bytes(L"caf\u00E9")},
      {"utf-8 without a mark", "caf\xC3\xA9\r\nx", SF_TEXT | SF_UNICODE,
       Utf16Bytes(L"caf\u00E9\r\nx")},
      {"system code page", "caf\xE9", SF_TEXT, "caf\xE9"},
      {"only a utf-8 mark", "\xEF\xBB\xBF", SF_TEXT, ""},
      {"empty", "", SF_TEXT, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const StreamInput input = PrepareForControl(c.bytes);
    EXPECT_EQ(input.format, c.format);
    EXPECT_EQ(input.bytes, c.offered);
  }
}

class DemoFiles : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              (L"richedit-demo-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    for (HWND edit : edits_) DestroyWindow(edit);
    std::filesystem::remove_all(folder_);
  }
  HWND newControl() {
    HWND edit = CreateWindowExW(0, richedit::registerRichEditClass(), L"", WS_POPUP | ES_MULTILINE,
                                0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    edits_.push_back(edit);
    return edit;
  }
  std::wstring file(const wchar_t* name, const std::string& bytes = {}) {
    const std::filesystem::path path = folder_ / name;
    if (!bytes.empty()) std::ofstream(path, std::ios::binary) << bytes;
    return path.wstring();
  }
  static std::wstring text(HWND edit) {
    wchar_t buffer[256] = L"";
    GetWindowTextW(edit, buffer, 256);
    return buffer;
  }
  static std::string contents(const std::wstring& path) {
    std::ostringstream s;
    s << std::ifstream(std::filesystem::path(path), std::ios::binary).rdbuf();
    return s.str();
  }

 private:
  std::filesystem::path folder_;
  std::vector<HWND> edits_;
};

TEST_F(DemoFiles, TextFileSavedAsRtfComesBackWithItsTextAndFormat) {
  HWND edit = newControl();
  LoadIntoControl(edit, file(L"note.txt",
                             "Gr\xC3\xBC\xC3\x9F"
                             "e\r\nzwei"));
  EXPECT_EQ(text(edit), L"Gr\u00FC\u00DFe\r\nzwei");
  EXPECT_FALSE(SendMessageW(edit, EM_GETMODIFY, 0, 0));
  // Bold over the first word, so that the RTF carries a format as well as the text.
  CHARRANGE word{0, 5};
  SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word));
  CHARFORMAT2W bold{};
  bold.cbSize = sizeof bold;
  bold.dwMask = CFM_BOLD;
  bold.dwEffects = CFE_BOLD;
  SendMessageW(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
  EXPECT_TRUE(SendMessageW(edit, EM_GETMODIFY, 0, 0));

  const std::wstring saved = file(L"note.rtf");
  SaveFromControl(edit, saved);
  EXPECT_FALSE(SendMessageW(edit, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(contents(saved).rfind("{\\rtf", 0), 0u);

  HWND again = newControl();
  LoadIntoControl(again, saved);
  EXPECT_EQ(text(again), L"Gr\u00FC\u00DFe\r\nzwei");
  CHARRANGE second{1, 2};
  SendMessageW(again, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&second));
  CHARFORMAT2W read{};
  read.cbSize = sizeof read;
  SendMessageW(again, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&read));
  EXPECT_TRUE(read.dwEffects & CFE_BOLD);
}

TEST_F(DemoFiles, FailuresNameTheFileAndLeaveTheControlAsItWas) {
  HWND edit = newControl();
  SetWindowTextW(edit, L"kept");
  try {
    LoadIntoControl(edit, file(L"missing.rtf"));
    ADD_FAILURE() << "a missing file was read";
  } catch (const EError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.rtf"), std::string::npos) << e.what();
  }
  EXPECT_EQ(text(edit), L"kept");
  const std::wstring noFolder = file(L"no-such-folder\\out.rtf");
  EXPECT_THROW(SaveFromControl(edit, noFolder), EError);
  EXPECT_FALSE(std::filesystem::exists(noFolder));
}

}  // namespace
}  // namespace demo
