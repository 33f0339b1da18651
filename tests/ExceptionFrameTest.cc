#include <gtest/gtest.h>

#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

TEST(ExceptionFrameTest, FilterExceptionIsCaughtThroughEveryBaseWithSharedTags) {
  try {
    ThrowError<FilterException>("bad filter", TIVREL_THROW_SITE("void f()", 7));
  } catch (const boost::exception& e) {
    ASSERT_NE(boost::get_error_info<TagDescription>(e), nullptr);
    EXPECT_EQ(*boost::get_error_info<TagDescription>(e), "bad filter");
    EXPECT_EQ(*boost::get_error_info<boost::throw_line>(e), 7);
    EXPECT_STREQ(*boost::get_error_info<boost::throw_function>(e), "void f()");
  }
}

}  // namespace
}  // namespace Tivrel::Proc
