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

bool DirectoryIdentity(const Text& dir, DirId& id) {
  // Attributes only, sharing everything, so that the directory is neither read nor locked.
  const HANDLE handle = CreateFileW(WideFromCp936(dir).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool read = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!read || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  // A file system that numbers no files (some network shares give 0) tells nothing apart.
  if (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0) return false;
  id.volume = info.dwVolumeSerialNumber;
  id.file = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return true;
}

}  // namespace logdata
