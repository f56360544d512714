#include "platform/tcp_connection.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/clock.h"

namespace plotvale::platform {

namespace {

struct Address {
    int family = 0;
    int type = 0;
    int protocol = 0;
    sockaddr_storage storage{};
    socklen_t length = 0;
};

std::vector<Address> copyAddresses(const addrinfo* list) {
    std::vector<Address> addresses;
    for (const addrinfo* item = list; item != nullptr; item = item->ai_next) {
        Address address{item->ai_family, item->ai_socktype, item->ai_protocol, {},
                        static_cast<socklen_t>(item->ai_addrlen)};
        std::copy_n(reinterpret_cast<const char*>(item->ai_addr), item->ai_addrlen,
                    reinterpret_cast<char*>(&address.storage));
        addresses.push_back(address);
    }
    return addresses;
}

// The lookup itself cannot be given a time limit, so it runs on a thread of
// its own that may outlive the wait; the shared state keeps its answer alive.
struct Lookup {
    std::mutex lock;
    std::condition_variable done;
    bool finished = false;
    std::vector<Address> addresses;
};

std::vector<Address> resolve(const std::string& host, uint16_t port, int64_t deadlineMs) {
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host, service = std::to_string(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* list = nullptr;
        std::vector<Address> found;
        if (getaddrinfo(host.c_str(), service.c_str(), &hints, &list) == 0) {
            found = copyAddresses(list);
            freeaddrinfo(list);
        }
        std::lock_guard<std::mutex> guard(lookup->lock);
        lookup->addresses = std::move(found);
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> guard(lookup->lock);
    lookup->done.wait_for(guard, std::chrono::milliseconds(millisecondsUntil(deadlineMs)),
                          [&] { return lookup->finished; });
    return lookup->finished ? lookup->addresses : std::vector<Address>{};
}

bool waitFor(int fd, short events, int64_t waitMs) {
    pollfd entry{fd, events, 0};
    int result = 0;
    do {
        result = poll(&entry, 1, static_cast<int>(std::clamp<int64_t>(waitMs, 0, 60000)));
    } while (result < 0 && errno == EINTR);
    return result > 0;
}

// A non-blocking connect, finished within the deadline.
int connectTo(const Address& address, int64_t deadlineMs) {
    const int fd = socket(address.family, address.type | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.protocol);
    if (fd < 0) return -1;
    const auto* target = reinterpret_cast<const sockaddr*>(&address.storage);
    if (::connect(fd, target, address.length) == 0) return fd;
    if (errno == EINPROGRESS && waitFor(fd, POLLOUT, millisecondsUntil(deadlineMs))) {
        int problem = 0;
        socklen_t size = sizeof problem;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &problem, &size) == 0 && problem == 0) return fd;
    }
    close(fd);
    return -1;
}

}  // namespace

int64_t millisecondsUntil(int64_t deadlineMs) {
    return std::max<int64_t>(0, deadlineMs - monotonicMilliseconds());
}

std::optional<TcpConnection> TcpConnection::connect(const std::string& host, uint16_t port,
                                                    int64_t deadlineMs) {
    if (host.empty()) return std::nullopt;
    for (const Address& address : resolve(host, port, deadlineMs)) {
        if (millisecondsUntil(deadlineMs) == 0) break;
        const int fd = connectTo(address, deadlineMs);
        if (fd >= 0) return TcpConnection(fd);
    }
    return std::nullopt;
}

TcpConnection::TcpConnection(TcpConnection&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

TcpConnection& TcpConnection::operator=(TcpConnection&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

TcpConnection::~TcpConnection() {
    if (fd_ >= 0) close(fd_);
}

bool TcpConnection::sendAll(std::string_view data, int64_t deadlineMs) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t sent = send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (sent > 0) {
            done += static_cast<size_t>(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitWritable(millisecondsUntil(deadlineMs)) || millisecondsUntil(deadlineMs) == 0)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

ReceiveResult TcpConnection::receive(char* buffer, size_t size, int64_t waitMs) {
    if (!waitReadable(waitMs)) return {ReceiveStatus::NoData, 0};
    ssize_t got = 0;
    do {
        got = recv(fd_, buffer, size, 0);
    } while (got < 0 && errno == EINTR);
    if (got > 0) return {ReceiveStatus::Data, static_cast<size_t>(got)};
    if (got == 0) return {ReceiveStatus::Closed, 0};
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {ReceiveStatus::NoData, 0};
    return {ReceiveStatus::Failed, 0};
}

bool TcpConnection::waitReadable(int64_t waitMs) const { return waitFor(fd_, POLLIN, waitMs); }

bool TcpConnection::waitWritable(int64_t waitMs) const { return waitFor(fd_, POLLOUT, waitMs); }

}  // namespace plotvale::platform
