#include "LogScan.h"

namespace logdata {

// A POSIX thread has no message queue, so there is nothing to dispatch.
void PumpPendingMessages() {}

}  // namespace logdata
