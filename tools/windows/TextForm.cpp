#include "TextForm.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace textform {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string toUtf8(const std::u16string &text)
{
    if (text.empty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, int(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

std::u16string fromUtf8(const std::string &text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::u16string result(std::size_t(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()),
                        reinterpret_cast<wchar_t *>(result.data()), length);
    return result;
}

std::string quoted(const std::u16string &text)
{
    static const char hex[] = "0123456789abcdef";
    std::string result = "\"";
    for (const char c : toUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            result += "\\\\";
            break;
        case '"':
            result += "\\\"";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                result += "\\x";
                result += hex[byte >> 4];
                result += hex[byte & 0xf];
            } else {
                result += c;
            }
        }
    }
    return result + '"';
}

bool unquote(const std::string &line, std::u16string &text)
{
    if (line.size() < 2 || line.front() != '"')
        return false;
    std::string bytes;
    std::size_t i = 1;
    for (; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\') {
            bytes += line[i];
            continue;
        }
        if (++i >= line.size())
            return false;
        switch (line[i]) {
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'x': {
            const int high = i + 2 < line.size() ? hexValue(line[i + 1]) : -1;
            const int low = high >= 0 ? hexValue(line[i + 2]) : -1;
            if (low < 0)
                return false;
            bytes += char(high * 16 + low);
            i += 2;
            break;
        }
        default:
            bytes += line[i];
        }
    }
    if (i + 1 != line.size())
        return false; // no closing quote, or something after it
    text = fromUtf8(bytes);
    return true;
}

void write(const std::string &utf8)
{
    static const bool binary = _setmode(_fileno(stdout), _O_BINARY) != -1;
    (void)binary;
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

} // namespace textform
