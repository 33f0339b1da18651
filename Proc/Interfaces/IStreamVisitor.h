#pragma once

/// @file
/// Walking a stream graph: the visitor interface, the three standard collectors and the one
/// call through which a stream reports itself to them.

#include <cstdint>
#include <string>
#include <vector>

#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IStreamVideoDecoder.h"

namespace Tivrel::Proc {

/// How a stream obtains the frames it hands out.
enum FrameAllocType : int32_t {
  FRAME_ALLOC_UNKNOWN = 0,        ///< not known
  FRAME_ALLOC_SYSTEM_MEMORY = 1,  ///< a new frame in system memory per read
  FRAME_ALLOC_POOL = 2,           ///< frames recycled from a pool of the stream
  FRAME_ALLOC_DECODER = 3,        ///< frames owned by a decoder
  FRAME_ALLOC_HARDWARE = 4,       ///< frames in device memory
  FRAME_ALLOC_SHARED_VIEW = 5,    ///< views of frames that already exist; no pixel memory per read
};

/// A visitor of a stream graph; GetType tells which of the three standard collectors it is.
///
/// Protocol: create a collector, pass it to the Accept of the graph's last stream and read
/// the collector's vector afterwards. Each stream's Accept calls ProcessStandartVisitors
/// with its own name, frame allocation type and decoder, then passes the visitor on to the
/// streams it reads from, so entries appear in the order of the walk. Collectors are plain
/// containers without locks: a walk runs on one thread, and the collector must not be
/// touched by another thread meanwhile.
class TIVREL_VISIBLE IStreamVisitor {
public:
  // The kinds GetType returns; each names the collector class that implements it.
  static constexpr int32_t INFO_COLLECTOR = 0;        ///< kind of Visitors::InfoCollector
  static constexpr int32_t FRAME_TYPE_COLLECTOR = 1;  ///< kind of Visitors::FrameTypeCollector
  static constexpr int32_t DECODER_COLLECTOR = 2;     ///< kind of Visitors::DecoderCollector

  virtual ~IStreamVisitor() = default;
  /// The visitor's kind: INFO_COLLECTOR, FRAME_TYPE_COLLECTOR or DECODER_COLLECTOR.
  virtual int32_t GetType() const = 0;
};

namespace Visitors {

/// The names of the streams, in the order they reported themselves.
class TIVREL_PROC_API InfoCollector : public IStreamVisitor {
public:
  int32_t GetType() const override;  ///< INFO_COLLECTOR

  std::vector<std::string> names;  ///< the names, in reporting order
};

/// The streams' frame allocation types in reporting order, duplicates kept.
class TIVREL_PROC_API FrameTypeCollector : public IStreamVisitor {
public:
  int32_t GetType() const override;  ///< FRAME_TYPE_COLLECTOR
  /// Appends `type`.
  void AddCurrentType(FrameAllocType type);

  std::vector<FrameAllocType> types;  ///< the types, in reporting order
};

/// The video decoders of the graph in reporting order; each entry holds a reference.
class TIVREL_PROC_API DecoderCollector : public IStreamVisitor {
public:
  int32_t GetType() const override;  ///< DECODER_COLLECTOR
  /// Appends a new reference to `decoder`; null is ignored.
  void AddDecoder(IStreamVideoDecoder* decoder);

  std::vector<SP<IStreamVideoDecoder>> decoders;  ///< the decoders, in reporting order
};

/// Reports one stream to `visitor`, using only the argument that the visitor's kind asks
/// for: the name for an InfoCollector, the type for a FrameTypeCollector, the decoder (null
/// for a stream that is not one) for a DecoderCollector. Throws a plain std::logic_error
/// "Unknown visitor type" for any other kind, and std::bad_cast when the visitor is not of
/// the class its kind names; the visitor is then unchanged.
TIVREL_PROC_API void ProcessStandartVisitors(IStreamVisitor& visitor, const std::string& name, FrameAllocType type,
                                             IStreamVideoDecoder* decoder);

}  // namespace Visitors
}  // namespace Tivrel::Proc
