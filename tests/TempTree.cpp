#include "TempTree.h"

#include <atomic>
#include <fstream>
#include <random>
#include <string>

#ifdef _WIN32
#include "logdata/Cp936.h"
#endif

namespace testing_support {

namespace fs = std::filesystem;

fs::path PathFromText(const logdata::Text& text) {
#ifdef _WIN32
  return fs::path(logdata::WideFromCp936(text));
#else
  return fs::path(text);
#endif
}

logdata::Text TextFromPath(const fs::path& path) {
#ifdef _WIN32
  std::filesystem::path copy = path;
  return logdata::Cp936FromWide(copy.make_preferred().wstring());
#else
  return path.string();
#endif
}

TempTree::TempTree() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  root_ = fs::temp_directory_path() /
          ("kestrune-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
  fs::create_directories(root_);
}

TempTree::~TempTree() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

logdata::Text TempTree::Write(std::string_view relative, std::string_view bytes) const {
  const fs::path path = root_ / PathFromText(logdata::Text(relative)).make_preferred();
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return TextFromPath(path);
}

logdata::Text TempTree::MakeDir(std::string_view relative) const {
  const fs::path path = root_ / PathFromText(logdata::Text(relative)).make_preferred();
  fs::create_directories(path);
  return TextFromPath(path);
}

logdata::Text SamplePath(std::string_view name) {
  fs::path path = fs::path(KESTRUNE_SAMPLES_DIR) / "w3c" / fs::path(std::string(name));
#ifdef _WIN32
  // Under Wine the Unix root is drive Z:.
  return logdata::Cp936FromWide(L"Z:" + path.make_preferred().wstring());
#else
  return path.string();
#endif
}

}  // namespace testing_support
