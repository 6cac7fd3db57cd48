// Runs an action on a thread of its own and returns at once. Nothing waits for a task, keeps a
// record of it or stops it; a task whose thread cannot be created is silently not run.
#pragma once

#include <functional>

namespace ui {

void StartBackgroundTask(std::function<void()> action);

}  // namespace ui
