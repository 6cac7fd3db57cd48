#include "LogScan.h"

#include "DirListing.h"

namespace logdata {
namespace {

using OnFound = std::function<void(const Text&, const Text&)>;

void Walk(const Text& directory, const Text& pattern, const OnFound& onFound) {
  // The test is on the last byte, not the last character: a name whose final two-byte character
  // has 0x5C as its second byte gets no separator, as the directory search itself would see it.
  Text dir = directory;
  if (dir.back() != '\\') dir.push_back('\\');

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
    if (entry.name.empty() || entry.name[0] != '.') Walk(dir + entry.name, pattern, onFound);
    more = subdirs.Next(entry);
    PumpPendingMessages();
  }
}

}  // namespace

void ScanLogDirectory(const Text& directory, const Text& pattern, const OnFound& onFound) {
  if (directory.empty()) return;  // there is no directory to walk, not the current drive's root
  Walk(directory, pattern, onFound);
}

}  // namespace logdata
