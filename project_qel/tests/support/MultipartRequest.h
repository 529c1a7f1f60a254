#pragma once
// A request the test server received, read back as the upload worker lays
// it out: the request line, the head lines in order, and the parts of a
// multipart/form-data body (name, file name, bytes). Anything that departs
// from that layout, or a Content-Length that is not the body's size, is
// told in `error` and leaves the parts read so far.
#include <string>
#include <vector>

struct MultipartRequest {
    struct Part {
        std::string name;
        std::string filename;
        bool hasFilename = false;
        std::string data;
    };

    explicit MultipartRequest(const std::string& raw)
    {
        const size_t headEnd = raw.find("\r\n\r\n");
        if (headEnd == std::string::npos) {
            error = "no end of head";
            return;
        }
        size_t at = 0;
        while (at < headEnd) {
            const size_t end = raw.find("\r\n", at);
            (at == 0 ? requestLine : headLines.emplace_back()) = raw.substr(at, end - at);
            at = end + 2;
        }
        body = raw.substr(headEnd + 4);
        const std::string length = header("Content-Length");
        if (length != std::to_string(body.size())) {
            error = "Content-Length " + length + " for a body of " + std::to_string(body.size()) + " bytes";
            return;
        }
        readParts();
    }

    // The value of the first head line with this name, or "".
    std::string header(const std::string& name) const
    {
        for (const std::string& line : headLines) {
            if (line.compare(0, name.size() + 2, name + ": ") == 0) {
                return line.substr(name.size() + 2);
            }
        }
        return {};
    }

    std::vector<std::string> partNames() const
    {
        std::vector<std::string> names;
        for (const Part& part : parts) {
            names.push_back(part.name);
        }
        return names;
    }

    static constexpr const char* DELIMITER = "\r\n-----------------------------7d33992b80330";
    static constexpr const char* FILE_TYPE = "\r\nContent-Type: application/octet-stream";

    std::string requestLine;
    std::vector<std::string> headLines;
    std::string body;
    std::vector<Part> parts;
    std::string error;

private:
    bool take(size_t& at, const std::string& text)
    {
        if (body.compare(at, text.size(), text) != 0) {
            error = "expected \"" + text + "\" at byte " + std::to_string(at);
            return false;
        }
        at += text.size();
        return true;
    }

    bool quoted(size_t& at, std::string& value)
    {
        const size_t end = body.find('"', at);
        if (end == std::string::npos) {
            error = "unterminated quote at byte " + std::to_string(at);
            return false;
        }
        value = body.substr(at, end - at);
        at = end + 1;
        return true;
    }

    void readParts()
    {
        const std::string delimiter = DELIMITER;
        size_t at = 0;
        if (!take(at, delimiter)) {
            return;
        }
        while (body.compare(at, 4, "--\r\n") != 0) {
            Part part;
            if (!take(at, "\r\nContent-Disposition: form-data; name=\"") || !quoted(at, part.name)) {
                return;
            }
            if (body.compare(at, 12, "; filename=\"") == 0) {
                at += 12;
                part.hasFilename = true;
                if (!quoted(at, part.filename) || !take(at, FILE_TYPE)) {
                    return;
                }
            }
            if (!take(at, "\r\n\r\n")) {
                return;
            }
            const size_t end = body.find(delimiter, at);
            if (end == std::string::npos) {
                error = "part \"" + part.name + "\" has no delimiter after it";
                return;
            }
            part.data = body.substr(at, end - at);
            parts.push_back(part);
            at = end + delimiter.size();
        }
        if (at + 4 != body.size()) {
            error = "bytes after the closing delimiter";
        }
    }
};
