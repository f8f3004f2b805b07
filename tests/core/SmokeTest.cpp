#include <gtest/gtest.h>
#include "core/Version.h"
#include <string>

TEST(Version, IsSet) { EXPECT_FALSE(std::string(kIrvataVersion).empty()); }
