#pragma once

/// @file
/// The processing exception classes, the exported never-thrown exception objects, and
/// the exception pointer with its rethrow function.
///
/// The classes carry no data; a throw attaches TagDescription and TagCallStack and
/// records its location (see Platform/Core/Exception.h for the throw sequence). Inside
/// this library ProcException, SettingsException and FilterException are thrown; the
/// other classes are exported for the engine's other libraries.

#include <exception>

#include "Platform/Core/Exception.h"
#include "Proc/Interfaces/Export.h"

namespace Tivrel {

/// A stored exception: std::exception_ptr. Copying the pointer does not copy the object.
using ExceptionPtr = std::exception_ptr;

/// Rethrows the exception `p` holds (the stored object itself, not a copy). Never
/// returns. The library's own guard (rethrowing null is undefined): a null `p` throws
/// std::invalid_argument "exception is NULL" (call stack appended).
[[noreturn]] TIVREL_PROC_API void RethrowException(const ExceptionPtr& p);

namespace Proc {

/// Declares the exception class Name, derived virtually from Base, with no data of its own.
#define TIVREL_DECLARE_PROC_EXCEPTION(Name, Base)   \
  class TIVREL_VISIBLE Name : public virtual Base { \
  public:                                           \
    ~Name() noexcept override = default;            \
  }

/// The root of the processing exception classes; this library throws it for a job started
/// twice.
TIVREL_DECLARE_PROC_EXCEPTION(ProcException, ::Tivrel::Exception);
/// A settings record that cannot do what is asked (Settings::Deserialize).
TIVREL_DECLARE_PROC_EXCEPTION(SettingsException, ProcException);
/// A filter or effect that refuses its configuration, such as a settings tree of another
/// class, or an operation it does not implement.
TIVREL_DECLARE_PROC_EXCEPTION(FilterException, ProcException);
// The failures of the engine's other components, one class per kind of component: exported
// for the engine's other libraries, never thrown by this one.
/// A parser's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(ParserException, ProcException);
/// A demuxer's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(DemuxerException, ProcException);
/// A stream reader's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(StreamReaderException, ProcException);
/// A muxer's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(MuxerException, ProcException);
/// A decoder's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(DecoderException, ProcException);
/// An encoder's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(EncoderException, ProcException);
/// A converter's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(ConverterException, ProcException);
/// A codec factory's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(CodecFactoryException, ProcException);
/// A converter controller's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(ConverterControllerException, ProcException);
/// A player view's failure (for the engine's other libraries).
TIVREL_DECLARE_PROC_EXCEPTION(PlayerViewException, ProcException);

#undef TIVREL_DECLARE_PROC_EXCEPTION

/// One default-constructed instance of each class, built when the library is loaded and
/// never thrown or read: they anchor each class's type information in the exports.
///@{
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
///@}

}  // namespace Proc
}  // namespace Tivrel
