// The tape kept between sessions: its lines as the text of a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// At most this many of the newest lines are kept, and never a file larger
// than this: a longer one is not read back.
constexpr std::size_t keptTapeLines = 1000;
constexpr std::size_t keptTapeBytes = 8 * 1024 * 1024;

// The newest lines, up to keptTapeLines of them and keptTapeBytes in all (from
// a line that would pass that, no older line is kept), as UTF-8, one line
// ended by CR LF each.
std::string keptTapeText(const std::vector<std::wstring>& lines);

// The lines of a kept tape; nothing when the text is too large, is not
// UTF-8 or holds characters no tape line has (a damaged file).
std::optional<std::vector<std::wstring>> tapeFromKeptText(const std::string& text);
