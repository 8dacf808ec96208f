#include <gtest/gtest.h>

#include "core/flags.h"

TEST(Flags, TrueIsMinusOne) {
  EXPECT_EQ(tlw::toFlag(true), -1);
  EXPECT_EQ(tlw::toFlag(false), 0);
  EXPECT_TRUE(tlw::isSet(tlw::kTrue));
}
