#include "LogScan.h"

#include <algorithm>
#include <vector>

#include "DirListing.h"

namespace logdata {
namespace {

using OnFound = std::function<void(const Text&, const Text&)>;

// `path` holds the identities of the directories being walked, from the root of the walk down.
void Walk(const Text& directory, const Text& pattern, const OnFound& onFound,
          std::vector<DirId>& path) {
  // The test is on the last byte, not the last character: a name whose final two-byte character
  // has 0x5C as its second byte gets no separator, as the directory search itself would see it.
  Text dir = directory;
  if (dir.back() != '\\') dir.push_back('\\');

  // A directory link that leads back to a directory being walked (an ancestor, or itself) would
  // make the walk endless, so such a directory is not entered again. Every other directory is
  // walked as it always was, and so is one whose identity cannot be read.
  DirId id;
  const bool known = DirectoryIdentity(dir, id);
  if (known) {
    if (std::find(path.begin(), path.end(), id) != path.end()) return;
    path.push_back(id);
  }

  DirEntry entry;
  {
    DirListing files(dir + pattern);
    while (files.Next(entry)) {
      if (!entry.isDirectory) onFound(dir, entry.name);
    }
  }

  DirListing subdirs(dir + "*.*");
  bool more = subdirs.Next(entry);
  while (more) {
    if (!entry.isDirectory) {
      more = subdirs.Next(entry);
      continue;
    }
    if (entry.name.empty() || entry.name[0] != '.') Walk(dir + entry.name, pattern, onFound, path);
    more = subdirs.Next(entry);
    PumpPendingMessages();
  }
  if (known) path.pop_back();
}

}  // namespace

void ScanLogDirectory(const Text& directory, const Text& pattern, const OnFound& onFound) {
  if (directory.empty()) return;  // there is no directory to walk, not the current drive's root
  std::vector<DirId> path;
  Walk(directory, pattern, onFound, path);
}

}  // namespace logdata
