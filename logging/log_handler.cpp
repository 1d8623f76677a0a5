#include "log_handler.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <util/base.h>

#include "platform.h"

namespace {
// The engine calls the handler from many threads at once: one whole message
// at a time goes to the run log, and none after the log has ended.
std::mutex runLogMutex;
std::ostream *attachedRunLog = nullptr; // guarded by runLogMutex

const char *RunLogPrefix(int level)
{
	switch (level) {
	case LOG_ERROR:
		return "error: ";
	case LOG_WARNING:
		return "warning: ";
	case LOG_INFO:
		return "info: ";
	default:
		return nullptr;
	}
}

bool LocalTime(time_t seconds, tm *local)
{
#ifdef _WIN32
	return localtime_s(local, &seconds) == 0;
#else
	return localtime_r(&seconds, local) != nullptr;
#endif
}

// The stream's buffer is written directly: a formatted insertion per piece
// would cost more than the rest of the message. A short write marks the
// stream bad, and a bad stream takes nothing more.
void Put(std::ostream &stream, const char *bytes, size_t size)
{
	if (stream.good() &&
	    stream.rdbuf()->sputn(bytes, std::streamsize(size)) !=
		    std::streamsize(size))
		stream.setstate(std::ios::badbit);
}

void PutLine(std::ostream &stream, const std::string &linePrefix,
	     const char *segment)
{
	Put(stream, linePrefix.data(), linePrefix.size());
	Put(stream, segment, std::strlen(segment));
	Put(stream, "\n", 1);
	if (stream.good() && stream.rdbuf()->pubsync() == -1)
		stream.setstate(std::ios::badbit);
}

// Writes text as lines, each begun with linePrefix; the first line also with
// levelPrefix when there is one.
void WriteLines(std::ostream &stream, const char *levelPrefix,
		const std::string &linePrefix, char *text)
{
	if (levelPrefix)
		Put(stream, levelPrefix, std::strlen(levelPrefix));
	char *segment = text;
	while (*segment) {
		char *newline = std::strchr(segment, '\n');
		if (!newline)
			break;
		if (newline != segment && newline[-1] == '\r')
			newline[-1] = '\0';
		else
			*newline = '\0';
		PutLine(stream, linePrefix, segment);
		segment = newline + 1;
	}
	PutLine(stream, linePrefix, segment);
}
} // namespace

void AttachRunLog(std::ostream &stream)
{
	std::lock_guard<std::mutex> lock(runLogMutex);
	attachedRunLog = &stream;
}

void DetachRunLog(std::ostream &stream)
{
	std::lock_guard<std::mutex> lock(runLogMutex);
	if (attachedRunLog == &stream)
		attachedRunLog = nullptr;
}

void WriteLogMessage(int level, const char *format, va_list args, void *param)
{
	char text[5120];
	const int formatted = vsnprintf(text, sizeof(text), format, args);
	const size_t length =
		formatted < 0 ? 0 : std::min(size_t(formatted), sizeof(text) - 1);
	if (formatted < 0)
		text[0] = '\0';
	WriteDebuggerLine(text, length);

	if (const char *prefix = RunLogPrefix(level)) {
		// Made before the lock, so that other threads wait only for the
		// writes themselves.
		const std::string linePrefix = FormatClockTime() + ": ";
		std::lock_guard<std::mutex> lock(runLogMutex);
		auto *stream = static_cast<std::ostream *>(param);
		if (stream && stream == attachedRunLog)
			WriteLines(*stream, prefix, linePrefix, text);
	}

	if (level <= LOG_ERROR && IsDebuggerAttached())
		BreakIntoDebugger();
}

void WriteLogLines(std::ostream &stream, char *text)
{
	WriteLines(stream, nullptr, FormatClockTime() + ": ", text);
}

std::string FormatClockTime(int64_t ticks)
{
	const int64_t seconds = ticks / 10000000;
	const unsigned milliseconds =
		static_cast<unsigned>((ticks - seconds * 10000000) / 10000);
	// Converting to local time takes a process-wide lock in the C library:
	// each thread converts once per second and reuses the result.
	thread_local int64_t cachedSeconds = INT64_MIN;
	thread_local tm local = {};
	if (seconds != cachedSeconds) {
		if (!LocalTime(static_cast<time_t>(seconds), &local))
			return std::string();
		cachedSeconds = seconds;
	}
	// Formatted by hand rather than with "%X": that follows LC_TIME, which
	// Qt switches to the user's locale, and log readers need one format.
	const unsigned fields[] = {unsigned(local.tm_hour),
				   unsigned(local.tm_min), unsigned(local.tm_sec)};
	char text[] = "00:00:00.000";
	for (int i = 0; i < 3; ++i) {
		text[i * 3] = char('0' + fields[i] / 10 % 10);
		text[i * 3 + 1] = char('0' + fields[i] % 10);
	}
	text[9] = char('0' + milliseconds / 100);
	text[10] = char('0' + milliseconds / 10 % 10);
	text[11] = char('0' + milliseconds % 10);
	return text;
}

std::string FormatClockTime()
{
	using namespace std::chrono;
	const auto ticks = duration_cast<duration<int64_t, std::ratio<1, 10000000>>>(
		system_clock::now().time_since_epoch());
	return FormatClockTime(ticks.count());
}
