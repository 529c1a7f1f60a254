// The upload worker against the local test server: the multipart bytes on
// the wire, what each kind of reply leaves for the owner, and the worker's
// lifetime when the owner leaves or the engine shuts down.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "net/HttpClient.h"
#include "net/HttpRequest.h"
#include "net/HttpTestSupport.h"
#include "support/EngineCore.h"
#include "support/HttpTestServer.h"

namespace {

using Ending = HttpTestServer::Ending;

const std::string DELIMITER = "\r\n-----------------------------7d33992b80330";

size_t threadCount()
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        ++count;
    }
    return count;
}

TEST(HttpRequest, TwoPartPostBytesDirectAndThroughProxy)
{
    HttpTestServer server;
    server.on("/vabo/crashreport.php", HttpTestServer::reply("200 OK", "Thanks\r\n"));
    const char data[] = {'a', '\0', 'b', '\r', '\n', 'c', '\n', '\xff'};
    const std::string body = DELIMITER +
                             "\r\nContent-Disposition: form-data; name=\"crashLog\"; filename=\"/tmp/crash.log\"\r\n"
                             "Content-Type: application/octet-stream\r\n\r\n" +
                             std::string(data, sizeof(data)) + DELIMITER +
                             "\r\nContent-Disposition: form-data; name=\"gameName\"\r\n\r\nVabodemo" + DELIMITER +
                             "--\r\n";
    const std::string tail = "Content-Length: " + std::to_string(body.size()) +
                             "\r\nContent-Type: multipart/form-data; boundary=---------------------------7d33992b80330"
                             "\r\nUser-Agent: hget/1.2\r\nPragma: no-cache\r\nAccept: */*\r\n\r\n" +
                             body;
    struct Case {
        const char* name;
        std::string proxy;
        std::string base;
        std::string requestLine;
    };
    const Case cases[] = {
        {"direct", "", server.address(), "POST /vabo/crashreport.php HTTP/1.0\r\n"},
        {"proxy", server.address(), "vabo.example", "POST http://vabo.example/vabo/crashreport.php HTTP/1.0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProxySetting proxy(c.proxy);
        HttpRequest request(c.base, "/vabo/crashreport.php");
        request.addFormPart("crashLog", "/tmp/crash.log", data, sizeof(data));
        request.addFormPart("gameName", "", "Vabodemo", 8);
        request.start();
        ASSERT_EQ(waitForEnd(request), HttpRequest::DONE) << request.errorText;
        EXPECT_EQ(request.lines, std::vector<UString>{"Thanks"});
        EXPECT_EQ(server.requests().back(), c.requestLine + "Host: 127.0.0.1\r\n" + tail);
    }
}

TEST(HttpRequest, WithoutPartsIsAPlainGet)
{
    HttpTestServer server;
    ProxySetting noProxy;
    server.on("/vabo/nettest.php", HttpTestServer::reply("200 OK", "OK"));
    HttpRequest request(server.address(), "/vabo/nettest.php");
    request.start();
    ASSERT_EQ(waitForEnd(request), HttpRequest::DONE);
    EXPECT_EQ(request.body, nullptr);
    EXPECT_EQ(server.requests().back(), "GET /vabo/nettest.php HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                                        "User-Agent: hget/1.2\r\nPragma: no-cache\r\nAccept: */*\r\n\r\n");
}

HttpTestServer::Reply ending(HttpTestServer::Reply reply, Ending how, size_t cutAfter = 0, size_t pieces = 0)
{
    reply.ending = how;
    reply.cutAfter = cutAfter;
    reply.pieceSize = pieces;
    return reply;
}

TEST(HttpRequest, ReplyOutcomes)
{
    HttpTestServer server;
    RefusingPort refusing;
    ProxySetting noProxy;
    const std::string pageHead = "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n";
    struct Case {
        const char* name;
        HttpTestServer::Reply reply;
        int state;
        std::string error;
        std::string text;
        std::vector<UString> lines;
        std::string base = {};  // the test server when empty
        i32 timeout = 30000;
    };
    const Case cases[] = {
        {"OK and a line break", HttpTestServer::reply("200 OK", "OK\r\n"), HttpRequest::DONE, "", "OK\r\n", {"OK"}},
        {"last line without line feed", HttpTestServer::reply("200 OK", "one\r\ntwo\nthree", false),
         HttpRequest::DONE, "", "one\r\ntwo\nthree", {"one", "two", "three"}},
        {"text up to its first NUL", HttpTestServer::reply("200 OK", std::string("ab\0cd", 5)), HttpRequest::DONE,
         "", "ab", {"ab"}},
        {"no content", HttpTestServer::reply("204 No Content", "", false), HttpRequest::DONE, "", "", {}},
        {"slow pieces", ending(HttpTestServer::reply("299 Odd", "a\nb\n"), Ending::Close, 0, 3), HttpRequest::DONE,
         "", "a\nb\n", {"a", "b"}},
        {"not found", HttpTestServer::reply("404 Not Found", "<p>gone</p>"), HttpRequest::FAILED,
         "Failed with HTTP status code 404 (Not Found\r)", "", {}},
        {"redirect not followed",
         HttpTestServer::reply("302 Found", "", true, {"Location: http://127.0.0.1:1/elsewhere"}),
         HttpRequest::FAILED, "Failed with HTTP status code 302 (Found\r)", "", {}},
        {"no blank line", {"HTTP/1.0 200 OK\r\nContent-Length: 2\r\n"}, HttpRequest::FAILED,
         "Failed with HTTP status code  ()", "", {}},
        {"nothing at all", {""}, HttpRequest::FAILED, "Failed with HTTP status code  ()", "", {}},
        {"reset mid-reply", ending({pageHead + std::string(100, 'x')}, Ending::Reset, pageHead.size() + 10),
         HttpRequest::FAILED, "Request failed (error 104:Connection reset by peer)", "", {}},
        {"shorter than announced", ending({pageHead + std::string(100, 'x')}, Ending::Cut, pageHead.size() + 99),
         HttpRequest::FAILED, "Request failed (error 71:Protocol error)", "", {}},
        {"oversized", HttpTestServer::reply("200 OK", std::string(HTTP_MAX_REPLY, 'x')), HttpRequest::FAILED,
         "Request failed (error 90:Message too long)", "", {}},
        {"refused", {}, HttpRequest::FAILED, "Request failed (error 111:Connection refused)", "", {},
         refusing.address()},
        {"silent, with a shortened time-out", ending({}, Ending::Silent), HttpRequest::FAILED,
         "Request failed (error 110:Connection timed out)", "", {}, "", 50},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = "/case" + std::to_string(index++);
        server.on(path, c.reply);
        HttpRequest request(c.base.empty() ? server.address() : c.base, path);
        request.timeoutMilliseconds = c.timeout;
        request.start();
        EXPECT_EQ(waitForEnd(request), c.state);
        EXPECT_EQ(request.errorText, c.error);
        EXPECT_EQ(request.responseText, c.text);
        EXPECT_EQ(request.lines, c.lines);
    }
}

TEST(HttpRequest, PeerClosingDuringALargePostFailsTheRequest)
{
    HttpTestServer server;
    ProxySetting noProxy;
    server.on("/vabo/highscoreupload.php", ending({}, Ending::CloseWhileSending));
    const std::vector<char> large(16 << 20, 'z');
    HttpRequest request(server.address(), "/vabo/highscoreupload.php");
    request.addFormPart("HSTfile", "Vabodemo.hst", large.data(), static_cast<i32>(large.size()));
    request.start();
    ASSERT_EQ(waitForEnd(request), HttpRequest::FAILED);
    EXPECT_TRUE(request.errorText == "Request failed (error 32:Broken pipe)" ||
                request.errorText == "Request failed (error 104:Connection reset by peer)")
        << request.errorText;
}

TEST(HttpRequest, PollReportsTheEndOnce)
{
    HttpTestServer server;
    ProxySetting noProxy;
    server.on("/", HttpTestServer::reply("200 OK", "OK"));
    HttpRequest request(server.address(), "/");
    EXPECT_EQ(request.poll(), HttpRequest::IDLE);
    request.start();
    int first = request.poll();
    EXPECT_TRUE(first == HttpRequest::RUNNING || first == HttpRequest::DONE);
    if (first == HttpRequest::RUNNING) {
        ASSERT_EQ(waitForEnd(request), HttpRequest::DONE);
    }
    EXPECT_EQ(request.poll(), HttpRequest::IDLE);
    EXPECT_EQ(request.poll(), HttpRequest::IDLE);
    EXPECT_EQ(request.lines, std::vector<UString>{"OK"});
}

TEST(HttpRequest, AbandonedRequestsEndWithTheEngine)
{
    HttpTestServer server;
    ProxySetting noProxy;
    server.on("/silent", ending({}, Ending::Silent));
    server.on("/slow", ending(HttpTestServer::reply("200 OK", "late"), Ending::Close, 0, 1));
    const size_t threadsBefore = threadCount();
    {
        EngineCore core;
        // Abandoned in the frame of the click, before its worker began.
        auto* atOnce = new HttpRequest(server.address(), "/slow");
        atOnce->addFormPart("gameName", "", "Vabodemo", 8);
        atOnce->start();
        atOnce->abandon();
        // Runs until the shutdown cancels it.
        auto* silent = new HttpRequest(server.address(), "/silent");
        silent->start();
        silent->abandon();
        // Never started, or already ended: freed on the spot.
        (new HttpRequest(server.address(), "/silent"))->abandon();
        auto* ended = new HttpRequest(server.address(), "/slow");
        ended->start();
        ASSERT_EQ(waitForEnd(*ended), HttpRequest::DONE);
        ended->abandon();
        // A request the owner still holds fails and waits for its owner.
        HttpRequest held(server.address(), "/silent");
        held.start();
        core.qel.reset();
        EXPECT_EQ(held.poll(), HttpRequest::FAILED);
        EXPECT_EQ(held.errorText, "Request failed (error 125:Operation canceled)");
    }
    EXPECT_EQ(threadCount(), threadsBefore);
}

} // namespace
