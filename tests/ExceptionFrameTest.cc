// The exception frame: one stored object behind every base class, its tags and stack, and standard exceptions.

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {
namespace {

constexpr char kFunction[] = "void Tivrel::Proc::RejectConfiguration()";
constexpr int kLine = 321;

// A FilterException thrown through the throw sequence, as a worker thread hands it over.
ExceptionPtr StoredFilterException() {
  try {
    ThrowError<FilterException>("Filter was initialized with incorrect class (X)!",
                                TIVREL_THROW_SITE(kFunction, kLine));
  } catch (...) {
    return std::current_exception();
  }
}

// The object a handler for Handler receives, as boost::exception.
template <class Handler>
const boost::exception* CatchAs(const ExceptionPtr& stored) {
  try {
    RethrowException(stored);
  } catch (const Handler& e) {
    return dynamic_cast<const boost::exception*>(&e);
  }
  return nullptr;
}

TEST(ExceptionFrameTest, EveryBaseCatchesTheStoredObjectWithItsTagsAndLocation) {
  const ExceptionPtr stored = StoredFilterException();
  // One object behind every view, hence one set of tags.
  const boost::exception* views[] = {CatchAs<FilterException>(stored), CatchAs<ProcException>(stored),
                                     CatchAs<Exception>(stored), CatchAs<std::exception>(stored),
                                     CatchAs<boost::exception>(stored)};
  for (const auto* view : views) EXPECT_TRUE(view != nullptr && view == views[0]);
  ASSERT_NE(views[0], nullptr);
  EXPECT_EQ(*boost::get_error_info<TagDescription>(*views[0]), "Filter was initialized with incorrect class (X)!");
  EXPECT_EQ(*boost::get_error_info<boost::throw_line>(*views[0]), kLine);
  ASSERT_NE(boost::get_error_info<TagCallStack>(*views[0]), nullptr);
  EXPECT_EQ(boost::get_error_info<TagCallStack>(*views[0])->rfind("#0 0x", 0), 0u);
  // what() is the generic text, never the description.
  EXPECT_STREQ(dynamic_cast<const std::exception&>(*views[0]).what(), std::exception().what());
}

TEST(ExceptionFrameTest, StandardExceptionsDefaultsAndNullPointers) {
  const std::invalid_argument original("data is NULL");
  const std::string message = AddStack(original).what();
  EXPECT_STREQ(original.what(), "data is NULL");
  EXPECT_EQ(message.rfind("data is NULL\n#0 0x", 0), 0u) << message;

  const Core::MemoryException e;  // never thrown: no location, no tags
  EXPECT_EQ(boost::get_error_info<boost::throw_file>(e), nullptr);
  EXPECT_EQ(boost::get_error_info<boost::throw_function>(e), nullptr);
  EXPECT_EQ(boost::get_error_info<boost::throw_line>(e), nullptr);  // how the accessor shows line -1
  EXPECT_EQ(boost::get_error_info<TagDescription>(e), nullptr);

  EXPECT_THROW(RethrowException(ExceptionPtr()), std::invalid_argument);
}

}  // namespace
}  // namespace Tivrel::Proc
