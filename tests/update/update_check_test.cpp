#include "update/update_check.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "loopback_server.h"
#include "settings/message_table.h"
#include "support/temp_folder.h"

using namespace plotvale;
using namespace plotvale::update;
using test::LoopbackServer;
using test::ServerScript;

namespace {

std::string reply(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

std::string url(uint16_t port, const std::string& scheme = "http") {
    return scheme + "://127.0.0.1:" + std::to_string(port) + "/files/plotvale.dat";
}

std::string fetch(ServerScript script, HttpLimits limits = {}) {
    LoopbackServer server(std::move(script));
    return httpGetText(url(server.port()), "tester", limits);
}

int64_t millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - start)
        .count();
}

// Records what the check shows and answers questions as told.
class RecordingPrompts : public UpdatePrompts {
public:
    explicit RecordingPrompts(bool answer) : answer_(answer) {}
    void showError(const std::string& title, const std::string& text) override {
        shown.push_back("error: " + title + ": " + text);
    }
    void showInformation(const std::string& title, const std::string& text) override {
        shown.push_back("info: " + title + ": " + text);
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        shown.push_back("ask: " + title + ": " + text);
        return answer_;
    }
    void openWebPage(const std::string& page) override { shown.push_back("open: " + page); }

    std::vector<std::string> shown;

private:
    bool answer_;
};

UpdateServer loopbackUpdateServer(uint16_t port) {
    return {url(port), "https://127.0.0.1/plotvale/", {}};
}

class UpdateCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() { settings::buildMessageTable(); }

    std::vector<std::string> check(const std::string& body, bool answer = true) {
        LoopbackServer server({{{reply(body)}}});
        RecordingPrompts prompts(answer);
        checkForUpdate(prompts, loopbackUpdateServer(server.port()));
        return prompts.shown;
    }
};

const std::string ProblemsBox = "error: Error: Internet connection problems!";

}  // namespace

TEST(HttpGet, SendsTheFixedRequestLines) {
    LoopbackServer server({{{reply("272")}}});
    EXPECT_EQ(httpGetText(url(server.port()), "Agent 1"), "272");
    EXPECT_EQ(server.request(),
              "GET /files/plotvale.dat HTTP/1.0\r\nHost: 127.0.0.1\r\nAccept: */*\r\n"
              "User-Agent: Agent 1\r\nConnection: close\r\n\r\n");

    LoopbackServer plain({{{reply("1")}}});
    EXPECT_EQ(httpGetText("http://127.0.0.1:" + std::to_string(plain.port()), ""), "1");
    EXPECT_EQ(plain.request(),
              "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\nAccept: */*\r\n"
              "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; en)\r\n"
              "Connection: close\r\n\r\n");
}

TEST(HttpGet, BodyIsTrimmedAndCutToThreeCharacters) {
    EXPECT_EQ(fetch({{{reply("  300 \r\n")}}}), "300");
    EXPECT_EQ(fetch({{{reply("0271")}}}), "027");
    EXPECT_EQ(fetch({{{reply("27")}}}), "27");
    EXPECT_EQ(fetch({{{reply("272\r\n\r\nmore")}}}), "272");
    EXPECT_EQ(fetch({{{"HTTP/1.0 404 Not Found\r\n\r\n271"}}}), "271");
    EXPECT_EQ(fetch({{{"HTTP/1.0 200 OK\r\nno empty line 272"}}}), "");
    EXPECT_EQ(fetch({{{reply(std::string("2\0" "72", 4))}}}), "2");
}

TEST(HttpGet, ReplySplitOverSeveralWritesIsJoinedInOrder) {
    EXPECT_EQ(fetch({{{"HTTP/1.0 200 OK\r"}, {"\n\r\n2", 30}, {"7", 30}, {"3", 30}}}), "273");
}

TEST(HttpGet, OnlyTheFirst2048BytesCount) {
    // The empty line ends at byte 2046, so only "27" of the body fits.
    const std::string head = "HTTP/1.0 200 OK\r\nX-Pad: ";
    std::string padded = head + std::string(2046 - head.size() - 4, 'p') + "\r\n\r\n";
    ASSERT_EQ(padded.size(), 2046u);
    EXPECT_EQ(fetch({{{padded + "272" + std::string(100000, ' ')}}}), "27");
}

TEST(HttpGet, SilentServerEndsAtTheLimit) {
    HttpLimits limits;
    limits.waitMs = 300;
    std::string text = "x";
    LoopbackServer silent({{}, 600});
    const int64_t took =
        millisecondsOf([&] { text = httpGetText(url(silent.port()), "x", limits); });
    EXPECT_EQ(text, "");
    EXPECT_GE(took, 250);
    EXPECT_LT(took, 1500);
    // Data that stops coming without the server closing is taken at the limit.
    EXPECT_EQ(fetch({{{reply("272")}}, 500}, limits), "272");
}

TEST(HttpGet, RefusedConnectionsAndBadUrls) {
    EXPECT_EQ(httpGetText(url(test::closedPort()), "x"), "");
    EXPECT_EQ(httpGetText("", "x"), "");
    EXPECT_EQ(httpGetText("ftp://127.0.0.1/x", "x"), "");
    EXPECT_EQ(httpGetText("http://127.0.0.1:99999/x", "x"), "");
    EXPECT_EQ(httpGetText("http:///x", "x"), "");
}

TEST(HttpGet, UrlParts) {
    UrlParts parts;
    ASSERT_TRUE(splitUrl("https://corvane.example/files/plotvale.dat", parts));
    EXPECT_TRUE(parts.secure);
    EXPECT_EQ(parts.host, "corvane.example");
    EXPECT_EQ(parts.port, 443);
    EXPECT_EQ(parts.path, "/files/plotvale.dat");
    ASSERT_TRUE(splitUrl("http://host:8080", parts));
    EXPECT_FALSE(parts.secure);
    EXPECT_EQ(parts.port, 8080);
    EXPECT_EQ(parts.path, "/");
}

TEST(HttpGet, TlsExchangeWithAVerifiedCertificate) {
    test::TempFolder folder;
    test::TlsIdentity server;
    test::TlsIdentity stranger;
    if (!test::makeLoopbackCertificate(folder.path().string(), "server", server) ||
        !test::makeLoopbackCertificate(folder.path().string(), "stranger", stranger))
        GTEST_SKIP() << "openssl cannot make certificates here";
    HttpLimits limits;
    limits.trustedCertificates = server.certificateFile;
    {
        LoopbackServer tls({{{reply("272")}}}, &server);
        EXPECT_EQ(httpGetText(url(tls.port(), "https"), "tester", limits), "272");
        EXPECT_EQ(tls.request().substr(0, 40), "GET /files/plotvale.dat HTTP/1.0\r\nHost: ");
    }
    limits.trustedCertificates = stranger.certificateFile;
    {
        LoopbackServer tls({{{reply("272")}}}, &server);
        EXPECT_EQ(httpGetText(url(tls.port(), "https"), "tester", limits), "");
        EXPECT_EQ(tls.request(), "");  // nothing was sent in plain text or otherwise
    }
    limits.trustedCertificates = server.certificateFile;
    {
        // A plain-text server behind an https URL gets no request either.
        LoopbackServer plain({{{reply("272")}}});
        limits.waitMs = 1000;
        EXPECT_EQ(httpGetText(url(plain.port(), "https"), "tester", limits), "");
        EXPECT_EQ(plain.request().find("GET"), std::string::npos);
    }
}

TEST_F(UpdateCheck, NewerVersionOffersTheProductPage) {
    EXPECT_EQ(check("272"),
              (std::vector<std::string>{"ask: New Update: " + settings::getText("Msg", "New Update Text"),
                                        "open: https://127.0.0.1/plotvale/"}));
    EXPECT_EQ(check("272", false).size(), 1u);
}

TEST_F(UpdateCheck, SameOrOlderVersionReportsNoUpdate) {
    const std::string none = "info: No Update: " + settings::getText("Msg", "No Update Text");
    EXPECT_EQ(check("271"), std::vector<std::string>{none});
    EXPECT_EQ(check("0271"), std::vector<std::string>{none});
}

TEST_F(UpdateCheck, NoNumberMeansConnectionProblems) {
    EXPECT_EQ(check("abc"), std::vector<std::string>{ProblemsBox});
    EXPECT_EQ(check(""), std::vector<std::string>{ProblemsBox});
    RecordingPrompts prompts(true);
    checkForUpdate(prompts, loopbackUpdateServer(test::closedPort()));
    EXPECT_EQ(prompts.shown, std::vector<std::string>{ProblemsBox});
}

TEST_F(UpdateCheck, DefaultServerIsTheConfiguredHostOverHttps) {
    const UpdateServer server = defaultUpdateServer();
    EXPECT_EQ(server.versionFileUrl, "https://corvane.example/files/plotvale.dat");
    EXPECT_EQ(server.productPageUrl, "https://corvane.example/plotvale/");
}

TEST_F(UpdateCheck, PeriodicOfferFollowsTheIntervalTable) {
    EXPECT_EQ(updateIntervalDays(0), 1);
    EXPECT_EQ(updateIntervalDays(1), 7);
    EXPECT_EQ(updateIntervalDays(2), 30);
    EXPECT_EQ(updateIntervalDays(3), 90);
    EXPECT_EQ(updateIntervalDays(4), 180);
    EXPECT_EQ(updateIntervalDays(9), 30);

    const int32_t now = 1700000000;
    const int32_t day = 86400;
    settings::ConverterSettings settings;
    settings.general.updateRange = 2;
    settings.general.updateDate = now - 31 * day;
    RecordingPrompts declining(false);
    const UpdateServer server = loopbackUpdateServer(test::closedPort());
    offerPeriodicUpdateCheck(settings, declining, now, server);
    EXPECT_EQ(declining.shown, (std::vector<std::string>{
                                   "ask: Check for Updates: Do you want to check for updates?"}));
    EXPECT_EQ(settings.general.updateDate, now);
    offerPeriodicUpdateCheck(settings, declining, now + 29 * day, server);
    EXPECT_EQ(declining.shown.size(), 1u);
    EXPECT_EQ(settings.general.updateDate, now);

    RecordingPrompts accepting(true);
    offerPeriodicUpdateCheck(settings, accepting, now + 31 * day, server);
    EXPECT_EQ(accepting.shown.size(), 2u);
    EXPECT_EQ(accepting.shown.back(), ProblemsBox);

    settings.general.updateRange = 5;
    settings.general.updateDate = 0;
    offerPeriodicUpdateCheck(settings, accepting, now, server);
    EXPECT_EQ(accepting.shown.size(), 2u);
    EXPECT_EQ(settings.general.updateDate, 0);
}
