#include "net/HttpRequest.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "net/HttpClient.h"
#include "system/StringUtils.h"

namespace {

const char BOUNDARY_HEADER[] = "Content-Type: multipart/form-data; boundary=---------------------------7d33992b80330";
const char DELIMITER[] = "\r\n-----------------------------7d33992b80330";

// The running requests and the abandoned workers that have ended but are
// not joined yet. Never destroyed: a worker may still hold it while the
// process exits.
struct Registry {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<HttpRequest*> running;
    std::vector<pthread_t> ended;
};

Registry& registry()
{
    static Registry* instance = new Registry();
    return *instance;
}

std::vector<pthread_t> takeEnded(Registry& r)
{
    std::vector<pthread_t> threads;
    threads.swap(r.ended);
    return threads;
}

void joinAll(const std::vector<pthread_t>& threads)
{
    for (pthread_t thread : threads) {
        pthread_join(thread, nullptr);
    }
}

// The text's lines, each without its LF and one CR before it, in one pass:
// a reply of many short lines costs no more than a few long ones.
void splitLines(const UString& text, std::vector<UString>& lines)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t lineFeed = text.find('\n', start);
        if (lineFeed == UString::npos) {
            lines.emplace_back(text, start);
            return;
        }
        size_t end = lineFeed > start && text[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
        lines.emplace_back(text, start, end - start);
        start = lineFeed + 1;
    }
}

} // namespace

HttpRequest::HttpRequest(const UString& baseUrl, const UString& urlSuffix)
    : baseUrl(baseUrl), urlSuffix(urlSuffix)
{
}

HttpRequest::~HttpRequest()
{
    if (bThreadStarted) {
        pthread_join(thread, nullptr);
    }
    std::free(body);
    if (wakeFd >= 0) {
        ::close(wakeFd);
    }
}

void HttpRequest::appendBody(const void* bytes, i32 size)
{
    if (size <= 0) {
        return;
    }
    u8* grown = static_cast<u8*>(std::malloc(static_cast<size_t>(bodyLength) + static_cast<size_t>(size)));
    if (grown == nullptr) {
        return;
    }
    if (body != nullptr) {
        std::memcpy(grown, body, static_cast<size_t>(bodyLength));
    }
    std::memcpy(grown + bodyLength, bytes, static_cast<size_t>(size));
    std::free(body);
    body = grown;
    bodyLength += size;
}

void HttpRequest::addFormPart(const UString& name, const UString& filename, const void* data, i32 size)
{
    UString head = DELIMITER;
    head += "\r\nContent-Disposition: form-data; name=\"" + name + "\"";
    if (!filename.empty()) {
        head += "; filename=\"" + filename + "\"\r\nContent-Type: application/octet-stream";
    }
    head += "\r\n\r\n";
    appendBody(head.data(), static_cast<i32>(head.size()));
    appendBody(data, size);
}

void HttpRequest::start()
{
    Registry& r = registry();
    std::vector<pthread_t> ended;
    {
        std::lock_guard lock(r.mutex);
        ended = takeEnded(r);
    }
    joinAll(ended);

    if (body != nullptr) {
        UString closing = DELIMITER;
        closing += "--\r\n";
        appendBody(closing.data(), static_cast<i32>(closing.size()));
    }
    wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        errorText = formatString("Error creating thread (result=%d)", errno);
        state.store(FAILED, std::memory_order_release);
        return;
    }
    state.store(RUNNING, std::memory_order_release);
    std::lock_guard lock(r.mutex);
    r.running.push_back(this);
    int created = pthread_create(&thread, nullptr, &HttpRequest::threadEntry, this);
    if (created != 0) {
        r.running.pop_back();
        errorText = formatString("Error creating thread (result=%d)", created);
        state.store(FAILED, std::memory_order_release);
        return;
    }
    bThreadStarted = true;
}

i32 HttpRequest::poll()
{
    i32 current = state.load(std::memory_order_acquire);
    if (current == FAILED || current == DONE) {
        state.store(IDLE, std::memory_order_relaxed);
    }
    return current;
}

void HttpRequest::abandon()
{
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        if (std::find(r.running.begin(), r.running.end(), this) != r.running.end()) {
            bAbandoned = true;
            return;
        }
    }
    delete this;
}

void HttpRequest::cancelAll()
{
    Registry& r = registry();
    std::vector<pthread_t> ended;
    {
        std::unique_lock lock(r.mutex);
        const u64 one = 1;
        for (HttpRequest* request : r.running) {
            ssize_t written = ::write(request->wakeFd, &one, sizeof(one));
            (void)written;  // the counter only saturates, and then it is readable anyway
        }
        r.changed.wait(lock, [&r] { return r.running.empty(); });
        ended = takeEnded(r);
    }
    joinAll(ended);
}

void* HttpRequest::threadEntry(void* request)
{
    static_cast<HttpRequest*>(request)->run();
    return nullptr;
}

void HttpRequest::run()
{
    UString url = baseUrl + urlSuffix;
    std::vector<char> writableUrl(url.begin(), url.end());
    writableUrl.push_back('\0');

    http_request_params params;
    params.timeoutMilliseconds = timeoutMilliseconds;
    params.wakeFd = wakeFd;
    http_result result{};
    if (body == nullptr) {
        result = http_request(writableUrl.data(), &params, HTTP_METHOD_GET, 0);
    } else {
        params.extraHeaders = BOUNDARY_HEADER;
        params.body = reinterpret_cast<const char*>(body);
        params.bodyLength = bodyLength;
        result = http_request(writableUrl.data(), &params, HTTP_METHOD_POST, HTTP_FLAG_NO_FORM_TYPE);
    }

    i32 endState = FAILED;
    if (result.errorNumber != 0) {
        errorText = formatString("Request failed (error %d:%s)", result.errorNumber,
                                 result.errorText != nullptr ? result.errorText : "");
    } else {
        int code = parseInt(result.statusCode);
        if (code >= 200 && code <= 299) {
            if (result.length > 0) {
                responseText = result.data;
                splitLines(responseText, lines);
            }
            endState = DONE;
        } else {
            errorText = formatString("Failed with HTTP status code %s (%s)", result.statusCode, result.statusText);
        }
    }
    std::free(result.data);
    std::free(result.header);
    finish(endState);
}

void HttpRequest::finish(i32 endState)
{
    Registry& r = registry();
    std::unique_lock lock(r.mutex);
    r.running.erase(std::find(r.running.begin(), r.running.end(), this));
    r.changed.notify_all();
    if (!bAbandoned) {
        state.store(endState, std::memory_order_release);
        return;
    }
    // Nobody polls any more: the next start or the shutdown joins this thread.
    r.ended.push_back(pthread_self());
    bThreadStarted = false;
    lock.unlock();
    delete this;
}
