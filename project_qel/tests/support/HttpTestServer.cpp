#include "support/HttpTestServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

// How long the server waits for a client that stops sending.
constexpr int CLIENT_PATIENCE_MS = 10000;

int boundSocket(int* port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t size = sizeof(address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    *port = ntohs(address.sin_port);
    return fd;
}

std::string loopback(int port)
{
    return "127.0.0.1:" + std::to_string(port);
}

// The path of a request line's target, also when a proxy gets the full URL.
std::string targetPath(const std::string& request)
{
    size_t start = request.find(' ');
    size_t end = request.find(' ', start + 1);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    std::string target = request.substr(start + 1, end - start - 1);
    size_t scheme = target.find("://");
    if (scheme != std::string::npos) {
        size_t slash = target.find('/', scheme + 3);
        target = slash != std::string::npos ? target.substr(slash) : "/";
    }
    return target;
}

size_t contentLength(const std::string& head)
{
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    size_t at = lower.find("\r\ncontent-length:");
    return at != std::string::npos ? std::strtoul(head.c_str() + at + 17, nullptr, 10) : 0;
}

void sendBytes(int connection, const char* bytes, size_t size)
{
    while (size > 0) {
        ssize_t sent = ::send(connection, bytes, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        bytes += sent;
        size -= static_cast<size_t>(sent);
    }
}

} // namespace

HttpTestServer::Reply HttpTestServer::reply(const std::string& status, const std::string& body, bool withLength,
                                            const std::vector<std::string>& headers)
{
    Reply made;
    made.bytes = "HTTP/1.0 " + status + "\r\n";
    if (withLength) {
        made.bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    for (const std::string& header : headers) {
        made.bytes += header + "\r\n";
    }
    made.bytes += "\r\n" + body;
    return made;
}

HttpTestServer::HttpTestServer()
{
    listenFd = boundSocket(&listenPort);
    ::listen(listenFd, 16);
    if (::pipe2(wakePipe, O_CLOEXEC) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
    }
    worker = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    released.notify_all();
    char stop = 1;
    ssize_t written = ::write(wakePipe[1], &stop, 1);
    (void)written;
    worker.join();
    for (int connection : held) {
        ::close(connection);
    }
    ::close(listenFd);
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
}

std::string HttpTestServer::address() const
{
    return loopback(listenPort);
}

void HttpTestServer::on(const std::string& path, const Reply& scripted)
{
    std::lock_guard lock(mutex);
    script[path] = scripted;
}

std::vector<std::string> HttpTestServer::requests() const
{
    std::lock_guard lock(mutex);
    return received;
}

void HttpTestServer::hold()
{
    std::lock_guard lock(mutex);
    holding = true;
}

void HttpTestServer::release()
{
    {
        std::lock_guard lock(mutex);
        holding = false;
    }
    released.notify_all();
}

bool HttpTestServer::waitReadable(int fd, int milliseconds)
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    int ready = ::poll(fds, 2, milliseconds);
    return ready > 0 && (fds[1].revents & POLLIN) == 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

void HttpTestServer::serve()
{
    for (;;) {
        if (!waitReadable(listenFd, -1)) {
            return;
        }
        int connection = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0) {
            answer(connection);
        }
    }
}

// Reads the head, and unless headOnly the body its Content-Length announces.
bool HttpTestServer::readRequest(int connection, std::string& bytes, bool headOnly)
{
    char chunk[16384];
    size_t headEnd = std::string::npos;
    for (;;) {
        if (headEnd == std::string::npos) {
            headEnd = bytes.find("\r\n\r\n");
        }
        if (headEnd != std::string::npos) {
            if (headOnly) {
                return true;
            }
            if (bytes.size() >= headEnd + 4 + contentLength(bytes.substr(0, headEnd + 2))) {
                return true;
            }
        }
        if (!waitReadable(connection, CLIENT_PATIENCE_MS)) {
            return false;
        }
        ssize_t got = ::recv(connection, chunk, sizeof(chunk), 0);
        if (got <= 0) {
            return false;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
}

void HttpTestServer::answer(int connection)
{
    std::string request;
    // The head decides whether the body is read at all.
    bool complete = readRequest(connection, request, true);
    Reply scripted = reply("404 Not Found", "<HTML>Not Found</HTML>\n");
    {
        std::lock_guard lock(mutex);
        auto found = script.find(targetPath(request));
        if (found != script.end()) {
            scripted = found->second;
        }
    }
    if (complete && scripted.ending != Ending::CloseWhileSending) {
        complete = readRequest(connection, request, false);
    }
    {
        std::unique_lock lock(mutex);
        received.push_back(request);
        released.wait(lock, [this] { return !holding || stopping; });
        if (stopping) {
            // Never released: the client sees the connection close unanswered.
            ::close(connection);
            return;
        }
    }
    if (!complete || scripted.ending == Ending::CloseWhileSending) {
        ::close(connection);
        return;
    }
    if (scripted.ending == Ending::Silent) {
        held.push_back(connection);
        return;
    }

    size_t size = scripted.bytes.size();
    if (scripted.ending == Ending::Cut || scripted.ending == Ending::Reset) {
        size = std::min(size, scripted.cutAfter);
    }
    size_t piece = scripted.pieceSize > 0 ? scripted.pieceSize : std::max<size_t>(size, 1);
    for (size_t sent = 0; sent < size; sent += piece) {
        if (sent > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        sendBytes(connection, scripted.bytes.data() + sent, std::min(piece, size - sent));
    }
    if (scripted.ending == Ending::Reset) {
        linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
    }
    ::close(connection);
}

RefusingPort::RefusingPort() : fd(boundSocket(&port)) {}

RefusingPort::~RefusingPort()
{
    ::close(fd);
}

std::string RefusingPort::address() const
{
    return loopback(port);
}
