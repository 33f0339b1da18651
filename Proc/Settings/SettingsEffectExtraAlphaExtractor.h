#pragma once

#include <string>

#include "Platform/Conf/PixFmt.h"

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Extraction of an alpha channel that is stored beside the picture rather than in it. No
/// comparison: IsEqualTo is the base refusal.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId and Clone are this library's class behaviour.
class TIVREL_PROC_API SettingsEffectExtraAlphaExtractor : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  PixFmt pixelFormat = PIX_FMT_NONE;  ///< format of the picture the alpha is extracted for

  const std::string& GetClassId() const override;
  SettingsEffectExtraAlphaExtractor* Clone() const override;
};

}  // namespace Tivrel::Proc
