#include "header_c.h"

#include <gtest/gtest.h>

TEST(PublicHeader, UsableFromC) { EXPECT_EQ(header_c_check(), 0) << "failed check at line of header_c.c"; }
