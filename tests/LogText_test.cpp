#include <gtest/gtest.h>

#include "logdata/LogText.h"
