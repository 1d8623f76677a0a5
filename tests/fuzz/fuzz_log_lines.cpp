// WriteLogLines on arbitrary text into an in-memory stream: every byte but the
// split points reaches the stream, and every line ends with a newline.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <sstream>
#include <string>

#include "log_handler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	std::string text(reinterpret_cast<const char *>(data), size);
	text = text.substr(0, text.find('\0'));
	const size_t newlines = std::count(text.begin(), text.end(), '\n');
	std::string buffer = text;
	std::ostringstream stream;
	WriteLogLines(stream, &buffer[0]);
	const std::string written = stream.str();
	if (written.empty() || written.back() != '\n' ||
	    size_t(std::count(written.begin(), written.end(), '\n')) != newlines + 1)
		__builtin_trap();
	return 0;
}
