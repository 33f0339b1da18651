#pragma once

#include <string>

#include <boost/rational.hpp>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Settings/SettingsFilterFrameRate.h"

namespace Tivrel::Proc {

/// Filter that converts the frame rate. Frame-rate tree (root named CLASS_ID), in writing order:
/// @code{.unparsed}
///   Conf::IPreset::KEY_TYPE_ID      string                      empty (not read)
///   IFormatCodecVideo::TAG_FPS      boost::rational<long long>  the frame rate (required)
/// @endcode
/// The functions keep no state and may run on any thread.
class TIVREL_PROC_API IFilterFrameRate {
public:
  static const std::string CLASS_ID;  ///< root name of a frame-rate tree: SettingsFilterFrameRate::CLASS_ID

  /// The frame-rate tree of `frameRate`.
  static Core::Property MakeSettings(const boost::rational<long long>& frameRate);

  /// Reads TAG_FPS into a default record; the root's name is not checked. Throws
  /// Core::PropertyException from the tree when TAG_FPS is missing or not a ratio.
  static SettingsFilterFrameRate Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
