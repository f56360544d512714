#include "loopback_server.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace plotvale::test {

namespace {

int listenOnLoopback(uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 4) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Plain or TLS reads and writes on the accepted connection.
struct Connection {
    int fd = -1;
    SSL* tls = nullptr;

    long receive(char* buffer, size_t size) {
        if (tls != nullptr) return SSL_read(tls, buffer, static_cast<int>(size));
        return recv(fd, buffer, size, 0);
    }
    void send(const std::string& bytes) {
        if (tls != nullptr) {
            SSL_write(tls, bytes.data(), static_cast<int>(bytes.size()));
        } else {
            ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        }
    }
};

}  // namespace

LoopbackServer::LoopbackServer(ServerScript script, const TlsIdentity* tls) {
    listener_ = listenOnLoopback(port_);
    if (tls != nullptr) {
        tls_ = SSL_CTX_new(TLS_server_method());
        SSL_CTX_use_certificate_chain_file(tls_, tls->certificateFile.c_str());
        SSL_CTX_use_PrivateKey_file(tls_, tls->keyFile.c_str(), SSL_FILETYPE_PEM);
    }
    thread_ = std::thread([this, s = std::move(script)] { serve(s); });
}

LoopbackServer::~LoopbackServer() {
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) close(listener_);
    if (tls_ != nullptr) SSL_CTX_free(tls_);
}

std::string LoopbackServer::request() {
    if (thread_.joinable()) thread_.join();
    return request_;
}

void LoopbackServer::serve(ServerScript script) {
    pollfd waiting{listener_, POLLIN, 0};
    if (poll(&waiting, 1, 20000) <= 0) return;
    Connection connection{accept(listener_, nullptr, nullptr), nullptr};
    if (connection.fd < 0) return;
    if (tls_ != nullptr) {
        connection.tls = SSL_new(tls_);
        SSL_set_fd(connection.tls, connection.fd);
        if (SSL_accept(connection.tls) != 1) {
            SSL_free(connection.tls);
            close(connection.fd);
            return;
        }
    }
    char buffer[4096];
    while (request_.find("\r\n\r\n") == std::string::npos) {
        const long got = connection.receive(buffer, sizeof buffer);
        if (got <= 0) break;
        request_.append(buffer, static_cast<size_t>(got));
    }
    for (const ServerWrite& write : script.writes) {
        pause(write.delayMs);
        connection.send(write.bytes);
    }
    pause(script.holdMs);
    if (connection.tls != nullptr) {
        SSL_shutdown(connection.tls);
        SSL_free(connection.tls);
    }
    close(connection.fd);
}

uint16_t closedPort() {
    uint16_t port = 0;
    const int fd = listenOnLoopback(port);
    close(fd);
    return port;
}

bool makeLoopbackCertificate(const std::string& folder, const std::string& name,
                             TlsIdentity& identity) {
    identity.certificateFile = folder + "/" + name + ".pem";
    identity.keyFile = folder + "/" + name + ".key";
    const std::string command =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
        " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
        identity.keyFile + "' -out '" + identity.certificateFile + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

}  // namespace plotvale::test
