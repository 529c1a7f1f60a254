// vabo-textgen: compiles the per-language text sources into the C++ table
// of Windows-1252 texts that Language links.
//
//   vabo-textgen <identifier list> <output.cpp> <source>...
//
// The identifier list is language/LanguageIds.def, one entry per line:
//   LANGUAGE_TEXT(NAME, number)
//   LANGUAGE_TEXT_NAMED(ENUMERATOR, number, "NAME")
//   LANGUAGE_RESERVED(number)
// Numbers must run 0, 1, 2, ... without a gap.
//
// A source holds one line per identifier, in number order (blank lines and
// lines starting with '#' aside):
//   NAME "text"       the identifier's text; the text runs to the last '"'
//   [number] "text"   the text of a reserved number
//   NAME              a text not written yet: the slot gets the identifier's
//                     own name, so the table stays complete meanwhile
// A text is UTF-8 and may use only characters that Windows-1252 shares with
// ISO 8859-1 (U+0020 to U+007E and U+00A1 to U+00FF). The bytes that cannot
// be seen in a source are written as tokens:
//   {nbsp}            the no-break space 0xA0
//   {x01} ... {x1D}   the icon bytes below 0x20
//   {lbrace}          a literal '{'
// Anything else (an unknown identifier, a missing, duplicate or misplaced
// line, a character outside that range, a malformed token) stops the build
// with the file and line. The output is written to a temporary file and
// renamed, so a failed run leaves no half table behind.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Identifier {
    int number = 0;
    std::string name;  // empty for a reserved number
};

struct Failure {
    std::string message;
};

[[noreturn]] void fail(const std::string& where, int line, const std::string& what)
{
    throw Failure{where + ":" + std::to_string(line) + ": " + what};
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool parseNumber(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 6) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

std::vector<std::string> splitArguments(const std::string& text)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, ',')) {
        parts.push_back(trimmed(part));
    }
    return parts;
}

std::vector<Identifier> readIdentifiers(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Failure{path + ": cannot be read"};
    }
    std::vector<Identifier> ids;
    std::map<std::string, int> seen;
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        const std::string line = trimmed(raw);
        if (line.rfind("LANGUAGE_", 0) != 0) {
            continue;
        }
        const size_t open = line.find('(');
        const size_t close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) {
            fail(path, lineNumber, "malformed entry");
        }
        const std::string macro = line.substr(0, open);
        const std::vector<std::string> args = splitArguments(line.substr(open + 1, close - open - 1));
        Identifier id;
        std::string numberText;
        if (macro == "LANGUAGE_TEXT" && args.size() == 2) {
            id.name = args[0];
            numberText = args[1];
        } else if (macro == "LANGUAGE_TEXT_NAMED" && args.size() == 3 && args[2].size() > 2 &&
                   args[2].front() == '"' && args[2].back() == '"') {
            id.name = args[2].substr(1, args[2].size() - 2);
            numberText = args[1];
        } else if (macro == "LANGUAGE_RESERVED" && args.size() == 1) {
            numberText = args[0];
        } else {
            fail(path, lineNumber, "malformed entry");
        }
        if (!parseNumber(numberText, id.number)) {
            fail(path, lineNumber, "malformed number '" + numberText + "'");
        }
        if (id.number != static_cast<int>(ids.size())) {
            fail(path, lineNumber,
                 "number " + std::to_string(id.number) + " where " + std::to_string(ids.size()) +
                     " comes next");
        }
        for (char c : id.name) {
            if (!isNameChar(c)) {
                fail(path, lineNumber, "malformed name '" + id.name + "'");
            }
        }
        if (!id.name.empty() && !seen.emplace(id.name, id.number).second) {
            fail(path, lineNumber, "name '" + id.name + "' given twice");
        }
        ids.push_back(id);
    }
    if (ids.empty()) {
        throw Failure{path + ": no identifiers"};
    }
    return ids;
}

std::string keyOf(const Identifier& id)
{
    return id.name.empty() ? "[" + std::to_string(id.number) + "]" : id.name;
}

// Decodes one UTF-8 character at `pos`; returns the code point or -1.
long decodeUtf8(const std::string& text, size_t& pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int extra = 0;
    long value = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return -1;
    }
    if (pos + extra >= text.size()) {
        return -1;
    }
    for (int i = 1; i <= extra; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return -1;
        }
        value = (value << 6) | (byte(pos + i) & 0x3F);
    }
    static const long smallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < smallest[extra]) {
        return -1;  // overlong form
    }
    pos += extra + 1;
    return value;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Converts the quoted UTF-8 text of a source line into Windows-1252 bytes.
std::string convertText(const std::string& text, const std::string& where, int line)
{
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '{') {
            const size_t end = text.find('}', pos);
            if (end == std::string::npos) {
                fail(where, line, "unterminated token");
            }
            const std::string token = text.substr(pos + 1, end - pos - 1);
            if (token == "nbsp") {
                out += '\xA0';
            } else if (token == "lbrace") {
                out += '{';
            } else if (token.size() == 3 && token[0] == 'x' && hexDigit(token[1]) >= 0 &&
                       hexDigit(token[2]) >= 0) {
                const int value = hexDigit(token[1]) * 16 + hexDigit(token[2]);
                if (value < 0x01 || value > 0x1D) {
                    fail(where, line, "token {" + token + "} is no icon byte");
                }
                out += static_cast<char>(value);
            } else {
                fail(where, line, "unknown token {" + token + "}");
            }
            pos = end + 1;
            continue;
        }
        const long code = decodeUtf8(text, pos);
        if (code < 0) {
            fail(where, line, "malformed UTF-8");
        }
        char hex[32];
        std::snprintf(hex, sizeof hex, "U+%04lX", code);
        if (code < 0x20) {
            fail(where, line, std::string("control character ") + hex + " (write it as a token)");
        }
        if (code == 0xA0) {
            fail(where, line, "no-break space U+00A0 (write it as {nbsp})");
        }
        if (code == 0x7F || (code >= 0x80 && code <= 0x9F)) {
            fail(where, line, std::string("character ") + hex + " has no place in the table");
        }
        if (code > 0xFF) {
            fail(where, line, std::string("character ") + hex + " lies outside Latin-1");
        }
        out += static_cast<char>(code);
    }
    return out;
}

std::vector<std::string> readSource(const std::string& path, const std::vector<Identifier>& ids)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Failure{path + ": cannot be read"};
    }
    std::map<std::string, int> numberOf;
    for (const Identifier& id : ids) {
        numberOf[keyOf(id)] = id.number;
    }
    std::vector<std::string> texts;
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        if (lineNumber == 1 && raw.rfind("\xEF\xBB\xBF", 0) == 0) {
            raw.erase(0, 3);  // a byte-order mark some editors write
        }
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t keyEnd = line.find_first_of(" \t");
        const std::string key = line.substr(0, keyEnd);
        const auto found = numberOf.find(key);
        if (found == numberOf.end()) {
            fail(path, lineNumber, "unknown identifier '" + key + "'");
        }
        const int number = found->second;
        if (number < static_cast<int>(texts.size())) {
            fail(path, lineNumber, "'" + key + "' given twice or out of order");
        }
        if (number > static_cast<int>(texts.size())) {
            fail(path, lineNumber,
                 "'" + key + "' where '" + keyOf(ids[texts.size()]) + "' comes next");
        }
        if (keyEnd == std::string::npos) {
            // Not written yet: the identifier's own name holds the slot.
            if (ids[number].name.empty()) {
                fail(path, lineNumber, "a reserved number needs a text");
            }
            texts.push_back(ids[number].name);
            continue;
        }
        const std::string rest = trimmed(line.substr(keyEnd));
        if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
            fail(path, lineNumber, "the text must stand in double quotes");
        }
        texts.push_back(convertText(rest.substr(1, rest.size() - 2), path, lineNumber));
    }
    if (texts.size() != ids.size()) {
        fail(path, lineNumber, "ends before '" + keyOf(ids[texts.size()]) + "'");
    }
    return texts;
}

std::string literal(const std::string& bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\' || c == '?') {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void writeTable(const std::string& path, const std::vector<std::vector<std::string>>& languages)
{
    // One constant per distinct text; the slots point at them.
    std::map<std::string, int> pool;
    std::vector<const std::string*> order;
    std::ostringstream slots;
    for (const std::vector<std::string>& texts : languages) {
        slots << "    {\n";
        for (const std::string& text : texts) {
            auto [it, added] = pool.emplace(text, static_cast<int>(order.size()));
            if (added) {
                order.push_back(&it->first);
            }
            slots << "        t" << it->second << ",\n";
        }
        slots << "    },\n";
    }
    std::ostringstream out;
    out << "// Generated by vabo-textgen from the text sources of language/. Do not edit.\n"
        << "#include \"language/LanguageTexts.h\"\n\n"
        << "static_assert(LANGUAGE_MAX == " << languages.size() << ", \"one source per language\");\n"
        << "static_assert(Language::STRING_COUNT == " << languages.front().size()
        << ", \"the sources follow the identifier list\");\n\nnamespace {\n";
    for (size_t i = 0; i < order.size(); ++i) {
        out << "const char t" << i << "[] = " << literal(*order[i]) << ";\n";
    }
    out << "}  // namespace\n\n"
        << "const char* const languageSourceTexts[LANGUAGE_MAX][Language::STRING_COUNT] = {\n"
        << slots.str() << "};\n";

    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << out.str();
        file.flush();
        if (!file) {
            throw Failure{temporary + ": cannot be written"};
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw Failure{path + ": cannot be written"};
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: vabo-textgen <identifier list> <output.cpp> <source>...\n";
        return 2;
    }
    try {
        const std::vector<Identifier> ids = readIdentifiers(argv[1]);
        std::vector<std::vector<std::string>> languages;
        for (int i = 3; i < argc; ++i) {
            languages.push_back(readSource(argv[i], ids));
        }
        writeTable(argv[2], languages);
    } catch (const Failure& failure) {
        std::cerr << "vabo-textgen: " << failure.message << "\n";
        return 1;
    }
    return 0;
}
