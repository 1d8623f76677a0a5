// The log handler with arbitrary text at arbitrary levels, writing to an
// attached in-memory run log.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <unistd.h>

#include "log_handler.h"

namespace {
void Log(std::ostream *stream, int level, const char *format, ...)
{
	va_list args;
	va_start(args, format);
	WriteLogMessage(level, format, args, stream);
	va_end(args);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	int level = 0;
	if (size >= sizeof(level)) {
		std::memcpy(&level, data, sizeof(level));
		data += sizeof(level);
		size -= sizeof(level);
	}
	const std::string text(reinterpret_cast<const char *>(data), size);

	std::ostringstream runLog;
	AttachRunLog(runLog);
	// The debugger output of every input is noise here.
	const int savedStderr = dup(STDERR_FILENO);
	const int devNull = open("/dev/null", O_WRONLY);
	dup2(devNull, STDERR_FILENO);
	Log(&runLog, level, "%s", text.c_str());
	dup2(savedStderr, STDERR_FILENO);
	close(devNull);
	close(savedStderr);
	DetachRunLog(runLog);

	const bool written = level == 100 || level == 200 || level == 300;
	if (written != !runLog.str().empty())
		__builtin_trap();
	return 0;
}
