#pragma once

#include <string>
#include <vector>

#include "Platform/Conf/PixFmt.h"

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Pixel-format conversion of an effect chain: the formats the converter may produce, in
/// order of preference, and how it fills what the source does not cover.
/// The fields, their defaults, SetPadColor, operator== and the CLASS_ID text stand in for the engine's
/// settings component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsColorspaceConverter : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  std::vector<PixFmt> pixelFormats;  ///< acceptable output formats; empty: keep the input format
  /// Pad colour (SetPadColor).
  ///@{
  unsigned char padRed = 0;
  unsigned char padGreen = 0;
  unsigned char padBlue = 0;
  ///@}
  bool preserveAlpha = false;  ///< carry an alpha channel through the conversion
  bool usePadColor = false;    ///< fill uncovered areas with the pad colour instead of edge pixels
  bool interlaced = false;     ///< convert the two fields of a frame separately

  /// Sets the pad colour.
  void SetPadColor(unsigned char r, unsigned char g, unsigned char b);
  /// Every field equal, the format list in order.
  bool operator==(const SettingsColorspaceConverter& o) const;
  /// Not operator==.
  bool operator!=(const SettingsColorspaceConverter& o) const { return !(*this == o); }

  const std::string& GetClassId() const override;
  SettingsColorspaceConverter* Clone() const override;
  /// operator==. Throws std::bad_cast when `other` is not a SettingsColorspaceConverter.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
