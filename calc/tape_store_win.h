// The tape kept between sessions in %APPDATA%\Zentolo\nastro.txt, when
// "Conserva il nastro alla chiusura" is saved set.
#pragma once

#include <string>

// The file's path; empty when the environment names no APPDATA folder.
std::wstring keptTapePath();
// At start: the kept lines on the tape. A file that is missing, too large or
// damaged leaves the tape empty.
void restoreKeptTape();
// At the end of the session: the tape's newest lines written to a new file,
// which then replaces the old one, so that a crash never leaves half a tape.
void keepTapeAtClose();
// The box cleared and saved: the kept tape is deleted.
void forgetKeptTape();
