// ParseLogTimestamp on arbitrary bytes, as folder listings can hold any name:
// no crash, and whatever follows a word boundary never changes the result.
#include <cstddef>
#include <cstdint>
#include <string>

#include "run_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	const std::string name(reinterpret_cast<const char *>(data), size);
	const uint64_t timestamp = ParseLogTimestamp(name.c_str());
	if (ParseLogTimestamp((name + " copy.txt").c_str()) != timestamp &&
	    name.find('\0') == std::string::npos)
		__builtin_trap();
	return 0;
}
