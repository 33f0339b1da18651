#include "examples/still-image/Wakeup.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <system_error>

namespace StillImage {
namespace {

constexpr char kFinished = 'f';
constexpr char kInterrupted = 'i';

std::atomic<int> interruptFd{-1};

void OnInterrupt(int) {
  const int savedErrno = errno;
  const int fd = interruptFd.load();
  if (fd >= 0) {
    [[maybe_unused]] const ssize_t n = write(fd, &kInterrupted, 1);
  }
  errno = savedErrno;
}

void WriteByte(int fd, char byte) {
  while (write(fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

}  // namespace

Wakeup::Wakeup() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
  readFd_ = fds[0];
  writeFd_ = fds[1];
}

Wakeup::~Wakeup() {
  if (catching_) {
    std::signal(SIGINT, SIG_DFL);
    interruptFd.store(-1);
  }
  close(readFd_);
  close(writeFd_);
}

void Wakeup::CatchInterrupt() {
  struct sigaction current {};
  if (sigaction(SIGINT, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) return;
  interruptFd.store(writeFd_);
  struct sigaction action {};
  action.sa_handler = &OnInterrupt;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: the waiting read returns EINTR and Wait goes round again. The second
  // Ctrl-C is not caught.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
  catching_ = true;
}

void Wakeup::NotifyFinished() { WriteByte(writeFd_, kFinished); }

Wakeup::Event Wakeup::Wait() {
  char byte = 0;
  for (;;) {
    const ssize_t n = read(readFd_, &byte, 1);
    if (n == 1) return byte == kInterrupted ? Event::kInterrupted : Event::kFinished;
    if (n < 0 && errno == EINTR) continue;
    return Event::kFinished;  // cannot happen while this object holds the write end
  }
}

InterruptBlocker::InterruptBlocker() {
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  pthread_sigmask(SIG_BLOCK, &interrupt, &previous_);
}

InterruptBlocker::~InterruptBlocker() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace StillImage
