// A directory of the test's own under the temp directory, removed with everything in it at the
// end of the test. Paths use backslashes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "logdata/Cp936.h"

namespace ui_testing {

class ScratchDir {
 public:
  ScratchDir() {
    static int counter = 0;
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    root_ = std::wstring(base) + L"kestrune-test-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(++counter);
    std::filesystem::create_directories(root_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::wstring& Root() const { return root_; }

  // Writes `bytes` to `relative`, making its directories; returns the file's full path.
  std::wstring Write(const std::wstring& relative, std::string_view bytes = {}) const {
    const std::wstring path = root_ + L"\\" + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  // The same with a text written as code page 936 bytes.
  std::wstring Write(const std::wstring& relative, const std::wstring& text) const {
    return Write(relative, std::string_view(logdata::Cp936FromWide(text)));
  }

 private:
  std::wstring root_;
};

}  // namespace ui_testing
