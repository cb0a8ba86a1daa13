// Start-up stamps for the start-up benchmark: a build with
// ZENTOLO_STARTUP_TRACE writes "stamp WHAT MS" lines (milliseconds since the
// process was created) to its standard output; every other build does nothing.
#pragma once

#ifdef ZENTOLO_STARTUP_TRACE
void startupStamp(const char* what);
#else
inline void startupStamp(const char*) {}
#endif
