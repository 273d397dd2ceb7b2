#include <gtest/gtest.h>
#include "model/circuit.h"
TEST(Smoke, Builds) { auto c = vorlisk::make_circuit(); EXPECT_EQ(c->object_count, 0); }
