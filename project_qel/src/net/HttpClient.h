#pragma once
// The engine's only TCP client: one HTTP/1.0 exchange over a fresh
// connection. It sends a GET, HEAD or POST, reads the reply until the server
// closes the connection, splits the status line and header from the body and
// hands everything back in one record. It goes to the server named in the
// URL, or through the proxy named by "http_proxy". A GET of a "file://" URL
// never touches the network: it returns the file, or an HTML page listing a
// directory.
//
// The call blocks its thread for the whole exchange and keeps no state
// between calls, so callers run it on a thread of their own (HttpRequest).
// It never uses the engine object: its few diagnostics go to the standard
// error stream.
//
// Outside bytes are bounded: the request head is sized from what it holds,
// a scheme or host too long for its buffer fails with EINVAL, connecting and
// every wait on the socket end after a time-out (ETIMEDOUT), a reply above
// MAX_REPLY bytes fails with EMSGSIZE, and a reply cut short (a read error,
// or fewer body bytes than its Content-Length announces) fails with the
// read's error or EPROTO rather than passing for a complete reply. Writes go
// out in full without raising SIGPIPE; a peer that closes early fails the
// request with the write's error.
#include "system/QelTypes.h"

struct http_result {
    // The payload followed by one NUL: the body (GET, POST), the header
    // (HEAD), or the file or directory page ("file://"). From malloc; the
    // caller frees it. Null when nothing was received.
    char* data;
    // Payload bytes, without the NUL.
    u32 length;
    // With FLAG_HEADER: a NUL-terminated copy of the reply header (status
    // line up to and including the blank line), freed by the caller.
    char* header;
    // The system error number of a failure; 0 when none was recorded.
    i32 errorNumber;
    // The text for errorNumber, or one of the client's fixed texts; static
    // storage, never freed.
    const char* errorText;
    // The three characters after the first space of the status line.
    char statusCode[4];
    // The reason phrase up to the line feed (a CR before it stays), at most
    // 31 characters.
    char statusText[32];
};

struct http_request_params {
    // Header lines joined by CRLF, without the final CRLF; null = none.
    const char* extraHeaders = nullptr;
    // The POST body; a POST without one is refused.
    const char* body = nullptr;
    i32 bodyLength = 0;
    // Set by the client to its socket's descriptor as soon as it exists.
    i32 socket = -1;
    // Connecting and each wait for the socket end after this many
    // milliseconds with ETIMEDOUT.
    i32 timeoutMilliseconds = 30000;
    // When this descriptor becomes readable, a wait ends at once and the
    // request fails with ECANCELED; -1 = none.
    i32 wakeFd = -1;
};

// Method codes. Any other code sends a GET but never serves "file://" URLs.
constexpr int HTTP_METHOD_GET = 2;
constexpr int HTTP_METHOD_HEAD = 3;
constexpr int HTTP_METHOD_POST = 4;

// Flag bits.
constexpr int HTTP_FLAG_HEADER = 1;           // also return a copy of the header
constexpr int HTTP_FLAG_NO_FORM_TYPE = 2;     // no form-urlencoded Content-Type on a POST
constexpr int HTTP_FLAG_NO_PROXY = 4;         // ignore "http_proxy"

constexpr int HTTP_MAX_URL = 8192;            // a longer URL is cut
constexpr int HTTP_SCHEME_SIZE = 50;          // scheme buffer, NUL included
constexpr int HTTP_HOST_SIZE = 1024;          // host buffer, NUL included
constexpr u32 HTTP_MAX_REPLY = 8u << 20;      // bytes of header and body together

// Without params a request waits HTTP_DEFAULT_TIMEOUT_MS at each step.
constexpr int HTTP_DEFAULT_TIMEOUT_MS = 30000;

// `url` is writable: it is cut in place at HTTP_MAX_URL characters. `params`
// may be null except for a POST.
http_result http_request(char* url, http_request_params* params, int method, int flags);

// Splits a URL into scheme ("http" when it has no "://"), host and port
// (80 when it names none; a port that is not a number reads as 0, one beyond
// the port range as its nearest end) into the caller's buffers of
// HTTP_SCHEME_SIZE and HTTP_HOST_SIZE characters. Returns the path ("/" at
// least) from malloc, which the caller frees; null with errno set when
// memory is short (ENOMEM) or the scheme or host does not fit its buffer
// (EINVAL).
char* parse_url(const char* url, char* scheme, char* host, int* port);

// The file or the directory page behind a "file://" URL.
http_result file_request(const char* url);

// The position just after the first blank line (LF LF or LF CR LF), or -1.
int find_header_end(const char* buffer, u32 length);

// The reply handling after the socket is closed: finds the header, fills the
// status fields and the payload from `reply` (length bytes from malloc with
// room for one more byte, taken over by the call) and fails replies cut
// short of their Content-Length.
void http_finish_reply(http_result& result, char* reply, u32 length, int method, int flags);
