#pragma once
// A one-connection web server on 127.0.0.1 for the update check's tests:
// it takes one request and answers with a script of writes, optionally over
// TLS with a certificate the test makes.

#include <openssl/ssl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace plotvale::test {

struct ServerWrite {
    std::string bytes;
    int delayMs = 0;  // pause before this write
};

struct ServerScript {
    std::vector<ServerWrite> writes;
    int holdMs = 0;  // keep the connection open this long after the writes
};

struct TlsIdentity {
    std::string certificateFile;  // PEM
    std::string keyFile;          // PEM
};

class LoopbackServer {
public:
    explicit LoopbackServer(ServerScript script, const TlsIdentity* tls = nullptr);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    uint16_t port() const { return port_; }
    // The request as received, once the server has finished.
    std::string request();

private:
    void serve(ServerScript script);

    int listener_ = -1;
    uint16_t port_ = 0;
    SSL_CTX* tls_ = nullptr;
    std::string request_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
uint16_t closedPort();

// A self-signed certificate for 127.0.0.1 and its key, made with openssl in
// the folder; false when openssl is missing.
bool makeLoopbackCertificate(const std::string& folder, const std::string& name,
                             TlsIdentity& identity);

}  // namespace plotvale::test
