// Uses the installed headers and libraries from outside the project: exceptions
// thrown in the application and inside the libraries must be caught by their exported
// types, and an error record must come out of a stored exception.
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

#include "Platform/Core/MD5.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/Stub.h"

namespace {

int failures = 0;

void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::cerr << "FAILED: " << what << '\n';
    ++failures;
  }
}

}  // namespace

int main() {
  using namespace Tivrel;

  Expect(Core::MD5("abc").hexdigest() == "900150983cd24fb0d6963f7d28e17f72", "MD5 of \"abc\"");

  // Thrown inside libtivrel_proc, caught here by a standard type.
  try {
    RethrowException(ExceptionPtr());
    Expect(false, "RethrowException(null) returned");
  } catch (const std::invalid_argument&) {
  } catch (...) {
    Expect(false, "RethrowException(null) threw an unexpected type");
  }

  ExceptionPtr stored;
  try {
    ThrowError<Proc::FilterException>("consumer failure", TIVREL_THROW_SITE("int main()", 42));
  } catch (const Proc::ProcException&) {
    stored = std::current_exception();
  }
  Expect(stored != nullptr, "FilterException caught as ProcException");

  const Proc::ProcessingError error = Proc::ProcessingError::MakeProcessingErrorFromException(stored);
  Expect(error.GetErrorCode() == Proc::TranscodingException, "error code");
  Expect(error.GetErrorDescription() == "consumer failure", "error description");
  Expect(error.GetSourceCodeFunction() == "int main()" && error.GetSourceCodeLine() == 42, "throw site");
  std::cout << Proc::ProcessingErrorToString(error);

  try {
    RethrowException(stored);
  } catch (const Proc::FilterException&) {
  } catch (...) {
    Expect(false, "stored exception rethrown as another type");
  }

  std::cout << (failures == 0 ? "consumer: ok" : "consumer: FAILED") << '\n';
  return failures == 0 ? 0 : 1;
}
