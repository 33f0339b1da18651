#include "Proc/Interfaces/ProcessingError.h"

#include <stdexcept>

#include <boost/exception/get_error_info.hpp>

namespace Tivrel::Proc {

ProcessingError::ProcessingError(TranscodingErrors code, const std::string& sourceFileName,
                                 const std::string& sourceFunction, int sourceLine, const std::string& description,
                                 const std::string& codecId)
    : errorCode_(code),
      sourceCodeFileName_(sourceFileName),
      sourceCodeFunction_(sourceFunction),
      sourceCodeLine_(sourceLine),
      errorDescription_(description),
      codecId_(codecId) {}

ProcessingError::~ProcessingError() = default;

TranscodingErrors ProcessingError::GetErrorCode() const { return errorCode_; }
std::string ProcessingError::GetSourceCodeFileName() const { return sourceCodeFileName_; }
std::string ProcessingError::GetSourceCodeFunction() const { return sourceCodeFunction_; }
int ProcessingError::GetSourceCodeLine() const { return sourceCodeLine_; }
std::string ProcessingError::GetErrorDescription() const { return errorDescription_; }
std::string ProcessingError::GetCodecID() const { return codecId_; }

ProcessingError ProcessingError::MakeProcessingErrorFromException(ExceptionPtr exception) {
  if (!exception) {
    ThrowError<std::invalid_argument>(
        "exception is NULL",
        TIVREL_THROW_SITE("static Tivrel::Proc::ProcessingError "
                          "Tivrel::Proc::ProcessingError::MakeProcessingErrorFromException(Tivrel::ExceptionPtr)",
                          __LINE__));
  }
  TranscodingErrors code = TranscodingException;
  std::string fileName;
  std::string function;
  int line = -1;
  std::string description;
  std::string codecId;
  try {
    try {
      RethrowException(exception);
    } catch (const Core::MemoryException& e) {
      // Rethrowing a stored exception hands out the stored object itself, so the code
      // lands where every holder of the pointer sees it.
      e << TagTranscodingErrorCode(NotEnoughMemory);
      throw;
    }
  } catch (const Exception& e) {
    if (const auto* file = boost::get_error_info<boost::throw_file>(e)) fileName = *file;
    if (const auto* fn = boost::get_error_info<boost::throw_function>(e)) function = *fn;
    if (const auto* throwLine = boost::get_error_info<boost::throw_line>(e)) line = *throwLine;
    if (const auto* text = boost::get_error_info<TagDescription>(e)) description = *text;
    if (const auto* tagged = boost::get_error_info<TagTranscodingErrorCode>(e)) code = *tagged;
    if (const auto* codec = boost::get_error_info<TagCodecID>(e)) codecId = *codec;
  } catch (const std::exception& e) {
    description = e.what();
  }
  return ProcessingError(code, fileName, function, line, description, codecId);
}

std::string ProcessingErrorToString(const ProcessingError& error) {
  return "ProcessingError: \n[code]: " + std::to_string(error.GetErrorCode()) +
         "\n[description]: " + error.GetErrorDescription() + "\n[code filename]: " + error.GetSourceCodeFileName() +
         "\n[code function]: " + error.GetSourceCodeFunction() +
         "\n[code line]: " + std::to_string(error.GetSourceCodeLine()) + "\n";
}

}  // namespace Tivrel::Proc
