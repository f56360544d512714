#include <gtest/gtest.h>
#include "settings/format_catalogue.h"
using namespace plotvale::settings;
TEST(Catalogue, Sizes) { EXPECT_EQ(InputFormatTable().size(), 79u); EXPECT_EQ(OutputFormatTable().size(), 23u); }
