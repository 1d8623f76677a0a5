// The run log of the real lumaro: what a run leaves, two runs at once, folders
// that cannot take a log, a full disk, pruning and the user's locale.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "run_once.h"

namespace {

const std::regex kLogLine(
	R"(^((info|warning|error): )?\d\d:\d\d:\d\d\.\d{3}: .*$)");

std::vector<std::string> LogFiles(const std::string &folder)
{
	std::vector<std::string> names;
	DIR *dir = opendir(folder.c_str());
	while (dirent *entry = dir ? readdir(dir) : nullptr)
		if (std::regex_match(entry->d_name, std::regex(R"(\d{4}-.*\.txt)")))
			names.push_back(entry->d_name);
	if (dir)
		closedir(dir);
	return names;
}

// Every line has the level and time prefixes or the time prefix alone.
std::string FirstMalformedLine(const std::string &text)
{
	std::istringstream lines(text);
	std::string line;
	while (std::getline(lines, line))
		if (!std::regex_match(line, kLogLine))
			return line;
	return std::string();
}

class LogEndToEnd : public ::testing::Test {
protected:
	void SetUp() override
	{
		root = MakeTempDir();
		config = root + "/config";
		folder = config + "/zandor/lumaro_logs";
		ASSERT_EQ(std::system(("mkdir -p '" + folder + "' '" + config +
				       "/zandor/basic'")
					      .c_str()),
			  0);
	}
	void TearDown() override
	{
		if (!mounted.empty())
			umount(mounted.c_str());
		RemoveTree(root);
	}
	RunResult Run(const EnvChanges &extra = {})
	{
		EnvChanges env = extra;
		env["XDG_CONFIG_HOME"] = config.c_str();
		return RunLumaroOnce(env, root + "/output.txt",
				     LUMARO_MODULE_WORKING_DIRECTORY);
	}
	std::string root, config, folder, mounted;
};

TEST_F(LogEndToEnd, ARunLeavesItsWholeLog)
{
	// A service whose release at exit logs after the log has ended.
	std::ofstream(config + "/zandor/basic/service.json") << "{}";
	RunResult run = Run();
	EXPECT_EQ(run.exitCode, 0);
	const auto files = LogFiles(folder);
	ASSERT_EQ(files.size(), 1u);
	const std::string log = ReadWholeFile(folder + "/" + files[0]);

	EXPECT_EQ(FirstMalformedLine(log), "");
	for (const char *expected :
	     {"info: ", ": video settings reset:\n", ": \tbase resolution:   1920x1080\n",
	      ": \tYUV mode:          Rec. 709/Partial\n",
	      ": audio settings reset:\n", ": \tsamples per sec: 44100\n",
	      "warning: ", ": Tried to call obs_startup more than once\n",
	      ": lumaro-test-services: create type=rtmp_common"})
		EXPECT_NE(log.find(expected), std::string::npos)
			<< "missing: " << expected << "\n"
			<< log;
	// Released at exit, after the log ended: only the debugger output has it.
	EXPECT_EQ(log.find("lumaro-test-services: destroy"), std::string::npos);
	EXPECT_EQ(CountOccurrences(run.output, "lumaro-test-services: destroy"), 1);
}

TEST_F(LogEndToEnd, TwoRunsAtOnceLeaveTwoCompleteLogs)
{
	Display *display = ConnectToXServer();
	ASSERT_NE(display, nullptr);
	EnvChanges env{{"XDG_CONFIG_HOME", config.c_str()}};
	LumaroRun first = StartLumaro(LUMARO_PROGRAM, env, root + "/one.txt");
	LumaroRun second = StartLumaro(LUMARO_PROGRAM, env, root + "/two.txt");
	for (LumaroRun *run : {&first, &second}) {
		Window window = WaitForTopLevelWindow(display, run->pid, 60);
		ASSERT_NE(window, 0u);
		SendCloseRequest(display, window);
		EXPECT_EQ(WaitForExit(*run, 60), 0);
	}
	XCloseDisplay(display);

	const auto files = LogFiles(folder);
	ASSERT_EQ(files.size(), 2u);
	for (const std::string &name : files) {
		const std::string log = ReadWholeFile(folder + "/" + name);
		EXPECT_EQ(CountOccurrences(log, ": CPU Name:"), 1) << name;
		EXPECT_EQ(CountOccurrences(log, ": audio settings reset:"), 1)
			<< name;
		EXPECT_EQ(FirstMalformedLine(log), "") << name;
	}
}

TEST_F(LogEndToEnd, FolderThatCannotBeMadeReportsOnTheEnginesHandler)
{
	RemoveTree(config + "/zandor");
	std::ofstream(config + "/zandor") << "a file where the folder goes";
	RunResult run = Run();
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_EQ(CountOccurrences(run.output, "Failed to open log file"), 1)
		<< run.output;
}

TEST_F(LogEndToEnd, FolderThatCannotBeWrittenReportsOnTheEnginesHandler)
{
	if (geteuid() == 0) {
		// Permissions do not stop root: a read-only file system does.
		ASSERT_EQ(mount("tmpfs", folder.c_str(), "tmpfs", MS_RDONLY,
				"size=64k"),
			  0);
		mounted = folder;
	} else {
		chmod(folder.c_str(), 0555);
	}
	RunResult run = Run();
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0);
	EXPECT_EQ(CountOccurrences(run.output, "Failed to open log file"), 1)
		<< run.output;
	EXPECT_TRUE(LogFiles(folder).empty());
}

TEST_F(LogEndToEnd, FullDiskLeavesTheProgramRunning)
{
	if (geteuid() != 0)
		GTEST_SKIP() << "mounting a tiny file system needs root";
	ASSERT_EQ(mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=8k"), 0);
	mounted = folder;
	// Fill it, leaving room for the log file's name but not its lines.
	std::ofstream(folder + "/filler", std::ios::binary)
		<< std::string(4097, 'f');

	RunResult run = Run();
	EXPECT_TRUE(run.windowShown);
	EXPECT_EQ(run.exitCode, 0) << run.output;
	const auto files = LogFiles(folder);
	ASSERT_EQ(files.size(), 1u);
	EXPECT_LT(ReadWholeFile(folder + "/" + files[0]).size(), 4096u);
	// The debugger output still has everything.
	EXPECT_NE(run.output.find("audio settings reset"), std::string::npos);
}

TEST_F(LogEndToEnd, TenEarlierLogsStayTen)
{
	for (int day = 1; day <= 10; ++day) {
		char name[64];
		snprintf(name, sizeof(name), "/2015-06-%02d 14-03-07.txt", day);
		std::ofstream(folder + name) << "earlier\n";
	}
	RunResult run = Run();
	EXPECT_EQ(run.exitCode, 0);
	const auto files = LogFiles(folder);
	EXPECT_EQ(files.size(), 10u);
	for (const std::string &name : files)
		EXPECT_NE(name, "2015-06-01 14-03-07.txt");
}

TEST_F(LogEndToEnd, TimesStayTwentyFourHourUnderTheUsersLocale)
{
	const std::string locales = root + "/locales";
	mkdir(locales.c_str(), 0755);
	ASSERT_EQ(std::system(("localedef -i en_US -f UTF-8 '" + locales +
			       "/en_US.UTF-8' >/dev/null 2>&1")
				      .c_str()),
		  0);
	// Twelve hours from now the hour differs between the two forms.
	RunResult run = Run({{"LOCPATH", locales.c_str()},
			     {"LC_ALL", "en_US.UTF-8"},
			     {"TZ", "UTC+12"}});
	EXPECT_EQ(run.exitCode, 0) << run.output;
	const auto files = LogFiles(folder);
	ASSERT_EQ(files.size(), 1u);
	const std::string log = ReadWholeFile(folder + "/" + files[0]);
	EXPECT_EQ(FirstMalformedLine(log), "");
	EXPECT_FALSE(std::regex_search(log, std::regex(R"(\d\d:\d\d [AP]M)")));
}

} // namespace
