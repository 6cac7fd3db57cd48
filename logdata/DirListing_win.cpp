#include <windows.h>

#include "Cp936.h"
#include "DirListing.h"

namespace logdata {

struct DirListing::Search {
  HANDLE handle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW data{};
  bool pending = false;  // `data` holds an entry not yet handed out
};

DirListing::DirListing(const Text& searchPath) : search_(std::make_unique<Search>()) {
  search_->handle = FindFirstFileW(WideFromCp936(searchPath).c_str(), &search_->data);
  search_->pending = search_->handle != INVALID_HANDLE_VALUE;
}

DirListing::~DirListing() {
  if (search_->handle != INVALID_HANDLE_VALUE) FindClose(search_->handle);
}

bool DirListing::Next(DirEntry& entry) {
  if (!search_->pending) {
    if (search_->handle == INVALID_HANDLE_VALUE) return false;
    if (!FindNextFileW(search_->handle, &search_->data)) {
      FindClose(search_->handle);
      search_->handle = INVALID_HANDLE_VALUE;
      return false;
    }
  }
  search_->pending = false;
  entry.name = Cp936FromWide(search_->data.cFileName);
  entry.isDirectory = (search_->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return true;
}

}  // namespace logdata
