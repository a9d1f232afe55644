#include "FakeLayer.h"

#include <gtest/gtest.h>

TEST(FakeLayer, placeholder) {}
