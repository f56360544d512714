#pragma once
// The connection an HTTP exchange runs over: a plain TCP socket, or TLS on
// top of one. Every wait is bounded by the caller's deadline or wait time.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/tcp_connection.h"

namespace plotvale::update {

class ByteChannel {
public:
    virtual ~ByteChannel() = default;
    virtual bool sendAll(std::string_view data, int64_t deadlineMs) = 0;
    virtual platform::ReceiveResult receive(char* buffer, size_t size, int64_t waitMs) = 0;
};

// Plain text over the connection.
std::unique_ptr<ByteChannel> plainChannel(platform::TcpConnection connection);

// TLS over the connection, with the server's certificate checked against
// the trusted certificates (a PEM file; empty for the system's store) and
// against host. Nothing when the handshake or the check fails or the
// deadline passes.
std::unique_ptr<ByteChannel> tlsChannel(platform::TcpConnection connection,
                                        const std::string& host,
                                        const std::string& trustedCertificates,
                                        int64_t deadlineMs);

}  // namespace plotvale::update
