// One pass of the platform's directory search over one search path (a directory followed by a
// file-name pattern). A search path that cannot be listed gives no entries.
#pragma once

#include <cstdint>
#include <memory>

#include "LogTable.h"

namespace logdata {

struct DirEntry {
  Text name;  // the bare name, code page 936
  bool isDirectory = false;
};

class DirListing {
 public:
  explicit DirListing(const Text& searchPath);
  ~DirListing();  // releases the search
  DirListing(const DirListing&) = delete;
  DirListing& operator=(const DirListing&) = delete;

  // The next entry, in the order the platform gives; false once the entries have run out.
  bool Next(DirEntry& entry);

 private:
  struct Search;
  std::unique_ptr<Search> search_;
};

// What a directory is, however it is reached: its volume and its number there (the device and
// inode on POSIX, the volume serial and file index on Windows). A directory reached through a
// link has the identity of the directory the link leads to.
struct DirId {
  uint64_t volume = 0;
  uint64_t file = 0;
  bool operator==(const DirId& other) const { return volume == other.volume && file == other.file; }
};

// The identity of the directory `dir` (a trailing separator is allowed); false when it cannot be
// read, for a missing directory, a file, or one that may not be opened.
bool DirectoryIdentity(const Text& dir, DirId& id);

}  // namespace logdata
