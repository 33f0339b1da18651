#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>

#include "Platform/Core/Property.h"

namespace Tivrel::Core {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

template <class E, class F>
E CaughtFrom(F&& action) {
  try {
    action();
  } catch (const E& e) {
    return e;
  }
  ADD_FAILURE() << "nothing thrown";
  return E();
}

std::string DescriptionOf(const boost::exception& e) {
  const std::string* description = boost::get_error_info<TagDescription>(e);
  return description ? *description : "<no description>";
}

Property SampleTree() {
  Property root("$$ROOT$$");
  root.SetChildT<long long>("width", 1920);
  root.SetChildT<std::string>("title", "a \"b\"");
  Property& crop = root.SetChild("crop", Property());
  crop.SetChildT<double>("left", 0.5);
  root.SetChildT("rate", Property::Ratio(30000, 1001));
  root.SetChildT("flag", true);
  return root;
}

TEST(PropertyTest, LeavesStoreTheirKindAndValueAssignmentKeepsName) {
  EXPECT_EQ(Property("x", 7u).GetType(), PT_INT64);
  EXPECT_EQ(Property("x", static_cast<short>(-3)).GetInt64(), -3);
  EXPECT_EQ(Property("x", "text").GetString(), "text");
  EXPECT_EQ(Property("x", 1.5f).GetType(), PT_DOUBLE);
  EXPECT_EQ(GetRootItem(), Property(""));

  Property node = SampleTree();
  node = "now a leaf";
  EXPECT_EQ(node.GetName(), "$$ROOT$$");
  EXPECT_EQ(node.GetType(), PT_STRING);
  EXPECT_EQ(node.Count(), 0u);
  EXPECT_EQ(node.begin(), node.end());
  EXPECT_THROW(Property("x", static_cast<const char*>(nullptr)), std::invalid_argument);
}

TEST(PropertyTest, CopyIsDeepAndIndependent) {
  const Property original = SampleTree();
  Property copy = original;
  EXPECT_EQ(copy, original);
  copy["crop"].SetChildT<double>("left", 2.0);
  copy["crop"].CreateChildT<long long>("top", 4);
  copy["title"] = std::string("changed");
  EXPECT_NE(copy, original);
  EXPECT_EQ(original["crop"]["left"].GetDouble(), 0.5);
  EXPECT_EQ(original["crop"].Count(), 1u);
  EXPECT_EQ(original["title"].GetString(), "a \"b\"");
}

TEST(PropertyTest, LooksUpByNameAndPositionFindingTheFirstDuplicate) {
  Property root = SampleTree();
  root.Add(Property("width", 1280LL));
  EXPECT_EQ(root.Count(), 6u);
  EXPECT_EQ(root.FindChild("title"), 1u);
  EXPECT_EQ(root.FindChild("absent"), root.Count());
  EXPECT_TRUE(root.ChildExists("rate"));
  EXPECT_FALSE(Property("leaf", 1LL).ChildExists("rate"));
  EXPECT_EQ(root["width"].GetInt64(), 1920);
  EXPECT_EQ(root[5].GetInt64(), 1280);
  EXPECT_EQ(root[2].GetName(), "crop");
}

TEST(PropertyTest, MissingChildWrongKindAndBadPositionThrowPropertyException) {
  const Property root = SampleTree();
  struct Case {
    const char* label;
    std::function<void()> action;
    std::vector<std::string> described;
    std::string taggedName;
  };
  const Case cases[] = {
      {"missing key", [&] { root["height"]; }, {"\"height\"", "\"$$ROOT$$\""}, "$$ROOT$$"},
      {"key on a leaf", [&] { root["width"]["x"]; }, {"\"x\"", "\"width\""}, "width"},
      {"position", [&] { root[5]; }, {"5", "\"$$ROOT$$\""}, "$$ROOT$$"},
      {"getter kind", [&] { root["title"].GetInt64(); }, {"\"title\"", "string", "int64"}, "title"},
      {"getter on node", [&] { root["crop"].GetString(); }, {"node", "string"}, "crop"},
      {"GetValue of string", [&] { root["title"].GetValue<int>(); }, {"\"title\"", "string"}, "title"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const PropertyException e = CaughtFrom<PropertyException>(c.action);
    for (const std::string& part : c.described) EXPECT_THAT(DescriptionOf(e), HasSubstr(part));
    ASSERT_NE(boost::get_error_info<PropertyException::TagPropertyName>(e), nullptr);
    EXPECT_EQ(*boost::get_error_info<PropertyException::TagPropertyName>(e), c.taggedName);
    EXPECT_NE(boost::get_error_info<TagCallStack>(e), nullptr);
  }
}

void ExpectNotApplicable(const MethodIsNotApplicable& e, const char* method, int line, const std::string& function) {
  ASSERT_NE(boost::get_error_info<PropertyException::TagPropertyName>(e), nullptr);
  EXPECT_EQ(*boost::get_error_info<PropertyException::TagPropertyName>(e), "leaf");
  ASSERT_NE(boost::get_error_info<PropertyException::TagPropertyType>(e), nullptr);
  EXPECT_EQ(*boost::get_error_info<PropertyException::TagPropertyType>(e), PT_STRING);
  ASSERT_NE(boost::get_error_info<PropertyException::TagMethodName>(e), nullptr);
  EXPECT_EQ(*boost::get_error_info<PropertyException::TagMethodName>(e), method);
  EXPECT_NE(boost::get_error_info<TagCallStack>(e), nullptr);
  EXPECT_EQ(*boost::get_error_info<boost::throw_line>(e), line);
  EXPECT_EQ(*boost::get_error_info<boost::throw_function>(e), function);
  EXPECT_THAT(*boost::get_error_info<boost::throw_file>(e), EndsWith("Platform/Core/Property.h"));
}

TEST(PropertyTest, ChildTemplatesOnALeafThrowMethodIsNotApplicable) {
  Property leaf("leaf", "value");
  const std::string prefix = "Tivrel::Core::Property &Tivrel::Core::Property::";
  const std::string args = "(const std::string &, const T &) [T = ";
  ExpectNotApplicable(CaughtFrom<MethodIsNotApplicable>([&] { leaf.SetChildT<long long>("k", 1); }), "SetChildT", 276,
                      prefix + "SetChildT" + args + "long long]");
  ExpectNotApplicable(CaughtFrom<MethodIsNotApplicable>([&] { leaf.CreateChildT<std::string>("k", "v"); }),
                      "CreateChildT", 257, prefix + "CreateChildT" + args + "std::basic_string<char>]");
  ExpectNotApplicable(CaughtFrom<MethodIsNotApplicable>([&] { leaf.SetChildT("k", Property::Ratio(1, 2)); }),
                      "SetChildT", 276, prefix + "SetChildT" + args + "boost::rational<long long>]");
  EXPECT_THROW(leaf.Add(Property("k", 1LL)), MethodIsNotApplicable);
  EXPECT_THROW(leaf.SetChild("k", Property()), MethodIsNotApplicable);
  EXPECT_EQ(leaf, Property("leaf", "value"));
}

TEST(PropertyTest, SetChildReplacesInPlaceWhileCreateAndAddAppend) {
  Property root = SampleTree();
  Property& width = root.SetChildT<long long>("width", 720);
  EXPECT_EQ(&width, &root[0]);
  EXPECT_EQ(root.Count(), 5u);
  root.SetChildT<double>("crop", 1.0);  // a node child becomes a leaf
  EXPECT_EQ(root["crop"].GetType(), PT_DOUBLE);
  root.SetChild("title", "plain");
  EXPECT_EQ(root["title"].GetString(), "plain");

  root.CreateChildT<long long>("width", 1);
  root.Add(Property("width", 2LL));
  EXPECT_EQ(root.Count(), 7u);
  EXPECT_EQ(root["width"].GetInt64(), 720);
  EXPECT_EQ(root[6].GetInt64(), 2);
}

TEST(PropertyTest, SetChildAndCopyDataFromKeepTheTargetName) {
  Property root = SampleTree();
  Property& renamed = root.SetChild("copyOfRoot", root);  // the source is the node itself
  EXPECT_EQ(renamed.GetName(), "copyOfRoot");
  EXPECT_EQ(renamed.Count(), 5u);

  root["crop"].CopyDataFrom(root["crop"]["left"]);  // the source lies inside the target
  EXPECT_EQ(root["crop"], Property("crop", 0.5));
  root.SetChild("crop", Property("other", true));
  EXPECT_EQ(root["crop"], Property("crop", true));
  root.CopyDataFrom(root["copyOfRoot"]);
  EXPECT_EQ(root.GetName(), "$$ROOT$$");
  EXPECT_EQ(root.Count(), 5u);
}

struct ConversionRow {
  const char* label;
  Property leaf;
  std::optional<bool> asBool;  // std::nullopt: the conversion throws PropertyException
  std::optional<int> asInt;
  std::optional<unsigned> asUnsigned;
  std::optional<long long> asInt64;
  std::optional<double> asDouble;
};

template <class T>
void ExpectConversion(const ConversionRow& row, const std::optional<T>& expected) {
  if (!expected) {
    EXPECT_THROW(row.leaf.GetValue<T>(), PropertyException) << typeid(T).name();
  } else if constexpr (std::is_same_v<T, double>) {
    EXPECT_THAT(row.leaf.GetValue<T>(), ::testing::NanSensitiveDoubleEq(*expected));
  } else {
    EXPECT_EQ(row.leaf.GetValue<T>(), *expected) << typeid(T).name();
  }
}

TEST(PropertyTest, GetValueConvertsNumbersAndRefusesWhatDoesNotFit) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kTwo63 = 9223372036854775808.0;
  constexpr long long kMin64 = std::numeric_limits<long long>::min();
  const ConversionRow rows[] = {
      {"bool", Property("v", true), true, 1, 1u, 1, 1.0},
      {"int64 -1", Property("v", -1LL), true, -1, 4294967295u, -1, -1.0},
      {"int64 low bits", Property("v", 0x100000005LL), true, 5, 5u, 0x100000005LL, 4294967301.0},
      {"double 2.9", Property("v", 2.9), true, 2, 2u, 2, 2.9},
      {"double -2.9", Property("v", -2.9), true, -2, std::nullopt, -2, -2.9},
      {"double -0.5", Property("v", -0.5), true, 0, 0u, 0, -0.5},
      {"double 2^31", Property("v", 2147483648.0), true, std::nullopt, 2147483648u, 2147483648LL, 2147483648.0},
      {"double 2^63", Property("v", kTwo63), true, std::nullopt, std::nullopt, std::nullopt, kTwo63},
      {"double -2^63", Property("v", -kTwo63), true, std::nullopt, std::nullopt, kMin64, -kTwo63},
      {"double huge", Property("v", 1e300), true, std::nullopt, std::nullopt, std::nullopt, 1e300},
      {"double inf", Property("v", HUGE_VAL), true, std::nullopt, std::nullopt, std::nullopt, HUGE_VAL},
      {"double nan", Property("v", kNan), std::nullopt, std::nullopt, std::nullopt, std::nullopt, kNan},
      {"ratio 7/2", Property("v", Property::Ratio(7, 2)), true, 3, 3u, 3, 3.5},
      {"ratio -7/2", Property("v", Property::Ratio(-7, 2)), true, -3, 4294967293u, -3, -3.5},
      {"string", Property("v", "1"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {"node", Property("v"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const ConversionRow& row : rows) {
    SCOPED_TRACE(row.label);
    ExpectConversion(row, row.asBool);
    ExpectConversion(row, row.asInt);
    ExpectConversion(row, row.asUnsigned);
    ExpectConversion(row, row.asInt64);
    ExpectConversion(row, row.asDouble);
  }
  const PropertyException e = CaughtFrom<PropertyException>([] { Property("big", 1e300).GetValue<int>(); });
  EXPECT_THAT(DescriptionOf(e), HasSubstr("\"big\" holds double 1e+300, which does not fit int"));
}

TEST(PropertyTest, LargeNodesFindTheFirstMatchAfterRenamesAndCopies) {
  constexpr int kChildren = 3000;
  Property root("big");
  for (int i = 0; i < kChildren; ++i) root.SetChildT<long long>("k" + std::to_string(i), i);
  root.SetChildT<long long>("k7", 70);  // replaces, does not append
  root.Add(Property("k5", -5LL));       // a later duplicate
  const Property& view = root;
  ASSERT_EQ(view.Count(), kChildren + 1u);
  for (int i = 0; i < kChildren; i += 97) EXPECT_EQ(view.FindChild("k" + std::to_string(i)), std::size_t(i));
  EXPECT_EQ(view["k7"].GetInt64(), 70);
  EXPECT_EQ(view["k5"].GetInt64(), 5);

  root[10].SetName("k20");  // now an earlier "k20"
  EXPECT_EQ(view.FindChild("k20"), 10u);
  EXPECT_FALSE(view.ChildExists("k10"));
  root.SetChildT<long long>("k2998", 2998);  // a non-const lookup refreshes the index
  root[30] = Property("k2999", 1LL);         // now an earlier "k2999"
  EXPECT_EQ(view.FindChild("k2999"), 30u);
  root.SetChildT<long long>("k20", -20);
  EXPECT_EQ(root[10].GetInt64(), -20);
  EXPECT_EQ(root[20].GetInt64(), 20);

  std::swap(root[1], root[2]);
  Property copy = root;
  EXPECT_EQ(copy, root);
  const Property& copyView = copy;
  EXPECT_EQ(copyView.FindChild("k1"), 2u);
  EXPECT_EQ(copyView.FindChild("k2"), 1u);
  copy[0].SetName("k3");  // children of a copy are children too
  EXPECT_EQ(copyView.FindChild("k3"), 0u);
}

TEST(PropertyTest, StatisticsAndDumpAreReadable) {
  const Property statistics = MakeStatistics("blend", 0, 3);
  EXPECT_EQ(statistics["time"].GetInt64(), 0);
  EXPECT_EQ(statistics["count"].GetInt64(), 3);

  Property root = SampleTree();
  root["title"] = std::string("line\nbreak \"q\"");
  root.SetChild("empty", Property());
  std::ostringstream streamed;
  streamed << root;
  EXPECT_EQ(streamed.str(),
            "\"$$ROOT$$\" {\n"
            "  \"width\": int64 1920\n"
            "  \"title\": string \"line\\nbreak \\\"q\\\"\"\n"
            "  \"crop\" {\n"
            "    \"left\": double 0.5\n"
            "  }\n"
            "  \"rate\": ratio 30000/1001\n"
            "  \"flag\": bool true\n"
            "  \"empty\" {}\n"
            "}");
  EXPECT_EQ(::testing::PrintToString(root), streamed.str());
}

}  // namespace
}  // namespace Tivrel::Core
