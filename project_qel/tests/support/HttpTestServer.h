#pragma once
// A small HTTP server for tests on 127.0.0.1 at an ephemeral port, on a
// thread of its own. It keeps the bytes of every request it reads and answers
// from a script per path: a well-formed reply, or one sent in slow pieces,
// cut short, reset, closed while the client still sends, or never answered.
// Connections are served one after another; a silent one is held open until
// the server stops. Paths without a script get a 404 page. While held, the
// server reads each request whole and keeps its answer back until released,
// so a test can look at what a client shows while its request runs.
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HttpTestServer {
public:
    enum class Ending {
        Close,            // send every byte, then close
        Cut,              // send the first cutAfter bytes, then close
        Reset,            // send the first cutAfter bytes, then reset the connection
        CloseWhileSending,  // close after the request head, the body unread
        Silent,           // read the request and never answer
    };

    struct Reply {
        std::string bytes;
        Ending ending = Ending::Close;
        size_t cutAfter = 0;
        // Above 0: sent in pieces of this size with a pause between them.
        size_t pieceSize = 0;
    };

    // A status line ("200 OK"), the body and its header lines; the
    // Content-Length line comes first when asked for.
    static Reply reply(const std::string& status, const std::string& body, bool contentLength = true,
                       const std::vector<std::string>& headers = {});

    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return listenPort; }
    // "127.0.0.1:port", a base URL for requests.
    std::string address() const;
    // The script for a path (the request target without scheme and host).
    void on(const std::string& path, const Reply& reply);
    // Every request read so far, head and body as received, in order.
    std::vector<std::string> requests() const;
    // From now on no answer is sent, until release(); a request that comes
    // meanwhile is still read and counted in requests().
    void hold();
    // Sends the answer kept back, if any, and every later one at once.
    void release();

private:
    void serve();
    void answer(int connection);
    bool readRequest(int connection, std::string& bytes, bool headOnly);
    bool waitReadable(int fd, int milliseconds);

    int listenFd = -1;
    int listenPort = 0;
    int wakePipe[2] = {-1, -1};
    mutable std::mutex mutex;
    std::condition_variable released;
    bool holding = false;
    bool stopping = false;
    std::map<std::string, Reply> script;
    std::vector<std::string> received;
    std::vector<int> held;
    std::thread worker;
};

// A port on 127.0.0.1 that refuses connections: bound, never listening.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    std::string address() const;

private:
    int fd = -1;
    int port = 0;
};
