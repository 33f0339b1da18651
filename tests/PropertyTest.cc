// Property trees: kinds and conversions, copies and lookups, refusals, aliasing, large nodes, dump and statistics;
// their JSON form: the text written, every kind surviving a round trip, refusals with their positions, depth.

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <boost/exception/get_error_info.hpp>

#include "Platform/Core/Property.h"
#include "Platform/Core/PropertyJson.h"

namespace Tivrel::Core {
namespace {

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

// The description of the PropertyException that action throws.
std::string Refusal(const std::function<void()>& action) {
  const PropertyException e = CaughtFrom<PropertyException>(action);
  const std::string* description = boost::get_error_info<TagDescription>(e);
  return description ? *description : "<no description>";
}

// One child of each kind, a nested node among them.
Property SampleTree() {
  Property root("$$ROOT$$");
  root.SetChildT<long long>("width", 1920);
  root.SetChildT<std::string>("title", "a \"b\"");
  root.SetChild("crop", Property()).SetChildT<double>("left", 0.5);
  root.SetChildT("rate", Property::Ratio(30000, 1001));
  root.SetChildT("flag", true);
  return root;
}

// Assigning a value turns even a node into a leaf and keeps the name; a copy shares nothing with its source.
TEST(PropertyTest, LeavesStoreTheirKindAndCopiesAreDeep) {
  EXPECT_EQ(Property("x", 7u).GetType(), PT_INT64);
  EXPECT_EQ(Property("x", 1.5f).GetType(), PT_DOUBLE);
  EXPECT_THROW(Property("x", static_cast<const char*>(nullptr)), std::invalid_argument);
  const Property original = SampleTree();
  Property copy = original;
  EXPECT_EQ(copy, original);
  copy["crop"].SetChildT<double>("left", 2.0);
  EXPECT_NE(copy, original);
  EXPECT_EQ(original, SampleTree());
  EXPECT_EQ(original.FindChild("title"), 1u);
  EXPECT_EQ(original.FindChild("absent"), original.Count());
  copy = "now a leaf";
  EXPECT_EQ(copy, Property("$$ROOT$$", "now a leaf"));
  EXPECT_EQ(copy.begin(), copy.end());
  EXPECT_FALSE(copy.ChildExists("rate"));
}

// The refusal names the leaf, its kind and the method; the leaf stays as it was.
TEST(PropertyTest, AddingChildrenToALeafThrowsMethodIsNotApplicable) {
  Property leaf("leaf", "value");
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { leaf.SetChildT<long long>("k", 1); }, "SetChildT"},
      {[&] { leaf.CreateChildT<std::string>("k", "v"); }, "CreateChildT"},
      {[&] { leaf.SetChildT("k", Property::Ratio(1, 2)); }, "SetChildT"},
      {[&] { leaf.Add(Property("k", 1LL)); }, "Add"},
      {[&] { leaf.SetChild("k", Property()); }, "SetChild"},
  };
  for (const auto& [action, method] : cases) {
    const MethodIsNotApplicable e = CaughtFrom<MethodIsNotApplicable>(action);
    EXPECT_EQ(*boost::get_error_info<PropertyException::TagPropertyName>(e), "leaf");
    EXPECT_EQ(*boost::get_error_info<PropertyException::TagPropertyType>(e), PT_STRING);
    EXPECT_EQ(*boost::get_error_info<PropertyException::TagMethodName>(e), method);
  }
  EXPECT_EQ(leaf, Property("leaf", "value"));
}

// SetChild and SetChildT replace the first child of the name in place, CreateChildT and Add append; the source
// of a copy may be the target itself or lie inside it, and the target keeps its own name. The dump names every
// kind and escapes texts, so that different trees print differently.
TEST(PropertyTest, EditsReplaceInPlaceAppendSurviveAliasingAndDumpReadably) {
  Property root = SampleTree();
  EXPECT_EQ(&root.SetChildT<long long>("width", 720), &root[0]);
  root.SetChild("title", "line\nbreak \"q\"");
  root.SetChildT<double>("flag", 1.0);
  root.CreateChildT<long long>("width", 1);
  root.Add(Property("width", 2LL));
  root.SetChild("rate", Property("other", Property::Ratio(-1, 3)));
  root.SetChild("left", root["crop"]);
  root["left"].CopyDataFrom(root["left"]["left"]);
  root.SetChild("empty", Property());
  root.SetChild("self", root);
  root.CopyDataFrom(root["self"]);
  EXPECT_EQ(ToString(root),
            "\"$$ROOT$$\" {\n"
            "  \"width\": int64 720\n"
            "  \"title\": string \"line\\nbreak \\\"q\\\"\"\n"
            "  \"crop\" {\n"
            "    \"left\": double 0.5\n"
            "  }\n"
            "  \"rate\": ratio -1/3\n"
            "  \"flag\": double 1\n"
            "  \"width\": int64 1\n"
            "  \"width\": int64 2\n"
            "  \"left\": double 0.5\n"
            "  \"empty\" {}\n"
            "}");
  std::ostringstream streamed;
  streamed << root;
  EXPECT_EQ(streamed.str(), ToString(root));
  EXPECT_EQ(::testing::PrintToString(root), ToString(root));
}

// The five numeric readings of a leaf (bool, int, unsigned, long long, double), "-" where one throws.
std::string Readings(const Property& leaf) {
  std::ostringstream out;
  out.precision(15);
  const auto put = [&](auto read) {
    try {
      const auto value = read();
      out << ' ' << value;
    } catch (const PropertyException&) {
      out << " -";
    }
  };
  put([&] { return leaf.GetValue<bool>(); });
  put([&] { return leaf.GetValue<int>(); });
  put([&] { return leaf.GetValue<unsigned>(); });
  put([&] { return leaf.GetValue<long long>(); });
  put([&] { return leaf.GetValue<double>(); });
  return out.str().substr(1);
}

TEST(PropertyTest, GetValueConvertsNumbersAndRefusesWhatDoesNotFit) {
  constexpr double kTwo63 = 9223372036854775808.0;
  const std::pair<Property, const char*> rows[] = {
      {Property("v", true), "1 1 1 1 1"},
      {Property("v", -1LL), "1 -1 4294967295 -1 -1"},
      {Property("v", 0x100000005LL), "1 5 5 4294967301 4294967301"},  // low bits
      {Property("v", 2.9), "1 2 2 2 2.9"},
      {Property("v", -2.9), "1 -2 - -2 -2.9"},
      {Property("v", -0.5), "1 0 0 0 -0.5"},
      {Property("v", 2147483648.0), "1 - 2147483648 2147483648 2147483648"},
      {Property("v", kTwo63), "1 - - - 9.22337203685478e+18"},
      {Property("v", -kTwo63), "1 - - -9223372036854775808 -9.22337203685478e+18"},
      {Property("v", 1e300), "1 - - - 1e+300"},
      {Property("v", HUGE_VAL), "1 - - - inf"},
      {Property("v", std::numeric_limits<double>::quiet_NaN()), "- - - - nan"},
      {Property("v", Property::Ratio(7, 2)), "1 3 3 3 3.5"},
      {Property("v", Property::Ratio(-7, 2)), "1 -3 4294967293 -3 -3.5"},
      {Property("v", "1"), "- - - - -"},
      {Property("v"), "- - - - -"},
  };
  for (const auto& [leaf, readings] : rows) EXPECT_EQ(Readings(leaf), readings) << leaf;
  EXPECT_THAT(Refusal([] { Property("big", 1e300).GetValue<int>(); }),
              HasSubstr("\"big\" holds double 1e+300, which does not fit int"));
}

// Lookups in a large node stay right after replacing, renaming, assigning and copying children.
TEST(PropertyTest, LargeNodesFindTheFirstMatchAfterChanges) {
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
  const Property& copyView = copy;
  EXPECT_EQ(copyView.FindChild("k1"), 2u);
  copy[0].SetName("k3");  // children of a copy are children too
  EXPECT_EQ(copyView.FindChild("k3"), 0u);
}

// A count beyond the int64 range is written as the largest int64, not as a negative number.
TEST(PropertyTest, StatisticsHoldTimeAndClampedCount) {
  const Property statistics = MakeStatistics("s", -5, 7);
  EXPECT_EQ(ToString(statistics), "\"s\" {\n  \"time\": int64 -5\n  \"count\": int64 7\n}");
  EXPECT_EQ(MakeStatistics("s", 0, std::numeric_limits<std::size_t>::max())["count"].GetInt64(),
            std::numeric_limits<long long>::max());
}

using Limits = std::numeric_limits<double>;
using Ratio = Property::Ratio;

// A chain of `levels` nodes, the root included.
Property Chain(int levels) {
  Property node("deepest");
  for (int level = 1; level < levels; ++level) {
    Property parent("level");
    parent.Add(std::move(node));
    node = std::move(parent);
  }
  return node;
}

TEST(PropertyJsonTest, WritesOneNodeALineAndReadsKeysInAnyOrderWholeDoublesAndUnreducedRatios) {
  Property root("$$FLIP$$");
  root.SetChildT("on", true);
  root.SetChildT<double>("scale", 2.0);
  root.SetChildT("rate", Ratio(-1, 2));
  root.SetChild("crop", Property());
  EXPECT_EQ(PropertyToJson(root),
            "{\"name\": \"$$FLIP$$\", \"children\": [\n"
            "  {\"name\": \"on\", \"bool\": true},\n"
            "  {\"name\": \"scale\", \"double\": 2.0},\n"
            "  {\"name\": \"rate\", \"ratio\": [-1, 2]},\n"
            "  {\"name\": \"crop\", \"children\": []}\n"
            "]}\n");
  EXPECT_EQ(
      PropertyFromJson(" {\"children\": [{\"bool\": true, \"name\": \"on\"}, {\"name\": \"scale\", \"double\": 2},\n"
                       "{\"ratio\": [2, -4], \"name\": \"rate\"}, {\"name\": \"crop\", \"children\": []}],\n"
                       "\"name\": \"$$FLIP$$\"}\n"),
      root);
}

TEST(PropertyJsonTest, EveryKindAndEdgeValueSurvivesTheRoundTrip) {
  constexpr long long kMin = std::numeric_limits<long long>::min();
  constexpr long long kMax = std::numeric_limits<long long>::max();
  Property all("all");
  for (const Property& tree :
       {Property("", false), Property("t", true), Property("min", kMin), Property("max", kMax),
        Property("negative zero", -0.0), Property("denormal", Limits::denorm_min()), Property("largest", Limits::max()),
        Property("lowest", Limits::lowest()), Property("tenth", 0.1), Property("big whole", 1e22),
        Property("empty", ""), Property("controls", std::string("\0\x01\n\"\\/", 6)),
        Property("\xE6\xBC\xA2", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), Property("rate", Ratio(30000, 1001)),
        Property("extremes", Ratio(kMin, kMax)), Property("same", 1LL), Property("same"),
        Chain(kPropertyJsonMaxDepth - 1)}) {  // the chain makes the document as deep as allowed
    all.Add(tree);
  }
  const std::string text = PropertyToJson(all);
  const Property back = PropertyFromJson(text);
  EXPECT_EQ(back, all) << text;
  EXPECT_EQ(PropertyToJson(back), text);  // doubles bit-exact: -0.0 stays -0.0
}

TEST(PropertyJsonTest, RefusalsNameTheLineAndColumnOrTheJsonPointer) {
  const struct {
    const char* text;
    const char* position;
  } cases[] = {
      {"", "line 1, column 1"},
      {"{\"name\": \"a\",\n  \"int\": tru}", "line 2, column 13"},
      {"{\"name\": \"a\", \"int\": 1} x", "line 1, column 25"},
      {"{\"name\": \"a\",\n\n \"double\": 1e400}", "line 3, column"},
      {"[]", "at \"\""},
      {"{\"name\": \"a\"}", "at \"\""},
      {"{\"int\": 1}", "at \"\""},
      {"{\"name\": \"a\", \"children\": [{\"name\": \"b\", \"int\": 1}, {\"name\": \"c\", \"int\": \"1\"}]}",
       "at \"/children/1/int\""},
      {"{\"name\": \"a\", \"children\": [5]}", "at \"/children/0\""},
      {"{\"name\": \"a\", \"int\": 1, \"a/b\": 2}", "at \"/a~1b\""},
      {"{\"name\": \"a\", \"name\": \"b\", \"int\": 1}", "at \"/name\""},
      {"{\"name\": \"a\", \"int\": 1, \"bool\": true}", "at \"/bool\""},
      {"{\"name\": \"a\", \"bool\": null}", "at \"/bool\""},
      {"{\"name\": \"a\", \"string\": {\"name\": \"b\", \"int\": 1}}", "at \"/string\""},
      {"{\"name\": \"a\", \"int\": 9223372036854775808}", "at \"/int\""},
      {"{\"name\": \"a\", \"int\": -9223372036854775809}", "at \"/int\""},
      {"{\"name\": \"a\", \"int\": 1.0}", "at \"/int\""},
      {"{\"name\": \"a\", \"ratio\": [1, 0]}", "at \"/ratio\""},
      {"{\"name\": \"a\", \"ratio\": [1, 2, 3]}", "at \"/ratio\""},
      {"{\"name\": \"a\", \"ratio\": [-9223372036854775808, -1]}", "at \"/ratio\""},
      {"{\"name\": \"a\", \"ratio\": [1, [2]]}", "at \"/ratio/1\""},
  };
  for (const auto& c : cases) {
    EXPECT_THAT(Refusal([&] { PropertyFromJson(c.text); }), HasSubstr(c.position)) << c.text;
  }
}

TEST(PropertyJsonTest, WritingRefusesWhatJsonCannotHoldNamingTheNode) {
  for (const auto& [child, position] :
       {std::pair{Property("nan", Limits::quiet_NaN()), "/children/1/double"},
        std::pair{Property("\xFF", 1LL), "/children/1/name"}, std::pair{Property("s", "\xC3"), "/children/1/string"}}) {
    Property tree("root");
    tree.Add(Property("ok", 1LL));
    tree.Add(child);
    EXPECT_THAT(Refusal([&] { PropertyToJson(tree); }), HasSubstr(std::string("at \"") + position + "\"")) << child;
  }
}

TEST(PropertyJsonTest, NestingBeyondTheLimitIsRefusedBeforeDescending) {
  std::string path;
  for (int level = 1; level <= kPropertyJsonMaxDepth; ++level) path += "/children/0";
  const std::string refusal = "deeper than 64 levels at \"" + path + "\"";
  EXPECT_THAT(Refusal([] { PropertyToJson(Chain(kPropertyJsonMaxDepth + 1)); }), HasSubstr(refusal));
  // Far deeper than any stack would allow if each level were a call.
  std::string nodes;
  std::string arrays = "{\"name\": \"a\", \"int\": ";
  for (int i = 0; i < 100000; ++i) {
    nodes += "{\"name\": \"\", \"children\": [";
    arrays += '[';
  }
  EXPECT_THAT(Refusal([&] { PropertyFromJson(nodes); }), HasSubstr(refusal));
  EXPECT_THAT(Refusal([&] { PropertyFromJson(arrays); }), HasSubstr("at \"/int\""));
}

}  // namespace
}  // namespace Tivrel::Core
