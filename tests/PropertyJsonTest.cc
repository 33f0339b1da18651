// Property trees as JSON: the text written, every kind surviving a round trip, refusals with their positions, depth.

#include <functional>
#include <limits>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Platform/Core/PropertyJson.h"

namespace Tivrel::Core {
namespace {

using ::testing::HasSubstr;
using Limits = std::numeric_limits<double>;
using Ratio = Property::Ratio;

// The refusal's description; another exception fails the test.
std::string Refusal(const std::function<void()>& action) {
  try {
    action();
  } catch (const PropertyException& e) {
    return *boost::get_error_info<TagDescription>(e);
  }
  return "<nothing thrown>";
}

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
