// The interfaces whose virtual-table layout other libraries are compiled against. This file
// is only compiled, for its debug information, which check-layout.sh reads; nothing links it.

#include <cstddef>

#include "Platform/Core/Exception.h"
#include "Platform/Core/RefCount.h"
#include "Proc/Interfaces/IBlob.h"
#include "Proc/Interfaces/IData.h"
#include "Proc/Interfaces/IDataAudio.h"
#include "Proc/Interfaces/IDataPacket.h"
#include "Proc/Interfaces/IDataVideo.h"
#include "Proc/Interfaces/IEffect.h"
#include "Proc/Interfaces/IEffectFactory.h"
#include "Proc/Interfaces/IOneInputEffect.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/IStream.h"
#include "Proc/Interfaces/IStreamLockable.h"
#include "Proc/Interfaces/IStreamVideoDecoder.h"
#include "Proc/Interfaces/IStreamVisitor.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/ProgressControllerStages.h"
#include "Proc/Interfaces/StreamOneFrameVideo.h"
#include "Proc/Interfaces/StreamProcessorBase.h"
#include "Proc/Interfaces/Stub.h"
#include "Proc/Interfaces/TIFilterJoin.h"
#include "Proc/Interfaces/TIFilterRepeat.h"

namespace Tivrel::Proc {

// Instances of the class templates exist in the debug information only once instantiated.
constexpr std::size_t kTemplateInstances[] = {
    sizeof(TIFilterJoin<IStreamVideo>),
    sizeof(TIFilterJoin<IStreamAudio>),
    sizeof(TIFilterJoin<IStreamRaw>),
    sizeof(TIFilterRepeat<IStreamVideoEx, IStreamVideo>),
    sizeof(TIFilterRepeat<IStreamAudioEx, IStreamAudio>),
    sizeof(Core::EventHandlerList<Core::IProgressObserver, Core::SyncExecutePolicy>),
};

}  // namespace Tivrel::Proc
