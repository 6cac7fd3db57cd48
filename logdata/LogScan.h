// Finding log files under a directory tree.
#pragma once

#include <functional>

#include "LogTable.h"

namespace logdata {

// Walks `directory` and all of its subdirectories, depth first, and calls onFound(dir, name) for
// every file whose name matches `pattern` (wildcards * and ?), a directory's own files before its
// subdirectories. `dir` ends in a backslash; dir + name is the file's path. Subdirectories whose
// names begin with a full stop are not entered. Waiting messages of the calling thread are
// dispatched after each subdirectory entry. Nothing is reported on failure.
void ScanLogDirectory(const Text& directory, const Text& pattern,
                      const std::function<void(const Text& directory, const Text& fileName)>& onFound);

// Dispatches every message waiting in the calling thread's queue and returns when it is empty.
void PumpPendingMessages();

}  // namespace logdata
