#pragma once
// What the HTTP tests share: the proxy setting of one test and the wait for
// a worker's end.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "net/HttpRequest.h"

// Sets "http_proxy" for one test, or clears it, and clears it afterwards.
class ProxySetting {
public:
    explicit ProxySetting(const std::string& value = {})
    {
        if (value.empty()) {
            unsetenv("http_proxy");
        } else {
            setenv("http_proxy", value.c_str(), 1);
        }
    }
    ~ProxySetting() { unsetenv("http_proxy"); }
    ProxySetting(const ProxySetting&) = delete;
    ProxySetting& operator=(const ProxySetting&) = delete;
};

// Polls as a screen would until the request reports its end; IDLE when it
// has not ended within the guard time.
inline int waitForEnd(HttpRequest& request)
{
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < guard) {
        int state = request.poll();
        if (state == HttpRequest::FAILED || state == HttpRequest::DONE) {
            return state;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return HttpRequest::IDLE;
}
