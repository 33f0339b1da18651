#pragma once

// How the main thread learns that the job has ended or that the user pressed Ctrl-C: both
// write one byte into a pipe that the main thread waits on. The SIGINT handler does nothing
// else (writing to a pipe is safe in a signal handler); the main thread then stops the job.
// Threads started under an InterruptBlocker never receive SIGINT, so the signal always
// lands on the main thread and never interrupts the job's reads and writes.

#include <csignal>

namespace StillImage {

class Wakeup {
public:
  enum class Event { kFinished, kInterrupted };

  // Creates the pipe. Throws std::system_error when that fails.
  Wakeup();
  ~Wakeup();
  Wakeup(const Wakeup&) = delete;
  Wakeup& operator=(const Wakeup&) = delete;

  // Routes SIGINT to this object until it is destroyed, unless SIGINT was ignored when the
  // program started (as for background jobs of a shell). A second Ctrl-C ends the program
  // the default way, in case stopping hangs. One object at a time may do this.
  void CatchInterrupt();
  // Safe from any thread.
  void NotifyFinished();
  // Blocks until an event arrives and returns the first one.
  Event Wait();

private:
  int readFd_ = -1;
  int writeFd_ = -1;
  bool catching_ = false;
};

// Blocks SIGINT on the calling thread for its lifetime; threads started meanwhile inherit
// the block and keep it.
class InterruptBlocker {
public:
  InterruptBlocker();
  ~InterruptBlocker();
  InterruptBlocker(const InterruptBlocker&) = delete;
  InterruptBlocker& operator=(const InterruptBlocker&) = delete;

private:
  sigset_t previous_;
};

}  // namespace StillImage
