// A temporary directory tree for tests, removed again at the end of the test. Paths are handed
// out as logdata texts: code page 936 bytes with backslashes on Windows, plain paths elsewhere.
#pragma once

#include <filesystem>
#include <string_view>

#include "logdata/LogTable.h"

namespace testing_support {

std::filesystem::path PathFromText(const logdata::Text& text);
logdata::Text TextFromPath(const std::filesystem::path& path);

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  // The root directory, without a trailing separator.
  logdata::Text Root() const { return TextFromPath(root_); }
  // Writes `bytes` to the file at `relative` ('/'-separated), creating directories on the way.
  logdata::Text Write(std::string_view relative, std::string_view bytes) const;
  logdata::Text MakeDir(std::string_view relative) const;

 private:
  std::filesystem::path root_;
};

// The path text of a file of the shared sample logs.
logdata::Text SamplePath(std::string_view name);

}  // namespace testing_support
