#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Settings/SettingsFilterResample.h"

namespace Tivrel::Proc {

/// Filter that resamples audio to a target format. Resample-filter tree: a root named
/// CLASS_ID holding one node named IResample::CLASS_ID ("$$RESAMPLE$$") with, in writing order:
/// @code{.unparsed}
///   Conf::IPreset::KEY_TYPE_ID            string     ImplNames::DEFAULT (not read)
///   IFormatCodecAudio::TAG_SAMPLE_RATE    long long  sample rate (low 32 bits read back)
///   IFormatCodecAudio::TAG_LAYOUT         string     the channel layout's name
///   IFormatCodecAudio::TAG_SAMPLE_FORMAT  string     the sample format's name
/// @endcode
/// The three format keys are optional on reading. The conversions keep no state and may run
/// on any thread.
class TIVREL_PROC_API IFilterResample {
public:
  /// Root name of a resample-filter tree: the settings record's own identifier, bound by
  /// reference (&CLASS_ID == &SettingsFilterResample::CLASS_ID).
  static const std::string& CLASS_ID;

  /// Throws std::invalid_argument from the format descriptions when the layout or the sample
  /// format has no record (see Platform/Conf/AudioFormat.h).
  static Core::Property Settings2Property(const SettingsFilterResample& settings);

  /// Reads the "$$RESAMPLE$$" node (required) into a record holding layout CH_LAYOUT_NONE,
  /// format SAMPLE_FMT_NONE and rate -1; the root's name is not checked. Throws
  /// Core::PropertyException from the tree for a missing node or a leaf of another kind, and
  /// std::invalid_argument from the format descriptions for an unknown layout or format name.
  static SettingsFilterResample Property2Settings(const Core::Property& tree);
};

}  // namespace Tivrel::Proc
