#pragma once

// The processing exception classes, the exported never-thrown exception objects, and
// the exception pointer with its rethrow function.
//
// The classes carry no data; a throw attaches TagDescription and TagCallStack and
// records its location (see Platform/Core/Exception.h for the throw sequence). Inside
// this library ProcException, SettingsException and FilterException are thrown; the
// other classes are exported for the engine's other libraries.

#include <exception>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel {

// A stored exception: std::exception_ptr. Copying the pointer does not copy the object.
using ExceptionPtr = std::exception_ptr;

// Rethrows the exception `p` holds (the stored object itself, not a copy). Never
// returns. The library's own guard (rethrowing null is undefined): a null `p` throws
// std::invalid_argument "exception is NULL" (call stack appended).
[[noreturn]] TIVREL_PROC_API void RethrowException(const ExceptionPtr& p);

namespace Proc {

#define TIVREL_DECLARE_PROC_EXCEPTION(Name, Base)   \
  class TIVREL_VISIBLE Name : public virtual Base { \
  public:                                           \
    ~Name() noexcept override = default;            \
  }

TIVREL_DECLARE_PROC_EXCEPTION(ProcException, ::Tivrel::Exception);
TIVREL_DECLARE_PROC_EXCEPTION(SettingsException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(FilterException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(ParserException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(DemuxerException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(StreamReaderException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(MuxerException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(DecoderException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(EncoderException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(ConverterException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(CodecFactoryException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(ConverterControllerException, ProcException);
TIVREL_DECLARE_PROC_EXCEPTION(PlayerViewException, ProcException);

#undef TIVREL_DECLARE_PROC_EXCEPTION

// One default-constructed instance of each class, built when the library is loaded and
// never thrown or read: they anchor each class's type information in the exports.
extern TIVREL_PROC_API const ProcException exportDummyException;
extern TIVREL_PROC_API const ParserException exportDummyException0;
extern TIVREL_PROC_API const DemuxerException exportDummyException1;
extern TIVREL_PROC_API const StreamReaderException exportDummyException2;
extern TIVREL_PROC_API const MuxerException exportDummyException3;
extern TIVREL_PROC_API const DecoderException exportDummyException4;
extern TIVREL_PROC_API const FilterException exportDummyException5;
extern TIVREL_PROC_API const EncoderException exportDummyException6;
extern TIVREL_PROC_API const ConverterException exportDummyException7;
extern TIVREL_PROC_API const CodecFactoryException exportDummyException8;
extern TIVREL_PROC_API const ConverterControllerException exportDummyException9;
extern TIVREL_PROC_API const PlayerViewException exportDummyException10;
extern TIVREL_PROC_API const SettingsException exportDummyException11;

}  // namespace Proc
}  // namespace Tivrel
