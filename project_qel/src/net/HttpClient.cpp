#include "net/HttpClient.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr u32 READ_CHUNK = 8192;
constexpr u32 REPLY_STEP = 64 * 1024;

// strerror may share one buffer between threads; these texts are static.
const char* errorName(int number)
{
    const char* text = strerrordesc_np(number);
    return text != nullptr ? text : "Unknown error";
}

void fail(http_result& result, int number)
{
    result.errorNumber = number;
    result.errorText = errorName(number);
}

void report(const char* format, const char* text)
{
    std::fprintf(stderr, format, text);
    std::fflush(stderr);
}

void reportErrno(const char* format, int number)
{
    std::fprintf(stderr, format, number, errorName(number));
    std::fflush(stderr);
}

// Waits until the socket is ready for `events`. Returns 0, or the error
// number that ends the request: a time-out, a cancel through the wake-up
// descriptor, or a failed poll.
int waitFor(int socket, short events, const http_request_params* params)
{
    int timeout = params != nullptr ? params->timeoutMilliseconds : HTTP_DEFAULT_TIMEOUT_MS;
    int wakeFd = params != nullptr ? params->wakeFd : -1;
    pollfd fds[2] = {{socket, events, 0}, {wakeFd, POLLIN, 0}};
    for (;;) {
        int ready = ::poll(fds, wakeFd >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return errno;
        }
        if (ready == 0) {
            return ETIMEDOUT;
        }
        if (wakeFd >= 0 && (fds[1].revents & POLLIN) != 0) {
            return ECANCELED;
        }
        return 0;
    }
}

// Sends every byte; a short write goes on where it stopped.
int sendAll(int socket, const char* bytes, size_t size, const http_request_params* params)
{
    while (size > 0) {
        ssize_t sent = ::send(socket, bytes, size, MSG_NOSIGNAL);
        if (sent > 0) {
            bytes += sent;
            size -= static_cast<size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (int failed = waitFor(socket, POLLOUT, params)) {
                return failed;
            }
            continue;
        }
        return sent < 0 ? errno : EPIPE;
    }
    return 0;
}

int connectTo(int socket, const sockaddr_in& address, const http_request_params* params)
{
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
        return 0;
    }
    if (errno != EINPROGRESS) {
        return errno;
    }
    if (int failed = waitFor(socket, POLLOUT, params)) {
        return failed;
    }
    int pending = 0;
    socklen_t size = sizeof(pending);
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &pending, &size) != 0) {
        return errno;
    }
    return pending;
}

// The first IPv4 address of a name or a dotted address.
bool resolve(const char* host, in_addr& address)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) {
        return false;
    }
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return true;
}

// Reads until the peer closes the connection. Returns 0 with the reply in
// *reply (from malloc, one spare byte after it), or the error number.
int readReply(int socket, const http_request_params* params, char** reply, u32* length)
{
    u32 capacity = REPLY_STEP;
    char* buffer = static_cast<char*>(std::malloc(capacity));
    if (buffer == nullptr) {
        int number = errno;
        reportErrno("ERROR (malloc): recv (errno = %d = %s)\n", number);
        return number;
    }
    u32 used = 0;
    for (;;) {
        if (used + READ_CHUNK + 1 > capacity) {
            char* grown = static_cast<char*>(std::realloc(buffer, capacity + REPLY_STEP));
            if (grown == nullptr) {
                int number = errno;
                reportErrno("ERROR (realloc): (errno = %d = %s)\n", number);
                std::free(buffer);
                return number;
            }
            buffer = grown;
            capacity += REPLY_STEP;
        }
        ssize_t got = ::recv(socket, buffer + used, READ_CHUNK, 0);
        if (got > 0) {
            used += static_cast<u32>(got);
            if (used > HTTP_MAX_REPLY) {
                std::free(buffer);
                return EMSGSIZE;
            }
            continue;
        }
        if (got == 0) {
            break;
        }
        int number = errno;
        if (number == EINTR) {
            continue;
        }
        if (number == EAGAIN || number == EWOULDBLOCK) {
            number = waitFor(socket, POLLIN, params);
            if (number == 0) {
                continue;
            }
        }
        std::free(buffer);
        return number;
    }
    *reply = buffer;
    *length = used;
    return 0;
}

// The value of a "Content-Length" line of the header, or -1 without one.
long long announcedLength(const char* header, u32 size)
{
    static const char name[] = "content-length:";
    const size_t nameLength = sizeof(name) - 1;
    u32 lineStart = 0;
    while (lineStart < size) {
        const char* lineFeed = static_cast<const char*>(std::memchr(header + lineStart, '\n', size - lineStart));
        u32 lineEnd = lineFeed != nullptr ? static_cast<u32>(lineFeed - header) : size;
        if (lineEnd - lineStart > nameLength && strncasecmp(header + lineStart, name, nameLength) == 0) {
            long long value = 0;
            bool digits = false;
            for (u32 i = lineStart + nameLength; i < lineEnd; ++i) {
                char c = header[i];
                if (c >= '0' && c <= '9') {
                    value = std::min(value * 10 + (c - '0'), static_cast<long long>(HTTP_MAX_REPLY) + 1);
                    digits = true;
                } else if (digits || (c != ' ' && c != '\t')) {
                    break;
                }
            }
            return digits ? value : -1;
        }
        lineStart = lineEnd + 1;
    }
    return -1;
}

// Status code and reason phrase, read inside the status line only.
void readStatus(http_result& result, const char* reply, u32 headerLength)
{
    const char* lineFeed = static_cast<const char*>(std::memchr(reply, '\n', headerLength));
    u32 lineEnd = lineFeed != nullptr ? static_cast<u32>(lineFeed - reply) : headerLength;
    const char* space = static_cast<const char*>(std::memchr(reply, ' ', lineEnd));
    if (space == nullptr) {
        return;
    }
    u32 codeStart = static_cast<u32>(space - reply) + 1;
    if (codeStart + 3 > lineEnd) {
        return;
    }
    std::memcpy(result.statusCode, reply + codeStart, 3);
    result.statusCode[3] = '\0';
    u32 textStart = codeStart + 4;
    if (textStart < lineEnd) {
        u32 textLength = std::min<u32>(lineEnd - textStart, sizeof(result.statusText) - 1);
        std::memcpy(result.statusText, reply + textStart, textLength);
        result.statusText[textLength] = '\0';
    }
}

bool bodyless(const char* statusCode)
{
    return statusCode[0] == '1' || std::strcmp(statusCode, "204") == 0 || std::strcmp(statusCode, "304") == 0;
}

char* copyText(const char* bytes, size_t size)
{
    char* copy = static_cast<char*>(std::malloc(size + 1));
    if (copy != nullptr) {
        std::memcpy(copy, bytes, size);
        copy[size] = '\0';
    }
    return copy;
}

// ---- Directory pages ----

void appendEscaped(std::string& page, const std::string& text)
{
    for (char c : text) {
        switch (c) {
        case '&': page += "&amp;"; break;
        case '<': page += "&lt;"; break;
        case '>': page += "&gt;"; break;
        case '"': page += "&quot;"; break;
        default: page += c; break;
        }
    }
}

// The type letter and the marker after the name, by file type.
struct FileType {
    mode_t type;
    char letter;
    const char* marker;
};
const FileType fileTypes[] = {
    {S_IFDIR, 'd', "/"}, {S_IFLNK, 'l', "@"}, {S_IFCHR, 'c', ""}, {S_IFBLK, 'b', ""},
    {S_IFIFO, 'p', "|"}, {S_IFSOCK, 's', "="}, {S_IFREG, '-', ""},
};

const FileType& fileType(mode_t mode)
{
    for (const FileType& type : fileTypes) {
        if ((mode & S_IFMT) == type.type) {
            return type;
        }
    }
    return fileTypes[std::size(fileTypes) - 1];
}

std::string modeText(mode_t mode)
{
    char text[11] = "----------";
    text[0] = fileType(mode).letter;
    const char letters[] = "rwxrwxrwx";
    for (int i = 0; i < 9; ++i) {
        if ((mode & (0400 >> i)) != 0) {
            text[1 + i] = letters[i];
        }
    }
    // Set-id and sticky bits show in the execute column, capital without x.
    const struct {
        mode_t bit;
        mode_t execute;
        int column;
        char letter;
    } specials[] = {{S_ISUID, S_IXUSR, 3, 's'}, {S_ISGID, S_IXGRP, 6, 's'}, {S_ISVTX, S_IXOTH, 9, 't'}};
    for (const auto& special : specials) {
        if ((mode & special.bit) != 0) {
            text[special.column] = (mode & special.execute) != 0 ? special.letter : static_cast<char>(special.letter - 32);
        }
    }
    return text;
}

std::string ownerName(uid_t uid)
{
    std::vector<char> scratch(4096);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, scratch.data(), scratch.size(), &found) == 0 && found != nullptr) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

std::string groupName(gid_t gid)
{
    std::vector<char> scratch(4096);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, scratch.data(), scratch.size(), &found) == 0 && found != nullptr) {
        return found->gr_name;
    }
    return std::to_string(gid);
}

// "Dec  7 13:20" for the last half year, "Dec  7  2025" before or ahead.
std::string dateText(time_t when, time_t now)
{
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    tm local{};
    localtime_r(&when, &local);
    const time_t halfYear = 365 * 24 * 3600 / 2;
    char text[32];
    if (when > now || now - when > halfYear) {
        std::snprintf(text, sizeof(text), "%s %2d %5d", months[local.tm_mon], local.tm_mday, local.tm_year + 1900);
    } else {
        std::snprintf(text, sizeof(text), "%s %2d %02d:%02d", months[local.tm_mon], local.tm_mday, local.tm_hour,
                      local.tm_min);
    }
    return text;
}

struct ListingEntry {
    std::string name;
    struct stat status {};
    std::string columns[5];  // mode, links, owner, group, size
    std::string date;
    std::string marker;      // type marker, and a link's target
};

// One line per entry, like a long listing with type markers: eight aligned
// columns, then the name as a link to itself with the marker outside.
std::string listing(const std::string& path)
{
    std::vector<ListingEntry> entries;
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) {
        return {};
    }
    time_t now = std::time(nullptr);
    while (dirent* item = ::readdir(folder)) {
        if (item->d_name[0] == '.') {
            continue;
        }
        ListingEntry entry;
        entry.name = item->d_name;
        std::string full = path + (path.empty() || path.back() == '/' ? "" : "/") + entry.name;
        if (::lstat(full.c_str(), &entry.status) != 0) {
            continue;
        }
        entry.columns[0] = modeText(entry.status.st_mode);
        entry.columns[1] = std::to_string(entry.status.st_nlink);
        entry.columns[2] = ownerName(entry.status.st_uid);
        entry.columns[3] = groupName(entry.status.st_gid);
        entry.columns[4] = std::to_string(entry.status.st_size);
        entry.date = dateText(entry.status.st_mtime, now);
        entry.marker = fileType(entry.status.st_mode).marker;
        if (S_ISREG(entry.status.st_mode) && (entry.status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0) {
            entry.marker = "*";
        }
        if (S_ISLNK(entry.status.st_mode)) {
            std::vector<char> target(4096);
            ssize_t size = ::readlink(full.c_str(), target.data(), target.size());
            entry.marker += " -> " + std::string(target.data(), size > 0 ? static_cast<size_t>(size) : 0);
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(folder);
    std::sort(entries.begin(), entries.end(),
              [](const ListingEntry& a, const ListingEntry& b) { return a.name < b.name; });

    size_t widths[5] = {};
    for (const ListingEntry& entry : entries) {
        for (int i = 0; i < 5; ++i) {
            widths[i] = std::max(widths[i], entry.columns[i].size());
        }
    }
    std::string text;
    for (const ListingEntry& entry : entries) {
        const bool rightAligned[5] = {false, true, false, false, true};
        for (int i = 0; i < 5; ++i) {
            std::string pad(widths[i] - entry.columns[i].size(), ' ');
            text += rightAligned[i] ? pad + entry.columns[i] : entry.columns[i] + pad;
            text += ' ';
        }
        text += entry.date + " <A HREF=\"";
        appendEscaped(text, entry.name);
        text += "\">";
        appendEscaped(text, entry.name);
        text += "</A>";
        appendEscaped(text, entry.marker);
        text += '\n';
    }
    return text;
}

// The path is expected to end in "/": the parent is cut back to just after
// the last "/" before the final character.
std::string parentOf(const std::string& path)
{
    if (path.size() < 3 || path[path.size() - 2] == '/') {
        return path;
    }
    size_t slash = path.rfind('/', path.size() - 2);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

http_result directoryPage(const std::string& path)
{
    std::string page = "<HTML><HEAD><TITLE>Index of ";
    appendEscaped(page, path);
    page += "</TITLE></HEAD>\n<BODY BGCOLOR=\"#99cc99\"><H4>Index of ";
    appendEscaped(page, path);
    page += "</H4>\n<PRE>\n<A HREF=\"file://";
    appendEscaped(page, parentOf(path));
    page += "\">Parent Directory</A><P>\n";
    page += listing(path);
    page += "</PRE>\n</BODY></HTML>\n";

    http_result result{};
    result.errorText = "";
    result.data = copyText(page.data(), page.size());
    if (result.data == nullptr) {
        int number = errno;
        reportErrno("ERROR (malloc): (errno = %d = %s)\n", number);
        fail(result, number);
        return result;
    }
    result.length = static_cast<u32>(page.size());
    return result;
}

http_result fileContents(const char* path, const struct stat& status)
{
    http_result result{};
    result.errorText = "";
    size_t size = static_cast<size_t>(status.st_size);
    char* buffer = static_cast<char*>(std::malloc(size + 1));
    if (buffer == nullptr) {
        fail(result, errno);
        return result;
    }
    int file = ::open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        fail(result, errno);
        std::free(buffer);
        return result;
    }
    size_t done = 0;
    while (done < size) {
        ssize_t got = ::read(file, buffer + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            fail(result, errno);
            ::close(file);
            std::free(buffer);
            return result;
        }
        if (got == 0) {
            break;  // the file shrank while it was read
        }
        done += static_cast<size_t>(got);
    }
    ::close(file);
    buffer[done] = '\0';
    result.data = buffer;
    result.length = static_cast<u32>(done);
    return result;
}

} // namespace

char* parse_url(const char* url, char* scheme, char* host, int* port)
{
    std::string rest = url;
    size_t separator = rest.find("://");
    std::string schemeText = "http";
    if (separator != std::string::npos) {
        schemeText = rest.substr(0, separator);
        rest.erase(0, separator + 3);
    }
    size_t slash = rest.find('/');
    std::string path = slash != std::string::npos ? rest.substr(slash) : "/";
    std::string hostText = rest.substr(0, slash);
    int portNumber = 80;
    size_t colon = hostText.find(':');
    if (colon != std::string::npos) {
        long value = std::strtol(hostText.c_str() + colon + 1, nullptr, 10);
        portNumber = static_cast<int>(std::clamp<long>(value, 0, 65535));
        hostText.resize(colon);
    }
    if (schemeText.size() >= HTTP_SCHEME_SIZE || hostText.size() >= HTTP_HOST_SIZE) {
        errno = EINVAL;
        return nullptr;
    }
    char* pathCopy = copyText(path.data(), path.size());
    if (pathCopy == nullptr) {
        return nullptr;
    }
    std::memcpy(scheme, schemeText.c_str(), schemeText.size() + 1);
    std::memcpy(host, hostText.c_str(), hostText.size() + 1);
    *port = portNumber;
    return pathCopy;
}

int find_header_end(const char* buffer, u32 length)
{
    for (u32 i = 0; i + 1 < length; ++i) {
        if (buffer[i] != '\n') {
            continue;
        }
        if (buffer[i + 1] == '\n') {
            return static_cast<int>(i + 2);
        }
        if (i + 2 < length && buffer[i + 1] == '\r' && buffer[i + 2] == '\n') {
            return static_cast<int>(i + 3);
        }
    }
    return -1;
}

http_result file_request(const char* url)
{
    const char* path = url + 7;
    http_result result{};
    result.errorText = "";
    struct stat status {};
    if (::stat(path, &status) != 0) {
        fail(result, errno);
        return result;
    }
    if (S_ISREG(status.st_mode)) {
        return fileContents(path, status);
    }
    if (S_ISDIR(status.st_mode)) {
        return directoryPage(path);
    }
    return result;
}

void http_finish_reply(http_result& result, char* reply, u32 length, int method, int flags)
{
    int found = find_header_end(reply, length);
    u32 headerLength = found >= 0 ? static_cast<u32>(found) : length;
    if (found >= 0) {
        readStatus(result, reply, headerLength);
    }
    u32 bodyLength = length - headerLength;

    if (method == HTTP_METHOD_HEAD) {
        reply[headerLength] = '\0';
        char* shrunk = static_cast<char*>(std::realloc(reply, headerLength + 1));
        result.data = shrunk != nullptr ? shrunk : reply;
        result.length = headerLength;
        return;
    }
    if (found >= 0 && !bodyless(result.statusCode)) {
        long long announced = announcedLength(reply, headerLength);
        if (announced >= 0 && bodyLength < announced) {
            std::free(reply);
            fail(result, EPROTO);
            return;
        }
    }
    if ((flags & HTTP_FLAG_HEADER) != 0) {
        result.header = copyText(reply, headerLength);
    }
    std::memmove(reply, reply + headerLength, bodyLength);
    reply[bodyLength] = '\0';
    char* shrunk = static_cast<char*>(std::realloc(reply, bodyLength + 1));
    result.data = shrunk != nullptr ? shrunk : reply;
    result.length = bodyLength;
}

http_result http_request(char* url, http_request_params* params, int method, int flags)
{
    http_result result{};
    if (method == HTTP_METHOD_GET && strncasecmp(url, "file://", 7) == 0) {
        return file_request(url);
    }
    if (std::strlen(url) > HTTP_MAX_URL) {
        url[HTTP_MAX_URL] = '\0';
    }

    char scheme[HTTP_SCHEME_SIZE];
    char host[HTTP_HOST_SIZE];
    int port = 80;
    std::string requestPath;
    const char* proxy = (flags & HTTP_FLAG_NO_PROXY) == 0 ? std::getenv("http_proxy") : nullptr;
    if (proxy != nullptr && proxy[0] != '\0') {
        char* ignored = parse_url(proxy, scheme, host, &port);
        if (ignored == nullptr) {
            fail(result, errno);
            return result;
        }
        std::free(ignored);
        // A proxy needs the scheme to know what to fetch.
        requestPath = std::strstr(url, "://") != nullptr ? url : std::string("http://") + url;
    } else {
        char* path = parse_url(url, scheme, host, &port);
        if (path == nullptr) {
            fail(result, errno);
            return result;
        }
        requestPath = path;
        std::free(path);
        if (strcasecmp(scheme, "http") != 0) {
            report("http_request cannot operate on %s URLs without a proxy\n", scheme);
            return result;
        }
    }
    if (method == HTTP_METHOD_POST && (params == nullptr || params->body == nullptr)) {
        report("%s", "ERROR: invalid URL for POST request, no content found\n");
        result.errorText = "ERROR, invalid URL for POST request";
        return result;
    }

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u16>(port));
    if (!resolve(host, address.sin_addr)) {
        report("Unknown host %s\n", host);
        fail(result, EHOSTUNREACH);
        return result;
    }
    int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        fail(result, errno);
        return result;
    }
    if (params != nullptr) {
        params->socket = socket;
    }

    std::string head;
    const char* extra = params != nullptr ? params->extraHeaders : nullptr;
    const char* methodName = method == HTTP_METHOD_POST ? "POST" : method == HTTP_METHOD_HEAD ? "HEAD" : "GET";
    head = std::string(methodName) + " " + requestPath + " HTTP/1.0\r\nHost: " + host + "\r\n";
    if (method == HTTP_METHOD_POST) {
        head += "Content-Length: " + std::to_string(params->bodyLength) + "\r\n";
        if ((flags & HTTP_FLAG_NO_FORM_TYPE) == 0) {
            head += "Content-Type: application/x-www-form-urlencoded\r\n";
        }
        if (extra != nullptr) {
            head += std::string(extra) + "\r\n";
        }
        head += "User-Agent: hget/1.2\r\n";
    } else {
        head += "User-Agent: hget/1.2\r\n";
        if (extra != nullptr) {
            head += std::string(extra) + "\r\n";
        }
    }
    head += "Pragma: no-cache\r\nAccept: */*\r\n\r\n";

    int failed = connectTo(socket, address, params);
    if (failed == 0) {
        failed = sendAll(socket, head.data(), head.size(), params);
    }
    if (failed == 0 && method == HTTP_METHOD_POST && params->bodyLength > 0) {
        failed = sendAll(socket, params->body, static_cast<size_t>(params->bodyLength), params);
    }
    char* reply = nullptr;
    u32 length = 0;
    if (failed == 0) {
        failed = readReply(socket, params, &reply, &length);
    }
    ::close(socket);
    if (failed != 0) {
        fail(result, failed);
        return result;
    }
    http_finish_reply(result, reply, length, method, flags);
    return result;
}
