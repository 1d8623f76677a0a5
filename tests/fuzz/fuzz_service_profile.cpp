// The streaming service profile loader on arbitrary file contents, through the
// real engine's JSON parsing and the test module's service types.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <util/base.h>
#include <util/platform.h>

#include "engine_fixture.h"
#include "lumaro_process.h"
#include "streaming_service.h"

namespace {
std::string profilePath;

void Quiet(int, const char *, va_list, void *) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	std::string basic;
	UseFreshConfigHome("zandor/basic", &basic);
	profilePath = basic + "/service.json";

	StartTestEngine(EngineVideo::Skipped);
	obs_module_t *module = nullptr;
	if (obs_open_module(&module, LUMARO_TEST_MODULE, "") != MODULE_SUCCESS ||
	    !obs_init_module(module)) {
		fprintf(stderr, "cannot load %s\n", LUMARO_TEST_MODULE);
		abort();
	}
	base_set_log_handler(Quiet, nullptr);
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	std::ofstream(profilePath, std::ios::binary | std::ios::trunc)
		.write(reinterpret_cast<const char *>(data), std::streamsize(size));
	const bool loaded = LoadStreamingService();
	if (loaded != (activeService != nullptr))
		__builtin_trap();
	activeService = nullptr;
	return 0;
}
