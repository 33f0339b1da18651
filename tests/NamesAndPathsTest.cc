// Controller state names, DVD path recognition, metadata keys and the join and repeat filters' identifiers.

#include <set>
#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Proc/Interfaces/IConverterController.h"
#include "Proc/Interfaces/IDVDReader.h"
#include "Proc/Interfaces/IImageMetadata.h"
#include "Proc/Interfaces/TIFilterJoin.h"
#include "Proc/Interfaces/TIFilterRepeat.h"

namespace Tivrel::Proc {
namespace {

TEST(NamesAndPathsTest, ControllerStatesHaveTheirNamesAndOthersAreRefused) {
  const char* const names[] = {"NotInitialized", "Stopped", "Running", "Paused", "Error"};
  for (int state = 0; state < 5; ++state)
    EXPECT_STREQ(ControllerStateAsString(static_cast<IConverterController::ControllerState>(state)), names[state]);
  for (const int state : {-1, 5}) {
    EXPECT_THAT([state] { ControllerStateAsString(static_cast<IConverterController::ControllerState>(state)); },
                ::testing::ThrowsMessage<std::invalid_argument>(::testing::StartsWith("controllerState")));
  }
}

// Each case is checked as written and, to cover texts too long for the pattern engine,
// with 3000 characters inserted after the prefix (or appended when there is none).
TEST(NamesAndPathsTest, DvdPathsNeedThePrefixAndATitleOnTheFirstLine) {
  const struct {
    const char* path;
    bool dvd;
  } cases[] = {
      {"dvd:///media/disc:title=3", true},
      {"dvd://:title=", true},
      {"dvd://x:title=abc:title=2", true},
      {"dvd://x:title=1\nmore", true},
      {"DVD://x:title=1", false},
      {" dvd://x:title=1", false},
      {"dvd://x", false},
      {"dvd://x:title", false},
      {"cd://x:track=1", false},
      {"dvd://x\n:title=1", false},
      {"dvd://x\r:title=1", false},
      {"x dvd://x:title=1", false},
      {"", false},
  };
  const std::string padding(3000, 'p');
  for (const auto& c : cases) {
    std::string longer = c.path;
    const bool prefixed = longer.rfind("dvd://", 0) == 0;
    longer.insert(prefixed ? 6 : longer.size(), padding);
    EXPECT_EQ(IDVDReader::IsDVDPath(ioPath(c.path)), c.dvd) << c.path;
    EXPECT_EQ(IDVDReader::IsDVDPath(ioPath(longer)), c.dvd) << c.path << " with padding";
  }
}

TEST(NamesAndPathsTest, MetadataKeysJoinTheirPartsWithDots) {
  EXPECT_EQ(IImageMetadata::GetKey(IImageMetadata::EXIF, IImageMetadata::BLOCK_IMAGE, IImageMetadata::TAG_ORIENTATION),
            "Exif.Image.Orientation");
  EXPECT_EQ(IImageMetadata::GetKey("", "", ""), "..");
}

TEST(NamesAndPathsTest, JoinAndRepeatFiltersHaveTheirOwnIdentifiers) {
  const std::set<std::string> ids = {
      TIFilterJoin<IStreamVideo>::CLASS_ID,
      TIFilterJoin<IStreamAudio>::CLASS_ID,
      TIFilterJoin<IStreamRaw>::CLASS_ID,
      TIFilterRepeat<IStreamVideoEx, IStreamVideo>::CLASS_ID,
      TIFilterRepeat<IStreamAudioEx, IStreamAudio>::CLASS_ID,
  };
  EXPECT_EQ(ids, (std::set<std::string>{"$$FILTER_JOIN_VIDEO$$", "$$FILTER_JOIN_AUDIO$$", "$$FILTER_JOIN_RAW$$",
                                        "$$FILTER_REPEAT_VIDEO$$", "$$FILTER_REPEAT_AUDIO$$"}));
}

}  // namespace
}  // namespace Tivrel::Proc
