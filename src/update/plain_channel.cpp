#include "update/byte_channel.h"

namespace plotvale::update {

namespace {

class PlainChannel final : public ByteChannel {
public:
    explicit PlainChannel(platform::TcpConnection connection)
        : connection_(std::move(connection)) {}

    bool sendAll(std::string_view data, int64_t deadlineMs) override {
        return connection_.sendAll(data, deadlineMs);
    }

    platform::ReceiveResult receive(char* buffer, size_t size, int64_t waitMs) override {
        return connection_.receive(buffer, size, waitMs);
    }

private:
    platform::TcpConnection connection_;
};

}  // namespace

std::unique_ptr<ByteChannel> plainChannel(platform::TcpConnection connection) {
    return std::make_unique<PlainChannel>(std::move(connection));
}

}  // namespace plotvale::update
