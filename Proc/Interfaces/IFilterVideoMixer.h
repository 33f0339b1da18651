#pragma once

#include <string>

#include "Platform/Core/Property.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Filter that mixes an overlaid (slave) video stream onto a main one. The makers build ready
/// trees; they keep no state and may run on any thread.
class TIVREL_PROC_API IFilterVideoMixer {
public:
  static const std::string CLASS_ID;  ///< names the mixer and roots its trees: SettingsFilterVideoMixer::CLASS_ID
  static const std::string ADD_RESIZE_TO_SLAVE;           ///< bool: resize the slave stream
  static const std::string SLAVE_WIDTH;                   ///< slave width
  static const std::string SLAVE_HEIGHT;                  ///< slave height
  static const std::string RELATIVE_SIZE;                 ///< relative size
  static const std::string SLAVE_RELATIVE_X;              ///< double: relative horizontal position
  static const std::string SLAVE_RELATIVE_Y;              ///< double: relative vertical position
  static const std::string SLAVE_RELATIVE_WIDTH;          ///< double: relative width
  static const std::string SLAVE_RELATIVE_HEIGHT;         ///< double: relative height
  static const std::string USE_FIRST_FRAME_AS_WATERMARK;  ///< bool
  static const std::string START_TIME;                    ///< long long (avTime): when mixing starts
  static const std::string TRANSPARENCY_TYPE;             ///< string: one of the three values below
  /// A value of TRANSPARENCY_TYPE.
  ///@{
  static const std::string TRANSPARENCY_TYPE_OVERLAY;
  static const std::string TRANSPARENCY_TYPE_BLINK;
  static const std::string TRANSPARENCY_TYPE_FIXED_ALPHA;
  ///@}
  static const std::string LOOP_STREAM;          ///< bool: loop the slave stream
  static const std::string BLINK_SHOW_DURATION;  ///< blink mode: show duration
  static const std::string BLINK_HIDE_DURATION;  ///< blink mode: hide duration
  static const std::string BLINK_DO_FADE;        ///< blink mode: fade while blinking

  /// The tree of a default mixer record: a node named SettingsFilterVideoMixer::CLASS_ID with
  /// no children.
  static Core::Property MakeSettings();

  /// An unnamed node holding, in order: USE_FIRST_FRAME_AS_WATERMARK (bool), START_TIME
  /// (long long, avTime), IBlend::BLENDING_POSITION_X and IBlend::BLENDING_POSITION_Y
  /// (long long), TRANSPARENCY_TYPE (string, written unchanged: one of the three values
  /// TRANSPARENCY_TYPE_OVERLAY, TRANSPARENCY_TYPE_BLINK, TRANSPARENCY_TYPE_FIXED_ALPHA) and
  /// LOOP_STREAM (bool).
  static Core::Property MakeCombiningSettings(bool useFirstFrame, long long startTime, int positionX, int positionY,
                                              const std::string& transparencyType, bool loop);
};

}  // namespace Tivrel::Proc
