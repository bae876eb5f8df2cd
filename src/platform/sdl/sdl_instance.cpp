// Instance service on Linux: flock on "<name>.lock" decides who runs; the running copy listens
// on "<name>.sock", and a second copy's "raise" is answered with "ok" once the running copy's
// frame loop has seen it.
#include "platform/sdl/sdl_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform::sdl {
namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseAnswer[] = "ok\n";
// A running copy answers from its frame loop; one still in its launcher does not.
constexpr int kAnswerWaitMs = 1000;
constexpr int kRequestReadMs = 100;

std::string InstanceDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string directory = runtime && *runtime ? std::string(runtime) + "/sorvani"
                                              : "/tmp/sorvani-" + std::to_string(getuid());
  mkdir(directory.c_str(), 0700);
  return directory;
}

bool SocketAddress(const std::string& path, sockaddr_un* address) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  if (path.size() >= sizeof address->sun_path) return false;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool WaitFor(int descriptor, short events, int milliseconds) {
  pollfd entry{descriptor, events, 0};
  int ready;
  do {
    ready = poll(&entry, 1, milliseconds);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (entry.revents & events) != 0;
}

}  // namespace

SdlInstance::~SdlInstance() { Release(); }

InstanceLock SdlInstance::Acquire(const char* name) {
  if (lockFile_ >= 0) return InstanceLock::kAcquired;
  const std::string base = InstanceDirectory() + "/" + name;
  lockFile_ = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFile_ < 0) return InstanceLock::kFailed;
  if (flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(lockFile_);
    lockFile_ = -1;
    return held ? InstanceLock::kAlreadyRunning : InstanceLock::kFailed;
  }
  // The lock is ours, so a socket left behind is from a copy that died; without a socket this
  // copy still runs, it just cannot be called forward.
  sockaddr_un address;
  socketPath_ = base + ".sock";
  if (SocketAddress(socketPath_, &address)) {
    unlink(socketPath_.c_str());
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ >= 0 && (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                           listen(listener_, 4) != 0)) {
      close(listener_);
      listener_ = -1;
    }
  }
  return InstanceLock::kAcquired;
}

void SdlInstance::Release() {
  if (listener_ >= 0) {
    close(listener_);
    listener_ = -1;
    unlink(socketPath_.c_str());
  }
  if (lockFile_ >= 0) {
    close(lockFile_);  // drops the lock
    lockFile_ = -1;
  }
}

bool SdlInstance::RaiseRunningCopy(const char* name) {
  sockaddr_un address;
  if (!SocketAddress(InstanceDirectory() + "/" + name + ".sock", &address)) return false;
  const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (connection < 0) return false;
  char answer[sizeof kRaiseAnswer] = {};
  bool answered = connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                  send(connection, kRaiseRequest, sizeof kRaiseRequest - 1, MSG_NOSIGNAL) ==
                      static_cast<ssize_t>(sizeof kRaiseRequest - 1) &&
                  WaitFor(connection, POLLIN, kAnswerWaitMs) &&
                  recv(connection, answer, sizeof answer - 1, 0) == static_cast<ssize_t>(sizeof kRaiseAnswer - 1) &&
                  std::strcmp(answer, kRaiseAnswer) == 0;
  close(connection);
  return answered;
}

bool SdlInstance::TakeRaiseRequest() {
  if (listener_ < 0) return false;
  // One request per call; anything else waiting is taken on the next frame.
  const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (connection < 0) return false;
  char request[sizeof kRaiseRequest] = {};
  const bool asked = WaitFor(connection, POLLIN, kRequestReadMs) &&
                     recv(connection, request, sizeof request - 1, 0) ==
                         static_cast<ssize_t>(sizeof kRaiseRequest - 1) &&
                     std::strcmp(request, kRaiseRequest) == 0;
  // A copy that gave up waiting has hung up; its old request is not served any more.
  const bool answered = asked && send(connection, kRaiseAnswer, sizeof kRaiseAnswer - 1, MSG_NOSIGNAL) ==
                                     static_cast<ssize_t>(sizeof kRaiseAnswer - 1);
  close(connection);
  return answered;
}

}  // namespace platform::sdl
