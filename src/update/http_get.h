#pragma once
// One HTTP/1.0 GET of a small text resource, as the update check needs it:
// the request lines are fixed, at most a buffer's worth of the reply is read,
// and the whole exchange ends within a time limit. An "https" URL sends the
// same request over TLS with the server's certificate verified; it never
// falls back to plain text.

#include <cstdint>
#include <string>
#include <string_view>

namespace plotvale::update {

inline constexpr std::string_view DefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; en)";

struct HttpLimits {
    size_t bufferBytes = 2048;  // bytes of the reply kept, header included
    int64_t waitMs = 10000;     // the whole exchange, connecting included
    int64_t pollMs = 20;        // pause while no data has come
    // PEM file of the certificates trusted for https; empty means the
    // system's store.
    std::string trustedCertificates;
};

struct UrlParts {
    bool secure = false;  // scheme "https"
    std::string host;
    uint16_t port = 80;   // the URL's port, else 80 (http) or 443 (https)
    std::string path;     // begins with "/"
};

// Splits "scheme://host[:port][/path]"; false when there is no host, the
// scheme is neither http nor https, or the port is not a number from 1 to
// 65535.
bool splitUrl(std::string_view url, UrlParts& parts);

// The request as sent: GET, Host, Accept, User-Agent and Connection lines,
// each ending in CR LF, and an empty line.
std::string httpRequestText(const UrlParts& parts, std::string_view userAgent);

// The first three characters of the body of a received reply (the text
// after the first empty line, up to a following empty line), blanks trimmed;
// "" without an empty line after the header.
std::string replyBodyPrefix(std::string_view reply);

// Fetches url and returns the first three characters of its trimmed body,
// or "" on any failure. An empty userAgent sends the default one.
std::string httpGetText(std::string_view url, std::string_view userAgent,
                        const HttpLimits& limits = {});

}  // namespace plotvale::update
