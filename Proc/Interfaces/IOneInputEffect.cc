#include "Proc/Interfaces/IOneInputEffect.h"

#include <stdexcept>
#include <typeinfo>
#include <utility>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"

namespace Tivrel::Proc {

SP<IData> IOneInputEffect::ProcessData(const std::vector<SP<IData>>& data) {
  if (data.size() != 1) {
    ThrowError<std::logic_error>("incorrect data count",
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kOneInputEffectProcessData));
  }
  SP<IData> result = data.front();
  ProcessData(result);
  return result;
}

void IOneInputEffectVideo::ProcessData(SP<IData>& data) {
  if (!data) {
    ThrowError<std::invalid_argument>(
        "data is NULL",
        TIVREL_THROW_SITE("virtual void Tivrel::Proc::IOneInputEffectVideo::ProcessData(SP<Tivrel::Proc::IData> &)",
                          __LINE__));
  }
  SP<IDataVideo> frame(&dynamic_cast<IDataVideo&>(*data));
  ProcessVideoData(frame);
  data = std::move(frame);
}

}  // namespace Tivrel::Proc
