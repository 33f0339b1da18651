#include "Proc/Interfaces/BlendHelper.h"

#include <stdexcept>
#include <utility>

#include "Platform/Conf/ImplNames.h"
#include "Platform/Core/Exception.h"
#include "Platform/Settings/SettingsEffectAlphaExtractor.h"
#include "Proc/Settings/SettingsColorspaceConverter.h"
#include "Proc/Settings/SettingsEffectExtraAlphaExtractor.h"

namespace Tivrel::Proc {

namespace {

constexpr char kPrepareFunction[] =
    "SP<Tivrel::Proc::IDataVideo> Tivrel::Proc::BlendHelper::Prepare("
    "Tivrel::PixFmt, const SP<Tivrel::Proc::IDataVideo> &)";

SP<IOneInputEffectVideo> CreateEffect(const IEffectFactory& factory, const std::string& classId) {
  return factory.CreateVideoEffect(classId, ImplNames::DEFAULT, SP<IRefCountable>());
}

const IEffectFactory& CheckedFactory(const SP<const IEffectFactory>& factory) {
  if (!factory) {
    ThrowError<std::invalid_argument>(
        "factory is NULL",
        TIVREL_THROW_SITE("Tivrel::Proc::BlendHelper::BlendHelper(const SP<const Tivrel::Proc::IEffectFactory> &)",
                          __LINE__));
  }
  return *factory;
}

}  // namespace

// The members initialise in declaration order, so the factory is asked for the alpha
// extractor, the extra alpha extractor and the converter in that order; if a request
// throws, the effects already obtained are released.
BlendHelper::BlendHelper(const SP<const IEffectFactory>& factory)
    : alphaExtractor_(CreateEffect(CheckedFactory(factory), SettingsEffectAlphaExtractor::CLASS_ID)),
      extraAlphaExtractor_(CreateEffect(*factory, SettingsEffectExtraAlphaExtractor::CLASS_ID)),
      colorspaceConverter_(CreateEffect(*factory, SettingsColorspaceConverter::CLASS_ID)) {}

BlendHelper::~BlendHelper() = default;

void BlendHelper::CheckEffects() const {
  if (!alphaExtractor_ || !extraAlphaExtractor_ || !colorspaceConverter_) {
    ThrowError<std::logic_error>("the effect factory gave no effect", TIVREL_THROW_SITE(kPrepareFunction, __LINE__));
  }
}

void BlendHelper::Configure(PixFmt format) {
  SettingsColorspaceConverter converter;
  converter.pixelFormats.assign(1, format);
  converter.preserveAlpha = true;
  converter.interlaced = false;
  converter.SetPadColor(0, 0, 0);
  converter.usePadColor = true;
  colorspaceConverter_->SetSettings(converter);

  SettingsEffectExtraAlphaExtractor extraAlpha;
  extraAlpha.pixelFormat = format;
  extraAlphaExtractor_->SetSettings(extraAlpha);
}

SP<IDataVideo> BlendHelper::Prepare(PixFmt format, const SP<IDataVideo>& source) {
  CheckEffects();

  if (format != currentFormat_) {
    ++prepareCount_;
    Configure(format);
  } else if (source == lastSource_) {
    return result_;
  } else {
    ++prepareCount_;
  }

  SP<IDataVideo> alpha = source;
  alphaExtractor_->ProcessVideoData(alpha);
  SP<IDataVideo> extraAlpha = alpha;
  extraAlphaExtractor_->ProcessVideoData(extraAlpha);
  SP<IDataVideo> converted = source;
  colorspaceConverter_->ProcessVideoData(converted);

  if (!converted && (alpha || extraAlpha)) {
    ThrowError<std::logic_error>("the colorspace converter left no frame to attach the alpha planes to",
                                 TIVREL_THROW_SITE(kPrepareFunction, __LINE__));
  }
  const IDataVideo* constAlpha = alpha.get();
  const IDataVideo* constExtraAlpha = extraAlpha.get();
  if (constAlpha) converted->SetAlphaPlane(0, constAlpha->GetPlane(0));
  if (constExtraAlpha) converted->SetAlphaPlane(1, constExtraAlpha->GetPlane(0));

  currentFormat_ = format;
  lastSource_ = source;
  alphaFrame_ = std::move(alpha);
  extraAlphaFrame_ = std::move(extraAlpha);
  result_ = converted;
  return converted;
}

void BlendHelper::Reset() {
  currentFormat_ = PIX_FMT_NONE;
  lastSource_.reset();
  alphaFrame_.reset();
  extraAlphaFrame_.reset();
  result_.reset();
  for (IOneInputEffectVideo* effect : {alphaExtractor_.get(), extraAlphaExtractor_.get(), colorspaceConverter_.get()}) {
    if (effect) effect->Reset();
  }
}

Core::Property BlendHelper::GetStatistic() const {
  return Core::MakeStatistics("Tivrel::Core::Property Tivrel::Proc::BlendHelper::GetStatistic() const", time_,
                              prepareCount_);
}

}  // namespace Tivrel::Proc
