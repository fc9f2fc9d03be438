#include "Text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace text {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const int lower = std::tolower(static_cast<unsigned char>(c));
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// Decodes the escape starting after the backslash at text[pos]; advances pos past it.
char decodeEscape(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size())
        throw std::invalid_argument("trailing backslash");
    const char kind = text[pos++];
    switch (kind) {
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case '\\':
        return '\\';
    case 'x': {
        const int high = pos < text.size() ? hexDigitValue(text[pos]) : -1;
        const int low = pos + 1 < text.size() ? hexDigitValue(text[pos + 1]) : -1;
        if (high < 0 || low < 0)
            throw std::invalid_argument("\\x needs two hex digits");
        pos += 2;
        return static_cast<char>(high * 16 + low);
    }
    default:
        throw std::invalid_argument(std::string("unknown escape \\") + kind);
    }
}

} // namespace

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
         start = end + 1)
        fields.push_back(text.substr(start, end - start));
    fields.push_back(text.substr(start));
    return fields;
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t,", pos);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \t,", start), text.size());
        result.push_back(text.substr(start, end - start));
        pos = end;
    }
    return result;
}

std::string toUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return toUpper(a) == toUpper(b);
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string decodeEscapes(std::string_view text)
{
    std::string decoded;
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos++];
        decoded += c == '\\' ? decodeEscape(text, pos) : c;
    }
    return decoded;
}

std::string escapeNonPrintable(std::string_view bytes)
{
    std::string escaped;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            escaped += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            escaped += hex;
        }
    }
    return escaped;
}

} // namespace text
