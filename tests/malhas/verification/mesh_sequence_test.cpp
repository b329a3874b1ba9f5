#include "malhas/verification/mesh_sequence.h"

#include <gtest/gtest.h>

namespace malhas {
namespace {

TEST(MeshSequence, RefinesByTheRatioUpToTheFinestAllowed) {
  EXPECT_EQ(refined_meshes(21, 2, 10),
            (std::vector<std::int32_t>{21, 41, 81, 161, 321, 641, 1281, 2561, 5121, 10241}));
  EXPECT_EQ(refined_meshes(5, 3, 3), (std::vector<std::int32_t>{5, 13, 37}));
  // 3, 5, 9, ..., 2^24 + 1: 24 meshes, though 30 were asked for.
  const std::vector<std::int32_t> capped = refined_meshes(3, 2, 30);
  ASSERT_EQ(capped.size(), 24u);
  EXPECT_EQ(capped.back(), 16777217);
  // A first mesh past the limit is still studied, alone.
  EXPECT_EQ(refined_meshes(20000000, 2, 10), (std::vector<std::int32_t>{20000000}));
}

}  // namespace
}  // namespace malhas
