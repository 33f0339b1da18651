#pragma once

/// @file
/// IDataSubtitle: a decoded subtitle.

#include <string>

#include "Proc/Interfaces/IData.h"

namespace Tivrel::Proc {

/// A decoded subtitle: the text shown from GetTime for GetDuration.
class TIVREL_VISIBLE IDataSubtitle : public IDataMedia {
public:
  /// The subtitle text, UTF-8; lines separated by line feeds.
  virtual std::string GetText() const = 0;

protected:
  ~IDataSubtitle() override = default;
};

}  // namespace Tivrel::Proc
