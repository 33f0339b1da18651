#include "Proc/Settings/SettingsEffectStabilizer.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsEffectStabilizer::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsEffectStabilizer";

const std::string& SettingsEffectStabilizer::GetClassId() const { return CLASS_ID; }

SettingsEffectStabilizer* SettingsEffectStabilizer::Clone() const { return new SettingsEffectStabilizer(*this); }

bool SettingsEffectStabilizer::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsEffectStabilizer&>(other);
  return *this == o;
}

bool SettingsEffectStabilizer::operator==(const SettingsEffectStabilizer& o) const {
  return enabled == o.enabled && analysisMode == o.analysisMode && logFile == o.logFile && shakiness == o.shakiness &&
         smoothing == o.smoothing && accuracy == o.accuracy && stepSize == o.stepSize && tripodFrame == o.tripodFrame &&
         minContrast == o.minContrast && relative == o.relative && optZoom == o.optZoom && zoomSpeed == o.zoomSpeed &&
         interpolation == o.interpolation;
}

}  // namespace Tivrel::Proc
