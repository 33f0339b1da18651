#pragma once

/// @file
/// The error record an application receives for a failed job, its text form, and the
/// conversion of a caught exception into a record.

#include <string>

#include "Proc/Interfaces/Exceptions.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {

/// The error record an application receives for a failed job.
///
/// A plain copyable value. Sentinels: empty file name, function or codec ID mean "not
/// known"; a source line of -1 means "not known".
class TIVREL_PROC_API ProcessingError {
public:
  /// Stores the six values unchanged. Note the order: the throw site (file, function,
  /// line) comes before the description.
  ProcessingError(TranscodingErrors code, const std::string& sourceFileName, const std::string& sourceFunction,
                  int sourceLine, const std::string& description, const std::string& codecId);
  /// Copies the six values.
  ///@{
  ProcessingError(const ProcessingError&) = default;
  ProcessingError& operator=(const ProcessingError&) = default;
  ///@}
  virtual ~ProcessingError();

  /// One of the six values, as stored (see the sentinels above).
  ///@{
  virtual TranscodingErrors GetErrorCode() const;
  virtual std::string GetSourceCodeFileName() const;
  virtual std::string GetSourceCodeFunction() const;
  virtual int GetSourceCodeLine() const;
  virtual std::string GetErrorDescription() const;
  virtual std::string GetCodecID() const;
  ///@}

  /// Classifies the exception `exception` holds by rethrowing it:
  /// - Core::MemoryException: its code becomes NotEnoughMemory (attached to the stored
  ///   object itself, replacing any code it had, so every holder of the pointer sees it),
  ///   then it is read like any other family member;
  /// - Tivrel::Exception: throw file, function and line (each only when recorded), then
  ///   the TagDescription, TagTranscodingErrorCode and TagCodecID tags when present;
  /// - any other std::exception: what() becomes the description;
  ///
  /// everything else keeps the defaults: code TranscodingException, empty strings, line -1.
  /// An exception that is not a std::exception propagates unchanged.
  /// Throws std::invalid_argument when `exception` is null. Because of the attachment,
  /// one thread at a time converts a given stored MemoryException.
  static ProcessingError MakeProcessingErrorFromException(ExceptionPtr exception);

private:
  TranscodingErrors errorCode_;
  std::string sourceCodeFileName_;
  std::string sourceCodeFunction_;
  int sourceCodeLine_;
  std::string errorDescription_;
  std::string codecId_;
};

/// Six lines, each ended by a line feed: "ProcessingError: ", "[code]: <number>",
/// "[description]: <text>", "[code filename]: <file>", "[code function]: <function>",
/// "[code line]: <number>". The codec ID is not part of the text.
TIVREL_PROC_API std::string ProcessingErrorToString(const ProcessingError& error);

}  // namespace Tivrel::Proc
