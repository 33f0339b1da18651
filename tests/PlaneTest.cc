// Plane: derived views, CopyPlane's block and line paths and its refusal, IsPlaneDataEqual.
#include <cstring>
#include <stdexcept>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Proc/Interfaces/IDataVideo.h"
#include "Testing/Assertions.h"
#include "Testing/GuardedPlane.h"

namespace Tivrel::Proc {
namespace {

using Testing::GuardedPlane;

TEST(PlaneTest, DerivedViews) {
  unsigned char* const d = reinterpret_cast<unsigned char*>(0x100000);
  EXPECT_EQ(Plane(d, -1920, 1920, 1080).size, 2073600u);
  const Plane revert = Plane(d, 1920, 1920, 3, 0, true).MakeRevert();
  EXPECT_EQ(revert.data, d + 3840);
  EXPECT_EQ(revert.stride, -1920);
  EXPECT_FALSE(revert.isSubplane);
  EXPECT_EQ(revert.MakePositive().data, d);
  EXPECT_EQ(revert.MakePositive().stride, 1920);
  const Plane sub = Plane(d, 960, 960, 540).MakeSubplane(3, 5, 7, 9, 1, 1, 1);
  EXPECT_EQ(sub.data, d + 2 * 960 + 1);
  EXPECT_EQ(sub.width, 4u);
  EXPECT_EQ(sub.height, 5u);
  EXPECT_TRUE(sub.isSubplane);
  EXPECT_EQ(Plane(d, 400, 400, 10).MakeSubplane(2, 1, 3, 4, 4, 0, 0).GetOffsetPtr(0, 0), d + 400 + 8);
}

TEST(PlaneTest, CopyPlaneMovesOneBlockOnlyBetweenFullPlanesOfEqualStride) {
  struct Case {
    const char* name;
    long srcStride, dstStride;
    bool srcWindow, dstWindow, block;
  };
  const Case cases[] = {
      {"equal strides", 100, 100, false, false, true},      {"equal negative strides", -100, -100, false, false, true},
      {"destination window", 100, 100, false, true, false}, {"source window", 100, 100, true, false, false},
      {"different strides", 100, 120, false, false, false}, {"flip", 100, -100, false, false, false},
      {"negative window", -128, -128, false, true, false},
  };
  for (long scale : {1, 10}) {  // scaled up, the blocks take the string-move copy
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << " x" << scale);
      const unsigned long width = 80 * scale, height = 10;
      const GuardedPlane src(c.srcStride * scale, width, height, c.srcWindow, 1);
      const GuardedPlane dst(c.dstStride * scale, width, height, c.dstWindow, 2);
      std::vector<unsigned char> expected = c.block ? src.Bytes() : dst.Bytes();  // block: the gaps too
      for (unsigned long y = 0; y < height && !c.block; ++y) {
        std::memcpy(&expected[dst.Offset(0, y)], src.plane.GetOffsetPtr(0, y), width);
      }
      CopyPlane(src.plane, dst.plane);
      EXPECT_EQ(dst.Bytes(), expected);
    }
  }
  const GuardedPlane src(100, 80, 10, false, 1), dst(100, 80, 10, false, 2);
  const std::vector<unsigned char> before = dst.Bytes();
  for (const Plane& other : {Plane(dst.plane.data, 100, 81, 10), Plane(dst.plane.data, 100, 80, 9)}) {
    EXPECT_THAT([&] { CopyPlane(src.plane, other); }, ::testing::Throws<std::invalid_argument>(Testing::Described(
                                                          "Different size of source and destination planes")));
  }
  EXPECT_EQ(dst.Bytes(), before);
}

// Only the bytes of the lines count, whatever the strides and the bytes between lines.
TEST(PlaneTest, PlanesAreEqualByTheBytesOfTheirLines) {
  const GuardedPlane a(64, 40, 3, true, 1), b(-50, 40, 3, true, 2);
  CopyPlane(a.plane, b.plane);
  EXPECT_TRUE(IsPlaneDataEqual(a.plane, b.plane));
  b.plane.GetOffsetPtr(39, 2)[0] ^= 1;
  EXPECT_FALSE(IsPlaneDataEqual(a.plane, b.plane));
  // The same memory seen one byte wider or one line shorter.
  EXPECT_FALSE(IsPlaneDataEqual(a.plane, Plane(a.plane.data, 64, 41, 3, 0, true)));
  EXPECT_FALSE(IsPlaneDataEqual(a.plane, Plane(a.plane.data, 64, 40, 2, 0, true)));
}

}  // namespace
}  // namespace Tivrel::Proc
