#pragma once

// How the program fails: each kind of failure has its own exception and exit code, so that
// scripts can tell a bad command line from a bad input file or a failed job.

#include <exception>
#include <stdexcept>
#include <string>

#include "Platform/Core/Exception.h"

namespace StillImage {

constexpr int kExitOk = 0;
constexpr int kExitJobFailed = 1;      // the job reported an error (printed as a processing error)
constexpr int kExitUsage = 2;          // bad option or option value, canvas the format cannot hold
constexpr int kExitInput = 3;          // input or output file missing, unreadable, malformed, truncated
constexpr int kExitInterrupted = 130;  // stopped by Ctrl-C (128 + SIGINT)

// A bad command line. The message names the option and what was expected.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened, created or understood. The message names the file.
class InputError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The ProcessingErrorToString text of a failure, as an application receives it.
std::string ProcessingErrorText(const std::exception_ptr& error);

// Throws the job's failure to write a file: MuxerException with "<description>: <reason of
// error>", coded NotEnoughDiskSpace when `error` is ENOSPC.
[[noreturn]] void ThrowWriteFailure(const std::string& description, int error, const Tivrel::ThrowSite& site);

}  // namespace StillImage
