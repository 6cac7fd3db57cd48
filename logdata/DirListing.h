// One pass of the platform's directory search over one search path (a directory followed by a
// file-name pattern). A search path that cannot be listed gives no entries.
#pragma once

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

}  // namespace logdata
