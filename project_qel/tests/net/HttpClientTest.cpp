// The client's wire bytes against the local test server, its URL splitting
// and header search, and the pages of "file://" URLs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "net/HttpClient.h"
#include "net/HttpTestSupport.h"
#include "support/HttpTestServer.h"
#include "support/TempFolder.h"

namespace {

// One exchange through http_request; the result's buffers are freed and
// their contents kept.
struct Exchange {
    http_result result{};
    std::string payload;
    std::string header;

    Exchange(const std::string& url, http_request_params* params, int method, int flags)
    {
        std::vector<char> writable(url.begin(), url.end());
        writable.push_back('\0');
        result = http_request(writable.data(), params, method, flags);
        if (result.data != nullptr) {
            payload.assign(result.data, result.length);
        }
        if (result.header != nullptr) {
            header = result.header;
        }
        std::free(result.data);
        std::free(result.header);
    }
};

const std::string TAIL = "User-Agent: hget/1.2\r\nPragma: no-cache\r\nAccept: */*\r\n\r\n";

TEST(HttpClient, RequestBytesDirectThroughProxyAndBypassed)
{
    HttpTestServer server;
    RefusingPort refusing;
    server.on("/vabo/x.php", HttpTestServer::reply("200 OK", "fine"));
    const std::string direct = server.address() + "/vabo/x.php";
    const std::string hostLine = "Host: 127.0.0.1\r\n";

    struct Case {
        const char* name;
        std::string proxy;
        std::string url;
        int method;
        int flags;
        const char* extra;
        const char* body;
        std::string expected;
    };
    const Case cases[] = {
        {"plain GET", "", direct, HTTP_METHOD_GET, 0, nullptr, nullptr,
         "GET /vabo/x.php HTTP/1.0\r\n" + hostLine + TAIL},
        {"GET, extra header after the agent", "", direct, HTTP_METHOD_GET, 0, "X-One: 1\r\nX-Two: 2", nullptr,
         "GET /vabo/x.php HTTP/1.0\r\n" + hostLine +
             "User-Agent: hget/1.2\r\nX-One: 1\r\nX-Two: 2\r\nPragma: no-cache\r\nAccept: */*\r\n\r\n"},
        {"HEAD", "", "http://" + direct, HTTP_METHOD_HEAD, 0, nullptr, nullptr,
         "HEAD /vabo/x.php HTTP/1.0\r\n" + hostLine + TAIL},
        {"form POST", "", direct, HTTP_METHOD_POST, 0, nullptr, "a=1&b=2",
         "POST /vabo/x.php HTTP/1.0\r\n" + hostLine +
             "Content-Length: 7\r\nContent-Type: application/x-www-form-urlencoded\r\n" + TAIL + "a=1&b=2"},
        {"POST of 0 bytes with its own type", "", direct, HTTP_METHOD_POST, HTTP_FLAG_NO_FORM_TYPE,
         "Content-Type: text/plain", "",
         "POST /vabo/x.php HTTP/1.0\r\n" + hostLine + "Content-Length: 0\r\nContent-Type: text/plain\r\n" + TAIL},
        {"bare host behind a proxy gains its scheme", "http://" + server.address() + "/ignored",
         "vabo.example/vabo/x.php", HTTP_METHOD_GET, 0, nullptr, nullptr,
         "GET http://vabo.example/vabo/x.php HTTP/1.0\r\n" + hostLine + TAIL},
        {"any scheme behind a proxy", server.address(), "ftp://files.example:21/vabo/x.php", HTTP_METHOD_GET, 0,
         nullptr, nullptr, "GET ftp://files.example:21/vabo/x.php HTTP/1.0\r\n" + hostLine + TAIL},
        {"proxy bypassed", refusing.address(), direct, HTTP_METHOD_GET, HTTP_FLAG_NO_PROXY, nullptr, nullptr,
         "GET /vabo/x.php HTTP/1.0\r\n" + hostLine + TAIL},
    };
    size_t seen = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProxySetting proxy(c.proxy);
        http_request_params params;
        params.extraHeaders = c.extra;
        params.body = c.body;
        params.bodyLength = c.body != nullptr ? static_cast<i32>(std::strlen(c.body)) : 0;
        Exchange exchange(c.url, &params, c.method, c.flags);
        EXPECT_EQ(exchange.result.errorNumber, 0) << exchange.result.errorText;
        EXPECT_STREQ(exchange.result.statusCode, "200");
        EXPECT_GE(params.socket, 0);
        std::vector<std::string> requests = server.requests();
        ASSERT_EQ(requests.size(), ++seen);
        EXPECT_EQ(requests.back(), c.expected);
    }
}

TEST(HttpClient, PayloadHeaderAndStatusFields)
{
    HttpTestServer server;
    ProxySetting noProxy;
    const std::string page = HttpTestServer::reply("404 Not Found", "<p>gone</p>").bytes;
    const std::string pageHead = page.substr(0, page.find("\r\n\r\n") + 4);
    server.on("/page", {page});
    server.on("/lf", {"HTTP/1.0 200 Fine\nX: y\n\nbody"});
    server.on("/no-space", {"HTTP/1.0\r\n\r\nbody"});
    server.on("/long-reason", {"HTTP/1.0 500 " + std::string(40, 'r') + "\r\n\r\n"});
    server.on("/no-blank-line", {"HTTP/1.0 200 OK\r\nContent-Length: 4\r\n"});

    struct Case {
        const char* path;
        int method;
        int flags;
        std::string payload;
        std::string header;
        const char* code;
        std::string text;
    };
    const Case cases[] = {
        {"/page", HTTP_METHOD_GET, 0, "<p>gone</p>", "", "404", "Not Found\r"},
        {"/page", HTTP_METHOD_GET, HTTP_FLAG_HEADER, "<p>gone</p>", pageHead, "404", "Not Found\r"},
        {"/page", HTTP_METHOD_HEAD, 0, pageHead, "", "404", "Not Found\r"},
        {"/lf", HTTP_METHOD_GET, HTTP_FLAG_HEADER, "body", "HTTP/1.0 200 Fine\nX: y\n\n", "200", "Fine"},
        {"/no-space", HTTP_METHOD_GET, 0, "body", "", "", ""},
        {"/long-reason", HTTP_METHOD_GET, 0, "", "", "500", std::string(31, 'r')},
        {"/no-blank-line", HTTP_METHOD_GET, 0, "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " method " + std::to_string(c.method));
        Exchange exchange(server.address() + c.path, nullptr, c.method, c.flags);
        EXPECT_EQ(exchange.result.errorNumber, 0);
        EXPECT_EQ(exchange.payload, c.payload);
        EXPECT_EQ(exchange.header, c.header);
        EXPECT_STREQ(exchange.result.statusCode, c.code);
        EXPECT_EQ(exchange.result.statusText, c.text);
    }
}

TEST(HttpClient, RefusedRequestsSendNothing)
{
    ProxySetting noProxy;
    Exchange foreign("ftp://files.example/a", nullptr, HTTP_METHOD_GET, 0);
    EXPECT_EQ(foreign.result.errorNumber, 0);
    EXPECT_EQ(foreign.result.errorText, nullptr);
    EXPECT_EQ(foreign.result.data, nullptr);

    HttpTestServer server;
    Exchange bodiless(server.address() + "/x", nullptr, HTTP_METHOD_POST, 0);
    EXPECT_STREQ(bodiless.result.errorText, "ERROR, invalid URL for POST request");
    Exchange longHost(std::string(2000, 'h') + "/x", nullptr, HTTP_METHOD_GET, 0);
    EXPECT_EQ(longHost.result.errorNumber, EINVAL);
    Exchange noHost("/vabo/x.php", nullptr, HTTP_METHOD_GET, 0);
    EXPECT_EQ(noHost.result.errorNumber, EHOSTUNREACH);
    EXPECT_STREQ(noHost.result.errorText, "No route to host");
    EXPECT_TRUE(server.requests().empty());
}

TEST(HttpClient, ParseUrl)
{
    struct Case {
        std::string url;
        std::string scheme;
        std::string host;
        int port;
        const char* path;  // null: refused with EINVAL
    };
    const Case cases[] = {
        {"vabo.example/vabo/nettest.php", "http", "vabo.example", 80, "/vabo/nettest.php"},
        {"vabo.example:8080", "http", "vabo.example", 8080, "/"},
        {"HTTP://h:x/p?q=1", "HTTP", "h", 0, "/p?q=1"},
        {"h:99999/p", "http", "h", 65535, "/p"},
        {"h:-8/p", "http", "h", 0, "/p"},
        {"ftp://files.example:21/a/b", "ftp", "files.example", 21, "/a/b"},
        {"", "http", "", 80, "/"},
        {std::string(49, 's') + "://h/", std::string(49, 's'), "h", 80, "/"},
        {std::string(50, 's') + "://h/", "", "", 0, nullptr},
        {std::string(1023, 'h') + ":1/p", "http", std::string(1023, 'h'), 1, "/p"},
        {std::string(1024, 'h') + ":1/p", "", "", 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.substr(0, 60));
        char scheme[HTTP_SCHEME_SIZE] = "unchanged";
        char host[HTTP_HOST_SIZE] = "unchanged";
        int port = -1;
        errno = 0;
        char* path = parse_url(c.url.c_str(), scheme, host, &port);
        if (c.path == nullptr) {
            EXPECT_EQ(path, nullptr);
            EXPECT_EQ(errno, EINVAL);
            EXPECT_STREQ(host, "unchanged");
            continue;
        }
        ASSERT_NE(path, nullptr);
        EXPECT_STREQ(path, c.path);
        EXPECT_EQ(scheme, c.scheme);
        EXPECT_EQ(host, c.host);
        EXPECT_EQ(port, c.port);
        std::free(path);
    }
}

TEST(HttpClient, FindHeaderEnd)
{
    const std::pair<std::string, int> cases[] = {
        {"HTTP/1.0 200 OK\r\n\r\nbody", 19}, {"a\n\nb", 3}, {"a\n\r\nb", 4}, {"\n\n", 2},
        {"a\r\n\r", -1}, {"a\n\r", -1}, {"a\r\rb", -1}, {"", -1}, {"x\r\n\r\nA\r\n\r\n", 5},
    };
    for (const auto& [bytes, end] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(find_header_end(bytes.data(), static_cast<u32>(bytes.size())), end);
    }
}

// The "file://" page of a tree whose names would upset a shell or a page.
class FilePages : public ::testing::Test {
protected:
    TempFolder folder;
    std::string root;

    void SetUp() override
    {
        root = folder.path + "/it's a <tree> & more;touch pwned;'";
        std::filesystem::create_directories(root + "/sub dir/t");
        TempFolder::writeFile(root + "/it's", "quote");
        TempFolder::writeFile(root + "/a b", "space");
        TempFolder::writeFile(root + "/<x>&y", "markup");
        TempFolder::writeFile(root + "/run", "#!/bin/sh\n");
        TempFolder::writeFile(root + "/.hidden", "");
        ::chmod((root + "/run").c_str(), 0755);
        std::filesystem::create_symlink("a b", root + "/link");
    }

    static std::string page(const std::string& path)
    {
        Exchange exchange("file://" + path, nullptr, HTTP_METHOD_GET, 0);
        EXPECT_EQ(exchange.result.errorNumber, 0);
        EXPECT_EQ(exchange.result.length, exchange.payload.size());
        return exchange.payload;
    }
};

TEST_F(FilePages, DirectoryListsEscapedNamesInOrder)
{
    std::string text = page(root + "/");
    std::istringstream lines(text);
    std::vector<std::string> names;
    std::string line;
    while (std::getline(lines, line)) {
        size_t link = line.find("<A HREF=\"");
        if (link == std::string::npos || line.find("Parent Directory") != std::string::npos) {
            continue;
        }
        // Eight columns before the name: mode, links, owner, group, size, date.
        std::istringstream columns(line.substr(0, link));
        std::string column;
        int count = 0;
        while (columns >> column) {
            ++count;
        }
        EXPECT_EQ(count, 8) << line;
        names.push_back(line.substr(link));
    }
    const std::vector<std::string> expected = {
        "<A HREF=\"&lt;x&gt;&amp;y\">&lt;x&gt;&amp;y</A>",
        "<A HREF=\"a b\">a b</A>",
        "<A HREF=\"it's\">it's</A>",
        "<A HREF=\"link\">link</A>@ -&gt; a b",
        "<A HREF=\"run\">run</A>*",
        "<A HREF=\"sub dir\">sub dir</A>/",
    };
    EXPECT_EQ(names, expected);
    EXPECT_NE(text.find("<TITLE>Index of " + folder.path + "/it's a &lt;tree&gt; &amp; more;touch pwned;'/</TITLE>"),
              std::string::npos);
    EXPECT_EQ(text.rfind("</PRE>\n</BODY></HTML>\n"), text.size() - 22);
    EXPECT_FALSE(std::filesystem::exists(folder.path + "/pwned"));
    EXPECT_FALSE(std::filesystem::exists(root + "/pwned"));
}

TEST_F(FilePages, ParentLinksFilesAndMissingPaths)
{
    const std::string escapedRoot = folder.path + "/it's a &lt;tree&gt; &amp; more;touch pwned;'";
    const std::pair<std::string, std::string> parents[] = {
        {root + "/sub dir/", escapedRoot + "/"},
        {root + "/sub dir/t", escapedRoot + "/sub dir/t"},
    };
    for (const auto& [path, parent] : parents) {
        SCOPED_TRACE(path);
        EXPECT_NE(page(path).find("<A HREF=\"file://" + parent + "\">Parent Directory</A><P>\n"), std::string::npos);
    }
    EXPECT_EQ(page(root + "/it's"), "quote");

    Exchange missing("FILE://" + root + "/none", nullptr, HTTP_METHOD_GET, 0);
    EXPECT_EQ(missing.result.errorNumber, ENOENT);
    EXPECT_STREQ(missing.result.errorText, "No such file or directory");
    EXPECT_EQ(missing.result.data, nullptr);
}

} // namespace
