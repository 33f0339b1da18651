#pragma once

#include <string>

#include <boost/rational.hpp>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Frame-rate conversion to a fixed rate.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsFilterFrameRate : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  boost::rational<long long> frameRate{25, 1};  ///< output frames per second
  std::string implName;                         ///< implementation to use; empty: the default one

  const std::string& GetClassId() const override;
  SettingsFilterFrameRate* Clone() const override;
  /// Numerator and denominator equal; the implementation name is not compared. Throws std::bad_cast when `other` is not
  /// a SettingsFilterFrameRate.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
