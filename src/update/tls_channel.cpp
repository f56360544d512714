// TLS through OpenSSL on a non-blocking socket: the handshake, writes and
// reads step whenever the socket is ready, so the caller's time limits hold.

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include "platform/broken_pipe_guard.h"
#include "platform/clock.h"
#include "update/byte_channel.h"

namespace plotvale::update {

namespace {

struct ContextFree {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
struct SessionFree {
    void operator()(SSL* session) const { SSL_free(session); }
};
using ContextHandle = std::unique_ptr<SSL_CTX, ContextFree>;
using SessionHandle = std::unique_ptr<SSL, SessionFree>;

bool isIpAddress(const std::string& host) {
    unsigned char bytes[16];
    return inet_pton(AF_INET, host.c_str(), bytes) == 1 ||
           inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

ContextHandle makeContext(const std::string& trustedCertificates) {
    ContextHandle context(SSL_CTX_new(TLS_client_method()));
    if (!context) return nullptr;
    SSL_CTX_set_min_proto_version(context.get(), TLS1_2_VERSION);
    SSL_CTX_set_verify(context.get(), SSL_VERIFY_PEER, nullptr);
    const int loaded =
        trustedCertificates.empty()
            ? SSL_CTX_set_default_verify_paths(context.get())
            : SSL_CTX_load_verify_locations(context.get(), trustedCertificates.c_str(), nullptr);
    if (loaded != 1) return nullptr;
    return context;
}

// The name or address the certificate must be made out for; names also go
// out in the handshake (SNI).
bool expectServer(SSL* session, const std::string& host) {
    if (isIpAddress(host))
        return X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(session), host.c_str()) == 1;
    // SSL_set_tlsext_host_name, spelt out: the macro casts in C style.
    void* name = const_cast<char*>(host.c_str());
    return SSL_ctrl(session, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name, name) == 1 &&
           SSL_set1_host(session, host.c_str()) == 1;
}

class TlsChannel final : public ByteChannel {
public:
    TlsChannel(platform::TcpConnection connection, ContextHandle context, SessionHandle session)
        : connection_(std::move(connection)),
          context_(std::move(context)),
          session_(std::move(session)) {}

    ~TlsChannel() override {
        const platform::BrokenPipeGuard quiet;
        SSL_shutdown(session_.get());
    }

    // Runs one OpenSSL step until it completes, waiting for the socket as it
    // asks; false on failure or at the deadline.
    template <typename Step>
    bool stepUntilDone(Step step, int64_t deadlineMs) {
        for (;;) {
            const int result = step();
            if (result > 0) return true;
            const int problem = SSL_get_error(session_.get(), result);
            const int64_t left = platform::millisecondsUntil(deadlineMs);
            if (left == 0) return false;
            if (problem == SSL_ERROR_WANT_READ) {
                connection_.waitReadable(left);
            } else if (problem == SSL_ERROR_WANT_WRITE) {
                connection_.waitWritable(left);
            } else {
                return false;
            }
        }
    }

    bool handshake(int64_t deadlineMs) {
        const platform::BrokenPipeGuard quiet;
        return stepUntilDone([this] { return SSL_connect(session_.get()); }, deadlineMs) &&
               SSL_get_verify_result(session_.get()) == X509_V_OK;
    }

    bool sendAll(std::string_view data, int64_t deadlineMs) override {
        if (data.empty()) return true;
        const platform::BrokenPipeGuard quiet;
        size_t written = 0;
        return stepUntilDone(
            [&] { return SSL_write_ex(session_.get(), data.data(), data.size(), &written); },
            deadlineMs);
    }

    platform::ReceiveResult receive(char* buffer, size_t size, int64_t waitMs) override {
        if (SSL_pending(session_.get()) == 0 && !connection_.waitReadable(waitMs))
            return {platform::ReceiveStatus::NoData, 0};
        const platform::BrokenPipeGuard quiet;  // a read may write (key updates)
        size_t got = 0;
        const int result = SSL_read_ex(session_.get(), buffer, size, &got);
        if (result > 0) return {platform::ReceiveStatus::Data, got};
        switch (SSL_get_error(session_.get(), result)) {
            case SSL_ERROR_WANT_READ:
            case SSL_ERROR_WANT_WRITE:
                return {platform::ReceiveStatus::NoData, 0};
            case SSL_ERROR_ZERO_RETURN:
                return {platform::ReceiveStatus::Closed, 0};
            default:
                ERR_clear_error();
                return {platform::ReceiveStatus::Failed, 0};
        }
    }

private:
    platform::TcpConnection connection_;
    ContextHandle context_;
    SessionHandle session_;
};

}  // namespace

std::unique_ptr<ByteChannel> tlsChannel(platform::TcpConnection connection,
                                        const std::string& host,
                                        const std::string& trustedCertificates,
                                        int64_t deadlineMs) {
    ContextHandle context = makeContext(trustedCertificates);
    if (!context) return nullptr;
    SessionHandle session(SSL_new(context.get()));
    if (!session || SSL_set_fd(session.get(), connection.nativeHandle()) != 1 ||
        !expectServer(session.get(), host))
        return nullptr;
    auto channel = std::make_unique<TlsChannel>(std::move(connection), std::move(context),
                                                std::move(session));
    if (!channel->handshake(deadlineMs)) {
        ERR_clear_error();
        return nullptr;
    }
    return channel;
}

}  // namespace plotvale::update
