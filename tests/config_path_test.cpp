// Resolving names under the user's configuration directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <util/bmem.h>
#include <util/platform.h>

#include "config_path.h"
#include "lumaro_process.h"

namespace {

const std::string kLongHome = "/" + std::string(600, 'h');

struct PathCase {
	const char *description;
	const char *home;           // null: unset
	const char *xdgConfigHome;  // null: unset
	const char *name;
	const char *expected;       // null: failure
};

void SetOrUnset(const char *variable, const char *value)
{
	if (value)
		setenv(variable, value, 1);
	else
		unsetenv(variable);
}

class ConfigPaths : public ::testing::TestWithParam<PathCase> {
};

TEST_P(ConfigPaths, ResolveOrFailCleanly)
{
	const PathCase &c = GetParam();
	SetOrUnset("HOME", c.home);
	SetOrUnset("XDG_CONFIG_HOME", c.xdgConfigHome);

	char buffer[512];
	const int length = GetConfigPath(buffer, sizeof(buffer), c.name);
	char *allocated = GetConfigPathAlloc(c.name);
	if (c.expected) {
		EXPECT_EQ(length, int(std::string(c.expected).size()));
		EXPECT_STREQ(buffer, c.expected);
		EXPECT_STREQ(allocated, c.expected);
	} else {
		EXPECT_EQ(length, 0);
		EXPECT_EQ(allocated, nullptr);
	}
	bfree(allocated);
}

INSTANTIATE_TEST_SUITE_P(
	Table, ConfigPaths,
	::testing::Values(
		PathCase{"normal", "/home/u", nullptr, "zandor/lumaro_logs/",
			 "/home/u/.config/zandor/lumaro_logs/"},
		PathCase{"xdg set", "/home/u", "/xdg", "zandor/basic/service.json",
			 "/xdg/zandor/basic/service.json"},
		PathCase{"xdg set, no home", nullptr, "/xdg", "zandor/lumaro_logs/",
			 "/xdg/zandor/lumaro_logs/"},
		PathCase{"file appended with no extra slash", "/home/u", nullptr,
			 "zandor/lumaro_logs/2015-06-09 14-03-07.txt",
			 "/home/u/.config/zandor/lumaro_logs/2015-06-09 14-03-07.txt"},
		PathCase{"no home and no xdg", nullptr, nullptr,
			 "zandor/lumaro_logs/", nullptr},
		PathCase{"empty xdg falls back to home", "/home/u", "",
			 "zandor/lumaro_logs/", "/home/u/.config/zandor/lumaro_logs/"},
		PathCase{"relative xdg falls back to home", "/home/u", "rel/config",
			 "zandor/lumaro_logs/", "/home/u/.config/zandor/lumaro_logs/"},
		PathCase{"empty xdg, no home", nullptr, "", "zandor/lumaro_logs/",
			 nullptr},
		PathCase{"relative home", "rel/home", nullptr,
			 "zandor/lumaro_logs/", nullptr},
		PathCase{"empty home", "", nullptr, "zandor/lumaro_logs/",
			 nullptr}),
	[](const ::testing::TestParamInfo<PathCase> &info) {
		return TestName(info.param.description);
	});

TEST(ConfigPaths, PathLongerThanTheBufferIsAFailureNotATruncation)
{
	setenv("HOME", kLongHome.c_str(), 1);
	unsetenv("XDG_CONFIG_HOME");
	char buffer[512];
	EXPECT_EQ(GetConfigPath(buffer, sizeof(buffer), "zandor/lumaro_logs/"), 0);

	char *allocated = GetConfigPathAlloc("zandor/lumaro_logs/");
	ASSERT_NE(allocated, nullptr);
	EXPECT_EQ(std::string(allocated),
		  kLongHome + "/.config/zandor/lumaro_logs/");
	bfree(allocated);
}

TEST(ConfigPaths, BufferBoundaryLeavesRoomForTheTerminator)
{
	unsetenv("XDG_CONFIG_HOME");
	setenv("HOME", "/h", 1);
	const std::string name(511 - std::string("/h/.config/").size(), 'n');
	char buffer[512];
	EXPECT_EQ(GetConfigPath(buffer, sizeof(buffer), name.c_str()), 511);
	EXPECT_EQ(GetConfigPath(buffer, sizeof(buffer), (name + "n").c_str()), 0);
}

TEST(ConfigPaths, SameAsTheEngineWhereTheEngineResolvesSoundly)
{
	for (const char *xdg : {static_cast<const char *>(nullptr), "/xdg"}) {
		setenv("HOME", "/home/u", 1);
		SetOrUnset("XDG_CONFIG_HOME", xdg);
		char ours[512], engines[512];
		ASSERT_GT(GetConfigPath(ours, sizeof(ours), "zandor/lumaro_logs/"), 0);
		ASSERT_GT(os_get_config_path(engines, sizeof(engines),
					     "zandor/lumaro_logs/"),
			  0);
		EXPECT_STREQ(ours, engines);
	}
}

} // namespace
