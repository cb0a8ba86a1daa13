#include "calc/tape_store.h"

#include <cstddef>

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

namespace {

// UTF-16 to UTF-8; a lone surrogate, which no tape line holds, becomes
// U+FFFD, and a control character a space, so that the file always reads back.
std::string utf8(const std::wstring& line)
{
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        char32_t c = static_cast<char16_t>(line[i]);
        if (c < 0x20 || c == 0x7F) c = U' ';
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < line.size() && line[i + 1] >= 0xDC00 && line[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(line[++i]) - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        appendUtf8(out, c);
    }
    return out;
}

// One UTF-8 character from `at`, strictly: no overlong forms, no surrogates.
bool readUtf8(const std::string& text, size_t& at, char32_t& c)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    int more = first < 0x80 ? 0 : first >= 0xC2 && first < 0xE0 ? 1 : first >= 0xE0 && first < 0xF0 ? 2
                                                                   : first >= 0xF0 && first < 0xF5 ? 3 : -1;
    if (more < 0 || text.size() - at <= static_cast<size_t>(more)) return false;
    c = static_cast<char32_t>(more == 0 ? first : first & (0x3F >> more));
    for (int k = 1; k <= more; ++k) {
        const unsigned char next = byte(at + static_cast<size_t>(k));
        if ((next & 0xC0) != 0x80) return false;
        c = (c << 6) | (next & 0x3F);
    }
    static const char32_t smallest[4] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[more] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
    at += static_cast<size_t>(more) + 1;
    return true;
}

} // namespace

std::string keptTapeText(const std::vector<std::wstring>& lines)
{
    std::vector<std::string> kept;
    size_t bytes = 0;
    for (auto line = lines.rbegin(); line != lines.rend() && kept.size() < keptTapeLines; ++line) {
        std::string text = utf8(*line) + "\r\n";
        // A line too long to keep (a huge pasted sum) ends the kept tape: no
        // older line is kept past the gap it leaves.
        if (bytes + text.size() > keptTapeBytes) break;
        bytes += text.size();
        kept.push_back(std::move(text));
    }
    std::string out;
    out.reserve(bytes + 3);
    // A first line that begins with U+FEFF would be read as the byte-order
    // mark an editor adds: a mark of our own goes before it.
    if (!kept.empty() && kept.back().compare(0, 3, "\xEF\xBB\xBF") == 0) out = "\xEF\xBB\xBF";
    for (auto line = kept.rbegin(); line != kept.rend(); ++line) out += *line;
    return out;
}

std::optional<std::vector<std::wstring>> tapeFromKeptText(const std::string& text)
{
    if (text.size() > keptTapeBytes) return std::nullopt;
    std::vector<std::wstring> lines;
    std::wstring line;
    // A byte-order mark, as an editor may add, is not part of the first line.
    for (size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; at < text.size();) {
        if (text[at] == '\r' || text[at] == '\n') {
            at += text.compare(at, 2, "\r\n") == 0 ? size_t{2} : size_t{1};
            if (!line.empty()) lines.push_back(line);
            line.clear();
            continue;
        }
        char32_t c = 0;
        if (!readUtf8(text, at, c) || c < 0x20 || c == 0x7F) return std::nullopt;
        if (c >= 0x10000) {
            line += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            line += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            line += static_cast<wchar_t>(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    if (lines.size() > keptTapeLines) lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(keptTapeLines));
    return lines;
}
