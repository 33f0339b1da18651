#pragma once

/// @file
/// Where effects come from: the engine's effect libraries register their implementations
/// with a factory, and users of effects ask it for one by class and implementation name.

#include <string>

#include "Platform/Core/RefCount.h"
#include "Platform/Export.h"
#include "Proc/Interfaces/IOneInputEffect.h"

namespace Tivrel::Proc {

/// A source of effects by class and implementation name.
///
/// Implemented outside this library. A factory is shared through SP; its operations are
/// const and may be called from any thread.
class TIVREL_VISIBLE IEffectFactory : public virtual IRefCountable {
public:
  /// A new, unconfigured one-input video effect of class `classId` (a CLASS_ID text such
  /// as SettingsColorspaceConverter::CLASS_ID) in the implementation `implName` (for instance
  /// ImplNames::DEFAULT). `context` is an implementation-specific object that effects
  /// created together may share (a device, a pool); empty for none. Throws when the
  /// factory knows no such effect.
  virtual SP<IOneInputEffectVideo> CreateVideoEffect(const std::string& classId, const std::string& implName,
                                                     const SP<IRefCountable>& context) const = 0;

protected:
  ~IEffectFactory() override = default;
};

}  // namespace Tivrel::Proc
