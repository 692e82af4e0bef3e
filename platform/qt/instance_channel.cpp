#include "platform/qt/instance_channel.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <utility>

namespace kerumo::qt {
namespace {

class Socket {
 public:
  Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
  explicit Socket(int fd) : fd_(fd) {}
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

struct AbstractAddress {
  sockaddr_un address{};
  socklen_t length = 0;
};

// A leading NUL puts the name in the abstract namespace; it is not a path.
AbstractAddress abstractAddress(const std::string& name) {
  AbstractAddress result;
  result.address.sun_family = AF_UNIX;
  const std::size_t size = std::min(name.size(), sizeof result.address.sun_path - 1);
  std::copy_n(name.data(), size, result.address.sun_path + 1);
  result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
  return result;
}

// Abstract names carry no permissions: only our own user's processes count.
bool peerIsOurUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

enum class Holder { None, OurUser, Stranger };

Holder askHolder(const AbstractAddress& address) {
  const Socket socket;
  if (socket.get() < 0) return Holder::None;
  if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0) {
    return Holder::None;
  }
  // The connection itself is the request to come forward.
  return peerIsOurUser(socket.get()) ? Holder::OurUser : Holder::Stranger;
}

}  // namespace

InstanceChannel::~InstanceChannel() {
  notifier_.reset();
  if (listener_ >= 0) ::close(listener_);
}

bool InstanceChannel::claim(const std::string& name, std::function<void()> onActivation) {
  onActivation_ = std::move(onActivation);
  const AbstractAddress address = abstractAddress(name);
  // Twice: another start may take the name between our look and our listen.
  for (int attempt = 0; attempt < 2; ++attempt) {
    switch (askHolder(address)) {
      case Holder::OurUser: return false;
      case Holder::Stranger: return true;  // someone else's name: run without a channel
      case Holder::None: break;
    }
    if (listen(name)) return true;
  }
  return true;
}

bool InstanceChannel::listen(const std::string& name) {
  Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  const AbstractAddress address = abstractAddress(name);
  if (socket.get() < 0 ||
      ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0 ||
      ::listen(socket.get(), 4) != 0) {
    return false;
  }
  listener_ = socket.release();
  notifier_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { acceptRequests(); });
  return true;
}

void InstanceChannel::acceptRequests() {
  for (;;) {
    const Socket peer(::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC));
    if (peer.get() < 0) {
      if (errno == EINTR) continue;
      return;  // EAGAIN: every waiting request has been taken
    }
    if (peerIsOurUser(peer.get()) && onActivation_) onActivation_();
  }
}

}  // namespace kerumo::qt
