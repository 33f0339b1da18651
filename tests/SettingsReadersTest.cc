// Every settings reader of the registry: samples survive a reread, and the class check compares the whole name.

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Proc/Interfaces/Stub.h"
#include "Testing/SettingsRegistry.h"

namespace Tivrel::Testing {
namespace {

using Core::Property;

class SettingsReadersTest : public ::testing::TestWithParam<SettingsFamily> {};

INSTANTIATE_TEST_SUITE_P(Registry, SettingsReadersTest, ::testing::ValuesIn(SettingsFamilies()),
                         [](const ::testing::TestParamInfo<SettingsFamily>& info) { return info.param.name; });

TEST_P(SettingsReadersTest, SampleIsNamedAfterTheClassAndSurvivesARereadExactly) {
  const Property sample = GetParam().sample();
  if (GetParam().classId) EXPECT_EQ(sample.GetName(), *GetParam().classId);
  EXPECT_EQ(GetParam().reread(sample), sample);
}

// Names that differ from the identifier at its end, in length or entirely; the readers
// without a class check take them all.
TEST_P(SettingsReadersTest, ClassCheckComparesTheWholeName) {
  const SettingsFamily& family = GetParam();
  const std::string id = family.classId ? *family.classId : "$$ANY$$";
  Property tree = family.sample();
  for (const std::string& name : {id + "x", id.substr(0, id.size() - 1), id.substr(0, id.size() - 1) + "#",
                                  std::string(), Proc::IFilterApplyEffectsAudio::CLASS_ID}) {
    if (name == id) continue;
    tree.SetName(name);
    if (!family.classId) {
      EXPECT_NO_THROW(family.reread(tree)) << name;
      continue;
    }
    try {
      family.reread(tree);
      ADD_FAILURE() << "accepted " << name;
    } catch (const Proc::FilterException& e) {
      EXPECT_THAT(*boost::get_error_info<TagDescription>(e), ::testing::EndsWith(" class (" + name + ")!"));
    }
  }
}

}  // namespace
}  // namespace Tivrel::Testing
