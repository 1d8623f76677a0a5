// The streaming service made from the shared profile, on the real engine with
// the test module's service types.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <mutex>
#include <obs-module.h>
#include <obs.h>
#include <string>
#include <util/base.h>
#include <util/bmem.h>
#include <util/platform.h>

#include "engine_fixture.h"
#include "lumaro_process.h"
#include "run_once.h"
#include "streaming_service.h"

namespace {

std::mutex logMutex;
std::string engineLog;

void CaptureLog(int, const char *format, va_list args, void *)
{
	char text[8192];
	vsnprintf(text, sizeof(text), format, args);
	std::lock_guard<std::mutex> lock(logMutex);
	engineLog += text;
	engineLog += '\n';
}

std::string TakeLog()
{
	std::lock_guard<std::mutex> lock(logMutex);
	std::string text;
	text.swap(engineLog);
	return text;
}

struct ProfileCase {
	const char *description;
	const char *profile; // null: no file
	bool loaded;
	const char *reported; // what the module must report at creation, or null
};

class StreamingService : public ::testing::TestWithParam<ProfileCase> {
protected:
	void SetUp() override
	{
		home = UseFreshConfigHome("zandor/basic", &folder);
		TakeLog();
	}
	void TearDown() override
	{
		activeService = nullptr;
		RemoveTree(home);
	}
	void WriteProfile(const char *text)
	{
		std::ofstream(folder + "/service.json", std::ios::binary) << text;
	}

	std::string home, folder;
};

TEST_P(StreamingService, LoadsWhatTheProfileSaysOrNothing)
{
	const ProfileCase &c = GetParam();
	if (c.profile)
		WriteProfile(c.profile);
	const long allocationsBefore = bnum_allocs();

	EXPECT_EQ(LoadStreamingService(), c.loaded);
	EXPECT_EQ(activeService != nullptr, c.loaded);
	const std::string log = TakeLog();
	if (c.reported) {
		EXPECT_NE(log.find(c.reported), std::string::npos) << log;
	}
	if (!c.loaded) {
		EXPECT_EQ(log.find("lumaro-test-services: create"),
			  std::string::npos)
			<< log;
	}

	if (c.loaded) {
		EXPECT_STREQ(obs_service_get_name(activeService),
			     "default_service");
		// The holder has the only reference: once it lets go, the
		// service is gone.
		obs_weak_service_t *weak =
			obs_service_get_weak_service(activeService);
		activeService = nullptr;
		obs_service_t *strong = obs_weak_service_get_service(weak);
		EXPECT_EQ(strong, nullptr);
		obs_service_release(strong);
		obs_weak_service_release(weak);
		EXPECT_EQ(CountOccurrences(TakeLog(),
					   "lumaro-test-services: destroy "
					   "name=default_service"),
			  1);
	}
	// The profile's text and data objects were all released.
	EXPECT_EQ(bnum_allocs(), allocationsBefore);
}

INSTANTIATE_TEST_SUITE_P(
	Table, StreamingService,
	::testing::Values(
		ProfileCase{"full profile",
			    R"({"type": "lumaro_test_service",
			        "settings": {"server": "rtmp://example/live", "key": "k1"},
			        "hotkeys": {"lumaro_test_hotkey": [{"key": "OBS_KEY_F5"}]},
			        "ignored": true})",
			    true,
			    R"(create type=lumaro_test_service name=default_service settings={"key":"k1","server":"rtmp://example/live"} hotkeys={"lumaro_test_hotkey":[{"key":"OBS_KEY_F5"}]})"},
		ProfileCase{"empty object", "{}", true,
			    "create type=rtmp_common name=default_service settings={} hotkeys={"},
		ProfileCase{"no file", nullptr, false, nullptr},
		ProfileCase{"empty file", "", false, nullptr},
		ProfileCase{"not json", "type=rtmp_common\n", false, nullptr},
		ProfileCase{"top level array read as empty", "[1, 2, 3]", true,
			    "create type=rtmp_common name=default_service settings={}"},
		ProfileCase{"json null", "null", false, nullptr},
		ProfileCase{"wrong types", R"({"type": 5, "settings": "x", "hotkeys": [1]})",
			    false, nullptr},
		ProfileCase{"settings not an object",
			    R"({"type": "rtmp_common", "settings": 7, "hotkeys": "h"})",
			    true, "create type=rtmp_common name=default_service settings={}"},
		ProfileCase{"type no module provides", R"({"type": "no_such_service"})",
			    false, nullptr}),
	[](const ::testing::TestParamInfo<ProfileCase> &info) {
		return TestName(info.param.description);
	});

TEST(StreamingServiceHolder, ReplacingTakesTheNewReferenceFirst)
{
	obs_service_t *first = obs_service_create("rtmp_common", "first",
						  nullptr, nullptr);
	ASSERT_NE(first, nullptr);
	activeService = first;
	obs_service_release(first);
	// Assigning the held service again must not drop it on the way.
	activeService = activeService.Get();
	EXPECT_STREQ(obs_service_get_name(activeService), "first");
	activeService = nullptr;
}

} // namespace

int main(int argc, char **argv)
{
	StartTestEngine(EngineVideo::Skipped);
	base_set_log_handler(CaptureLog, nullptr);
	obs_module_t *module = nullptr;
	if (obs_open_module(&module, LUMARO_TEST_MODULE, "") != MODULE_SUCCESS ||
	    !obs_init_module(module)) {
		fprintf(stderr, "cannot load %s\n", LUMARO_TEST_MODULE);
		return 1;
	}
	// The engine keeps some allocations of its own from the first service and
	// hotkey on; make them before the tests count allocations.
	obs_data_t *hotkeys = obs_data_create_from_json(
		R"({"lumaro_test_hotkey": [{"key": "OBS_KEY_F1"}]})");
	obs_service_release(obs_service_create("lumaro_test_service", "warm-up",
					       nullptr, hotkeys));
	obs_data_release(hotkeys);
	TakeLog();

	::testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}
