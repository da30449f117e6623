#include "item_file.h"

#include <gtest/gtest.h>

namespace {

using standin::ItemFile;
using Result = ItemFile::Lookup::Result;

TEST(ItemFileTest, Placeholder) {
  ItemFile file("N = 3\n");
  EXPECT_EQ(file.Find("N").value, "3");
}

}  // namespace
