#include <gtest/gtest.h>
#include "device/catalogue.h"
TEST(Catalogue, Size) { EXPECT_EQ(zelvan::catalogue().size(), 316u); }
