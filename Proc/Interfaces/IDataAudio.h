#pragma once

/// @file
/// IDataAudio: a block of decoded audio samples, and the size of its planes.

#include "Platform/Conf/AudioFormat.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/IData.h"

namespace Tivrel::Proc {

/// The bytes of one plane of an audio block. data is null only when size is 0.
struct AudioPlaneBuffer {
  unsigned char* data = nullptr;  ///< first byte of the plane
  unsigned long size = 0;         ///< bytes of the plane
};

/// A block of decoded audio samples.
///
/// A block whose sample format is planar holds one plane per channel of its layout;
/// an interleaved block holds exactly one plane (Conf::AudioFormat::GetPlanesCount).
/// Protocol and threading as for every data block (Proc/Interfaces/IData.h).
class TIVREL_VISIBLE IDataAudio : public IDataMedia {
public:
  /// Samples per channel in the block.
  virtual int GetSamplesCount() const = 0;
  /// Rate, sample format and channel layout; fixed for the block's lifetime.
  virtual const Conf::AudioFormat& GetAudioFormat() const = 0;
  /// Plane `plane`, 0 first. Precondition: plane < GetAudioFormat().GetPlanesCount()
  /// (implementations throw std::invalid_argument otherwise). The buffer stays valid while
  /// the block lives.
  virtual AudioPlaneBuffer GetPlaneBuffer(unsigned char plane) = 0;

protected:
  ~IDataAudio() override = default;
};

/// Bytes of all planes of the block together (0 for a planar block whose layout has no
/// channels). Throws a plain std::invalid_argument "Empty Frame" for a null pointer.
TIVREL_PROC_API unsigned long GetAudioDataSize(const SP<IDataAudio>& data);

}  // namespace Tivrel::Proc
