// The stream visitors: collectors over a stream graph, decoder references, refused visitors.
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
#include "Testing/Assertions.h"
#include "Testing/Mocks.h"

namespace Tivrel::Proc {
namespace {

using ::testing::Return;

// A lockable decorator over a decoder, then over a single-frame stream: every collector
// reaches both streams of the graph.
TEST(StreamVisitorsTest, CollectorsReachEveryStreamAndKeepTheDecoders) {
  const SP<Testing::MockVideoDecoder> decoder(new ::testing::NiceMock<Testing::MockVideoDecoder>);
  ON_CALL(*decoder, Accept).WillByDefault([&](IStreamVisitor& visitor) {
    Visitors::ProcessStandartVisitors(visitor, "Decoder", FRAME_ALLOC_DECODER, decoder.get());
  });
  const SP<IStreamVideoLockable> overDecoder = IStreamVideoLockable::Create(decoder);
  Visitors::InfoCollector info;
  Visitors::FrameTypeCollector types;
  Visitors::DecoderCollector decoders;
  decoders.AddDecoder(nullptr);
  for (IStreamVisitor* visitor : std::initializer_list<IStreamVisitor*>{&info, &types, &decoders}) {
    overDecoder->Accept(*visitor);
    IStreamVideoLockable::Create(StreamOneFrameVideo::Create(Media::VideoFrame::Create(PIX_FMT_YUV420P, 8, 8)))
        ->Accept(*visitor);
  }
  EXPECT_EQ(info.names,
            (std::vector<std::string>{"StreamLockable", "Decoder", "StreamLockable", "StreamOneFrameVideo"}));
  EXPECT_EQ(types.types, (std::vector<FrameAllocType>{FRAME_ALLOC_SHARED_VIEW, FRAME_ALLOC_DECODER,
                                                      FRAME_ALLOC_SHARED_VIEW, FRAME_ALLOC_SHARED_VIEW}));
  ASSERT_EQ(decoders.decoders.size(), 1u);
  EXPECT_EQ(decoders.decoders[0].get(), decoder.get());
}

TEST(StreamVisitorsTest, VisitorsOfUnknownKindOrWrongClassAreRefused) {
  for (const int32_t kind : {-1, 0, 1, 2, 3}) {
    Testing::MockStreamVisitor visitor;
    EXPECT_CALL(visitor, GetType()).WillRepeatedly(Return(kind));
    const auto process = [&] { Visitors::ProcessStandartVisitors(visitor, "x", FRAME_ALLOC_UNKNOWN, nullptr); };
    if (kind < 0 || kind > 2) {
      EXPECT_THAT(process, ::testing::Throws<std::logic_error>(Testing::Described("Unknown visitor type")));
    } else {
      EXPECT_THROW(process(), std::bad_cast) << "kind " << kind;
    }
  }
}

}  // namespace
}  // namespace Tivrel::Proc
