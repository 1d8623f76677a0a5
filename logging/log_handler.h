// The engine's log handler: every message goes to the debugger output; error,
// warning and info messages also go, line by line, into the run log.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <ostream>
#include <string>

// The engine's log handler. param is the run log as a std::ostream*; the
// message reaches it only while it is attached. Called on any thread.
void WriteLogMessage(int level, const char *format, va_list args, void *param);

// Lets the handler write to stream; until then, and after DetachRunLog, the
// handler leaves the stream alone.
void AttachRunLog(std::ostream &stream);
// Waits for a message being written to stream, then stops all writes to it.
void DetachRunLog(std::ostream &stream);

// Writes text as lines, each with the time prefix, flushing after each line.
// Splits text in place at "\n" (dropping a "\r" directly before it).
void WriteLogLines(std::ostream &stream, char *text);

// The local time of day as HH:MM:SS.mmm.
std::string FormatClockTime();
// The same for a clock reading in 100-nanosecond ticks since the Unix epoch.
std::string FormatClockTime(int64_t ticks);
