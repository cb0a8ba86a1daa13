#include "calc/tape_store.h"

#include <cstddef>

#include "text/utf8.h"

namespace {

// A control character, which no tape line holds, written as a space, so
// that the file always reads back.
std::string utf8(std::wstring line)
{
    for (wchar_t& c : line)
        if (c < 0x20 || c == 0x7F) c = L' ';
    return toUtf8(line);
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
        appendUtf16(line, c);
    }
    if (!line.empty()) lines.push_back(line);
    if (lines.size() > keptTapeLines) lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(keptTapeLines));
    return lines;
}
