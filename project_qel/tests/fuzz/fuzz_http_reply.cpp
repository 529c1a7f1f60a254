// Arbitrary bytes as a received HTTP reply (header end, status fields,
// Content-Length check, body and header copies) for a GET and a HEAD, the
// body split into lines as the upload worker does, and the same bytes as a
// URL to split.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "net/HttpClient.h"
#include "system/StringUtils.h"

namespace {

void replyAs(const uint8_t* data, size_t size, int method, int flags)
{
    char* reply = static_cast<char*>(std::malloc(size + 1));
    if (reply == nullptr) {
        return;
    }
    std::memcpy(reply, data, size);
    http_result result{};
    http_finish_reply(result, reply, static_cast<u32>(size), method, flags);
    parseInt(result.statusCode);
    if (result.data != nullptr) {
        UString rest = result.data;
        while (!rest.empty()) {
            extractLine(rest);
        }
    }
    std::free(result.data);
    std::free(result.header);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > HTTP_MAX_REPLY) {
        return 0;
    }
    replyAs(data, size, HTTP_METHOD_GET, HTTP_FLAG_HEADER);
    replyAs(data, size, HTTP_METHOD_HEAD, 0);

    char* url = static_cast<char*>(std::malloc(size + 1));
    std::memcpy(url, data, size);
    url[size] = '\0';
    char scheme[HTTP_SCHEME_SIZE];
    char host[HTTP_HOST_SIZE];
    int port = 0;
    std::free(parse_url(url, scheme, host, &port));
    std::free(url);
    return 0;
}
