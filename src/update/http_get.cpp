#include "update/http_get.h"

#include <charconv>
#include <vector>

#include "platform/clock.h"
#include "update/byte_channel.h"

namespace plotvale::update {

namespace {

constexpr std::string_view HeaderEnd = "\r\n\r\n";

bool readPort(std::string_view text, uint16_t& port) {
    unsigned value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    if (value == 0 || value > 65535) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

std::string_view trimControlsAndBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

std::unique_ptr<ByteChannel> openChannel(const UrlParts& parts, const HttpLimits& limits,
                                         int64_t deadlineMs) {
    auto connection = platform::TcpConnection::connect(parts.host, parts.port, deadlineMs);
    if (!connection) return nullptr;
    if (!parts.secure) return plainChannel(std::move(*connection));
    return tlsChannel(std::move(*connection), parts.host, limits.trustedCertificates, deadlineMs);
}

// Reads into the buffer until the server closes, a read fails, the buffer is
// full or the deadline passes; pauses up to pollMs while nothing comes.
std::string receiveReply(ByteChannel& channel, const HttpLimits& limits, int64_t deadlineMs) {
    std::vector<char> buffer(limits.bufferBytes);
    size_t filled = 0;
    while (filled < buffer.size()) {
        const int64_t left = platform::millisecondsUntil(deadlineMs);
        if (left == 0) break;
        const auto result = channel.receive(buffer.data() + filled, buffer.size() - filled,
                                            std::min(left, limits.pollMs));
        if (result.status == platform::ReceiveStatus::NoData) continue;
        if (result.status != platform::ReceiveStatus::Data) break;
        filled += result.bytes;
    }
    return std::string(buffer.data(), filled);
}

}  // namespace

bool splitUrl(std::string_view url, UrlParts& parts) {
    const auto schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) return false;
    const std::string_view scheme = url.substr(0, schemeEnd);
    if (scheme != "http" && scheme != "https") return false;
    parts.secure = scheme == "https";
    std::string_view rest = url.substr(schemeEnd + 3);
    const auto slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    parts.path = "/" + std::string(slash == std::string_view::npos ? "" : rest.substr(slash + 1));
    parts.port = parts.secure ? 443 : 80;
    const auto colon = authority.rfind(':');
    if (colon != std::string_view::npos) {
        if (!readPort(authority.substr(colon + 1), parts.port)) return false;
        authority = authority.substr(0, colon);
    }
    parts.host = std::string(authority);
    return !parts.host.empty();
}

std::string httpRequestText(const UrlParts& parts, std::string_view userAgent) {
    return "GET " + parts.path + " HTTP/1.0\r\n" + "Host: " + parts.host + "\r\n" +
           "Accept: */*\r\n" + "User-Agent: " + std::string(userAgent) + "\r\n" +
           "Connection: close\r\n\r\n";
}

std::string replyBodyPrefix(std::string_view reply) {
    reply = reply.substr(0, reply.find('\0'));
    const auto headerEnd = reply.find(HeaderEnd);
    if (headerEnd == std::string_view::npos) return {};
    std::string_view body = reply.substr(headerEnd + HeaderEnd.size());
    body = body.substr(0, body.find(HeaderEnd));
    return std::string(trimControlsAndBlanks(body).substr(0, 3));
}

std::string httpGetText(std::string_view url, std::string_view userAgent,
                        const HttpLimits& limits) {
    UrlParts parts;
    if (url.empty() || limits.bufferBytes == 0 || !splitUrl(url, parts)) return {};
    const int64_t deadlineMs = platform::monotonicMilliseconds() + limits.waitMs;
    auto channel = openChannel(parts, limits, deadlineMs);
    if (!channel) return {};
    const std::string request =
        httpRequestText(parts, userAgent.empty() ? DefaultUserAgent : userAgent);
    if (!channel->sendAll(request, deadlineMs)) return {};
    return replyBodyPrefix(receiveReply(*channel, limits, deadlineMs));
}

}  // namespace plotvale::update
