#pragma once
// One HTTP exchange on a thread of its own, so that a screen keeps drawing
// while it waits. The owner names a server and a path, adds multipart
// form-data parts (files and fields), starts the request and polls it once
// per frame. Without parts the request is a GET; with parts it is a POST of
// a multipart/form-data body. A 2xx reply is kept as text and as lines;
// anything else ends in an error text.
//
// Two threads share the object without a lock: while the state is 1 only
// the worker writes, and the owner reads only the state. The worker writes
// the texts and lines first and stores the state last (release); poll reads
// it with acquire before the owner reads them.
//
// Lifetime: the owner creates it with new, deletes it only when it is not
// running (never started, or after poll reported the end), and gives up a
// running one with abandon(), which returns at once: the worker runs to its
// end and then frees the object. cancelAll(), at engine shutdown, ends every
// running request at once and joins the workers that were abandoned, so no
// worker outlives the engine. start, poll and abandon never wait on the
// network. Nothing here logs or uses the engine object.
#include <pthread.h>

#include <atomic>
#include <vector>

#include "system/UString.h"

class HttpRequest {
public:
    enum State : i32 {
        IDLE = 0,
        RUNNING = 1,
        FAILED = 2,
        DONE = 3,
    };

    HttpRequest(const UString& baseUrl, const UString& urlSuffix);
    // Joins the worker, which has ended unless the owner broke the rule
    // above; then it waits for the request's time-out at most.
    virtual ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // Appends one part; an empty filename makes a plain field. Only before
    // start().
    void addFormPart(const UString& name, const UString& filename, const void* data, i32 size);
    // Closes the body when it has parts and starts the worker; the state is
    // RUNNING before it returns (FAILED when no thread could be had). Once.
    void start();
    // RUNNING or IDLE unchanged; FAILED or DONE once, then IDLE again.
    i32 poll();
    // The owner's last word on a started request: frees it now when it is
    // not running, else lets it run to its end on its own thread, which
    // then frees it. The pointer is invalid afterwards.
    void abandon();
    // Ends every running request (each fails with ECANCELED) and joins the
    // abandoned ones. Waits at most for a name lookup already under way.
    static void cancelAll();

    void appendBody(const void* bytes, i32 size);
    // The worker's body.
    void run();

    // Read by the owner after poll() returned FAILED (errorText) or DONE.
    UString errorText;
    UString responseText;
    std::vector<UString> lines;
    std::atomic<i32> state{IDLE};
    UString baseUrl;
    UString urlSuffix;
    u8* body = nullptr;
    i32 bodyLength = 0;
    // Connecting and each wait for the server end after this long.
    i32 timeoutMilliseconds = 30000;

private:
    static void* threadEntry(void* request);
    void finish(i32 endState);

    pthread_t thread{};
    bool bThreadStarted = false;
    // Written by cancelAll to wake the worker from any wait on its socket.
    int wakeFd = -1;
    // Set under the registry's lock while the worker runs.
    bool bAbandoned = false;
};
