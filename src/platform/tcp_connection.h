#pragma once
// One TCP client connection with every wait bounded: name lookup, connecting,
// sending and waiting for data each end by a deadline on the monotonic clock
// (platform/clock.h), so a dead or silent server cannot hold the caller.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plotvale::platform {

enum class ReceiveStatus { Data, NoData, Closed, Failed };

struct ReceiveResult {
    ReceiveStatus status = ReceiveStatus::Failed;
    size_t bytes = 0;  // with Data
};

class TcpConnection {
public:
    // Resolves the host and connects to the first address that answers,
    // giving up at deadlineMs. Nothing on failure.
    static std::optional<TcpConnection> connect(const std::string& host, uint16_t port,
                                                int64_t deadlineMs);
    TcpConnection(TcpConnection&& other) noexcept;
    TcpConnection& operator=(TcpConnection&& other) noexcept;
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;
    ~TcpConnection();

    // The socket, for a TLS layer that reads and writes it itself. The
    // connection stays its owner.
    int nativeHandle() const { return fd_; }

    // Sends every byte; false on failure or when deadlineMs passes.
    bool sendAll(std::string_view data, int64_t deadlineMs);

    // Waits at most waitMs for data, then reads what there is.
    ReceiveResult receive(char* buffer, size_t size, int64_t waitMs);

    // Waits at most waitMs until the socket can be read or written; true
    // when it can (or has failed, which the next call reports).
    bool waitReadable(int64_t waitMs) const;
    bool waitWritable(int64_t waitMs) const;

private:
    explicit TcpConnection(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// The milliseconds left until a deadline on the monotonic clock, never below
// 0.
int64_t millisecondsUntil(int64_t deadlineMs);

}  // namespace plotvale::platform
