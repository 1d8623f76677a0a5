// Start-up of the real lumaro: the log folder, its two failure messages and
// the streaming service, each run ending with the window closed as a user does.
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "run_once.h"

namespace {

bool IsDirectory(const std::string &path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

class StartupEndToEnd : public ::testing::Test {
protected:
	void SetUp() override
	{
		root = MakeTempDir();
		ASSERT_FALSE(root.empty());
	}
	void TearDown() override { RemoveTree(root); }
	RunResult Run(const EnvChanges &env, const std::string &cwd = "")
	{
		return RunLumaroOnce(env, root + "/output.txt", cwd);
	}
	std::string root;
};

const char *const kGetConfigPathMessage =
	"\"GetConfigPath:\" zandor/lumaro_logs/ error!";
const char *const kMkdirMessage = "\"do_mkdir:\" zandor/lumaro_logs/ error!";

TEST_F(StartupEndToEnd, CreatesTheLogFolderWithItsParents)
{
	const std::string config = root + "/fresh/config";
	RunResult run = Run({{"XDG_CONFIG_HOME", config.c_str()}});
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_TRUE(IsDirectory(config + "/zandor/lumaro_logs"));
	EXPECT_EQ(run.output.find("error!"), std::string::npos) << run.output;
}

struct UnresolvableCase {
	const char *home;
	const char *xdg;
};

class UnresolvableDirectory
	: public StartupEndToEnd,
	  public ::testing::WithParamInterface<UnresolvableCase> {
};

TEST_P(UnresolvableDirectory, OneCriticalMessageAndTheWindowStillShows)
{
	RunResult run = Run({{"HOME", GetParam().home},
			     {"XDG_CONFIG_HOME", GetParam().xdg}});
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_EQ(CountOccurrences(run.output, kGetConfigPathMessage), 1)
		<< run.output;
	EXPECT_EQ(run.output.find("do_mkdir:"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Environments, UnresolvableDirectory,
			 ::testing::Values(UnresolvableCase{nullptr, nullptr},
					   UnresolvableCase{nullptr, ""},
					   UnresolvableCase{"relative", "also/relative"}));

TEST_F(StartupEndToEnd, UncreatableFolderGivesTheMkdirMessage)
{
	// "zandor" is a file, so no folder can be made under it (even as root).
	const std::string config = root + "/config";
	mkdir(config.c_str(), 0755);
	std::ofstream(config + "/zandor") << "not a folder";

	RunResult run = Run({{"XDG_CONFIG_HOME", config.c_str()}});
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_EQ(CountOccurrences(run.output, kMkdirMessage), 1) << run.output;
	EXPECT_EQ(run.output.find("GetConfigPath:"), std::string::npos);
}

class ServiceEndToEnd : public StartupEndToEnd {
protected:
	RunResult RunWithProfile(const char *profile)
	{
		const std::string config = root + "/config";
		const std::string basic = config + "/zandor/basic";
		mkdir(config.c_str(), 0755);
		mkdir((config + "/zandor").c_str(), 0755);
		mkdir(basic.c_str(), 0755);
		if (profile)
			std::ofstream(basic + "/service.json") << profile;
		// Run where the engine finds the test module among its
		// default module locations.
		return Run({{"XDG_CONFIG_HOME", config.c_str()}},
			   LUMARO_MODULE_WORKING_DIRECTORY);
	}
};

TEST_F(ServiceEndToEnd, ProfileReachesTheEngineAndIsReleasedOnceAtExit)
{
	RunResult run = RunWithProfile(
		R"({"type": "lumaro_test_service",
		    "settings": {"server": "rtmp://example/live"},
		    "hotkeys": {"lumaro_test_hotkey": [{"key": "OBS_KEY_F9"}]}})");
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_EQ(CountOccurrences(
			  run.output,
			  R"(create type=lumaro_test_service name=default_service settings={"server":"rtmp://example/live"} hotkeys={"lumaro_test_hotkey":[{"key":"OBS_KEY_F9"}]})"),
		  1)
		<< run.output;
	EXPECT_EQ(CountOccurrences(run.output, "lumaro-test-services: destroy "
					       "name=default_service"),
		  1)
		<< run.output;
}

TEST_F(ServiceEndToEnd, EmptyProfileAsksForTheCommonRtmpService)
{
	RunResult run = RunWithProfile("{}");
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_EQ(CountOccurrences(run.output, "create type=rtmp_common "
					       "name=default_service settings={}"),
		  1)
		<< run.output;
	EXPECT_EQ(CountOccurrences(run.output, "lumaro-test-services: destroy"),
		  1);
}

TEST_F(ServiceEndToEnd, BadProfilesStartWithoutServiceOrMessage)
{
	for (const char *profile :
	     {static_cast<const char *>(nullptr), "{ not json", R"({"type": 1})",
	      R"({"type": "no_such_service"})"}) {
		RunResult run = RunWithProfile(profile);
		const char *shown = profile ? profile : "(no file)";
		EXPECT_TRUE(run.windowShown) << shown << "\n" << run.output;
		EXPECT_EQ(run.exitCode, 0) << shown << "\n" << run.output;
		EXPECT_EQ(run.output.find("lumaro-test-services: create"),
			  std::string::npos)
			<< shown;
		EXPECT_EQ(run.output.find("lumaro-test-services: destroy"),
			  std::string::npos)
			<< shown;
		EXPECT_EQ(run.output.find("error!"), std::string::npos) << shown;
	}
}

} // namespace
