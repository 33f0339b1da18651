#pragma once

#include <cstdint>
#include <string>

#include "Platform/Core/Types.h"
#include "Platform/Settings/AssRendererSettings.h"
#include "Platform/Settings/SubtitleAlignment.h"
#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Drawing of subtitles onto the picture: which track, where, when, and how text is rendered.
/// The fields, their defaults, the alignment accessors, operator== and the CLASS_ID text stand
/// in for the engine's settings component; GetClassId, Clone and IsEqualTo are this
/// library's class behaviour.
class TIVREL_PROC_API SettingsSubtitleDrawer : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  int32_t trackIndex = 0;  ///< subtitle track of the source to draw
  uint32_t shiftTop = 0;   ///< pixels the text is moved down
  uint32_t shiftLeft = 0;  ///< pixels the text is moved right
  /// Picture size the positions refer to; 0: the video's own.
  ///@{
  int32_t layoutWidth = 0;
  int32_t layoutHeight = 0;
  ///@}
  avTime timeOffset = 0;         ///< added to every subtitle time
  AssRendererSettings renderer;  ///< how text is rendered

  /// The alignment of the text (by default centred at the bottom). Any 32-bit value is stored
  /// as it is; the drawer decides what an unknown one means.
  ///@{
  void SetHorizontalAlignment(AlignmentHorizontal alignment) { horizontalAlignment_ = alignment; }
  void SetVerticalAligment(AlignmentVertical alignment) { verticalAlignment_ = alignment; }
  AlignmentHorizontal GetHorizontalAlignment() const { return horizontalAlignment_; }
  AlignmentVertical GetVerticalAlignment() const { return verticalAlignment_; }
  ///@}

  /// Every field equal, the renderer settings included.
  bool operator==(const SettingsSubtitleDrawer& o) const;
  /// Not operator==.
  bool operator!=(const SettingsSubtitleDrawer& o) const { return !(*this == o); }

  const std::string& GetClassId() const override;
  SettingsSubtitleDrawer* Clone() const override;
  /// operator==. Throws std::bad_cast when `other` is not a SettingsSubtitleDrawer.
  bool IsEqualTo(const Settings& other) const override;

private:
  AlignmentHorizontal horizontalAlignment_ = AlignmentHorizontal::CENTER;  // 3
  AlignmentVertical verticalAlignment_ = AlignmentVertical::BOTTOM;        // 3
};

}  // namespace Tivrel::Proc
