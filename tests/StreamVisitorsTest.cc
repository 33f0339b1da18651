#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Media/VideoFrame.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using ::testing::_;
using ::testing::Invoke;
using Testing::MockVideoDecoder;
using ::testing::NiceMock;
using ::testing::Return;

using MockVisitor = Testing::MockStreamVisitor;

TEST(StreamVisitorsTest, WalkOverALockableSingleFrameStreamReachesBothStreams) {
  const SP<IStreamVideoLockable> graph =
      IStreamVideoLockable::Create(StreamOneFrameVideo::Create(Media::VideoFrame::Create(PIX_FMT_YUV420P, 8, 8)));

  Visitors::InfoCollector info;
  Visitors::FrameTypeCollector types;
  Visitors::DecoderCollector decoders;
  graph->Accept(info);
  graph->Accept(types);
  graph->Accept(decoders);
  EXPECT_EQ(info.names, (std::vector<std::string>{"StreamLockable", "StreamOneFrameVideo"}));
  EXPECT_EQ(types.types, (std::vector<FrameAllocType>{FrameAllocType(5), FrameAllocType(5)}));
  EXPECT_TRUE(decoders.decoders.empty());
}

TEST(StreamVisitorsTest, DecoderCollectorKeepsAReferenceOnEveryDecoderReported) {
  const SP<MockVideoDecoder> decoder(new NiceMock<MockVideoDecoder>);
  ON_CALL(*decoder, Accept(_)).WillByDefault(Invoke([&](IStreamVisitor& visitor) {
    Visitors::ProcessStandartVisitors(visitor, "Decoder", FRAME_ALLOC_DECODER, decoder.get());
  }));
  const SP<IStreamVideoLockable> graph = IStreamVideoLockable::Create(decoder);
  const long references = decoder->GetRefCount();

  Visitors::DecoderCollector collector;
  collector.AddDecoder(nullptr);
  EXPECT_TRUE(collector.decoders.empty());
  graph->Accept(collector);
  ASSERT_EQ(collector.decoders.size(), 1u);
  EXPECT_EQ(collector.decoders[0].get(), decoder.get());
  EXPECT_EQ(decoder->GetRefCount(), references + 1);

  Visitors::InfoCollector info;
  graph->Accept(info);
  EXPECT_EQ(info.names, (std::vector<std::string>{"StreamLockable", "Decoder"}));
}

TEST(StreamVisitorsTest, VisitorsOfUnknownKindOrWrongClassAreRefused) {
  for (const int32_t kind : {-1, 3}) {
    MockVisitor visitor;
    EXPECT_CALL(visitor, GetType()).WillRepeatedly(Return(kind));
    try {
      Visitors::ProcessStandartVisitors(visitor, "x", FRAME_ALLOC_UNKNOWN, nullptr);
      ADD_FAILURE() << "kind " << kind << " accepted";
    } catch (const std::logic_error& e) {
      EXPECT_STREQ(e.what(), "Unknown visitor type");
    }
  }
  for (const int32_t kind : {0, 1, 2}) {
    MockVisitor visitor;
    EXPECT_CALL(visitor, GetType()).WillRepeatedly(Return(kind));
    EXPECT_THROW(Visitors::ProcessStandartVisitors(visitor, "x", FRAME_ALLOC_UNKNOWN, nullptr), std::bad_cast)
        << "kind " << kind;
  }
}

}  // namespace
}  // namespace Tivrel::Proc
