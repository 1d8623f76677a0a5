#include "log_handler.h"

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
	vsnprintf(text, sizeof(text), format, args);
	WriteDebuggerLine(text);

	if (const char *prefix = RunLogPrefix(level)) {
		std::lock_guard<std::mutex> lock(runLogMutex);
		auto *stream = static_cast<std::ostream *>(param);
		if (stream && stream == attachedRunLog) {
			*stream << prefix;
			WriteLogLines(*stream, text);
		}
	}

	if (level <= LOG_ERROR && IsDebuggerAttached())
		BreakIntoDebugger();
}

void WriteLogLines(std::ostream &stream, char *text)
{
	const std::string prefix = FormatClockTime() + ": ";
	char *segment = text;
	while (*segment) {
		char *newline = std::strchr(segment, '\n');
		if (!newline)
			break;
		if (newline != segment && newline[-1] == '\r')
			newline[-1] = '\0';
		else
			*newline = '\0';
		stream << prefix << segment << '\n';
		stream.flush();
		segment = newline + 1;
	}
	stream << prefix << segment << '\n';
	stream.flush();
}

std::string FormatClockTime(int64_t ticks)
{
	const int64_t seconds = ticks / 10000000;
	const unsigned milliseconds =
		static_cast<unsigned>((ticks - seconds * 10000000) / 10000);
	tm local = {};
	if (!LocalTime(static_cast<time_t>(seconds), &local))
		return std::string();
	// Formatted by hand rather than with "%X": that follows LC_TIME, which
	// Qt switches to the user's locale, and log readers need one format.
	char text[80];
	snprintf(text, sizeof(text), "%02d:%02d:%02d.%03u", local.tm_hour,
		 local.tm_min, local.tm_sec, milliseconds);
	return text;
}

std::string FormatClockTime()
{
	using namespace std::chrono;
	const auto ticks = duration_cast<duration<int64_t, std::ratio<1, 10000000>>>(
		system_clock::now().time_since_epoch());
	return FormatClockTime(ticks.count());
}
