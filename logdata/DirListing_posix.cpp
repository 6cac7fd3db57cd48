#include <dirent.h>
#include <sys/stat.h>

#include "DirListing.h"
#include "PosixPath.h"
#include "WildcardMatch.h"

namespace logdata {

struct DirListing::Search {
  DIR* dir = nullptr;
  std::string directory;  // with a trailing '/'
  std::string pattern;
};

DirListing::DirListing(const Text& searchPath) : search_(std::make_unique<Search>()) {
  const std::string path = PosixPath(searchPath);
  const size_t slash = path.rfind('/');
  search_->directory = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  search_->pattern = path.substr(slash == std::string::npos ? 0 : slash + 1);
  // Wildcards belong in the last component only, as the Windows search insists.
  if (search_->pattern.empty() || search_->directory.find_first_of("*?") != std::string::npos) {
    return;
  }
  search_->dir = opendir(search_->directory.c_str());
}

DirListing::~DirListing() {
  if (search_->dir) closedir(search_->dir);
}

bool DirListing::Next(DirEntry& entry) {
  if (!search_->dir) return false;
  while (const dirent* found = readdir(search_->dir)) {
    if (!WildcardMatch(found->d_name, search_->pattern)) continue;
    entry.name = found->d_name;
    bool isDirectory = found->d_type == DT_DIR;
    if (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) {
      // A link to a directory lists as a directory, as a Windows directory link does.
      struct stat info {};
      isDirectory = stat((search_->directory + entry.name).c_str(), &info) == 0 &&
                    S_ISDIR(info.st_mode);
    }
    entry.isDirectory = isDirectory;
    return true;
  }
  closedir(search_->dir);
  search_->dir = nullptr;
  return false;
}

bool DirectoryIdentity(const Text& dir, DirId& id) {
  struct stat info {};
  if (stat(PosixPath(dir).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  id.volume = static_cast<uint64_t>(info.st_dev);
  id.file = static_cast<uint64_t>(info.st_ino);
  return true;
}

}  // namespace logdata
