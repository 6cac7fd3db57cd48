#include <gtest/gtest.h>

#include "logdata/LogScan.h"
