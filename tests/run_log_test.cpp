// Log file names, their timestamps, pruning and opening the run log, in real
// temporary folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <dirent.h>
#include <fstream>
#include <regex>
#include <set>
#include <sys/stat.h>
#include <util/base.h>

#include "log_handler.h"
#include "lumaro_process.h"
#include "run_log.h"

namespace {

struct TimestampCase {
	const char *name;
	uint64_t expected;
};

class LogTimestamps : public ::testing::TestWithParam<TimestampCase> {
};

TEST_P(LogTimestamps, ParseFromTheNameAlone)
{
	EXPECT_EQ(ParseLogTimestamp(GetParam().name), GetParam().expected)
		<< (GetParam().name ? GetParam().name : "(null)");
}

INSTANTIATE_TEST_SUITE_P(
	Table, LogTimestamps,
	::testing::Values(
		TimestampCase{"2015-06-09 14-03-07.txt", 20150609140307u},
		TimestampCase{"2015-6-9 4-3-7.txt", 201569437u},
		TimestampCase{"2015 - 06 - 09 14 - 03 - 07.txt", 20150609140307u},
		TimestampCase{"  2015-06-09\t14-03-07", 20150609140307u},
		TimestampCase{"2015-06-0914-03-07.txt", 0},
		TimestampCase{"2015-06-09 14-03-07.log", 20150609140307u},
		TimestampCase{"2015-06-09 14-03-07 copy.txt", 20150609140307u},
		TimestampCase{"2015-06-09 14-03-07 (2).txt", 20150609140307u},
		TimestampCase{"2015-06-09 14-03.txt", 0},
		TimestampCase{"2015-06-09 14-03-", 0},
		TimestampCase{"2015_06_09 14-03-07.txt", 0},
		TimestampCase{"x2015-06-09 14-03-07.txt", 0},
		TimestampCase{"99999999999-99-99 99-99-99.txt", 0},
		TimestampCase{"1844674407-37-09 55-16-15.txt",
			      18446744073709551615u},
		TimestampCase{"1844674407-37-09 55-16-16.txt", 0},
		TimestampCase{"0000-00-00 00-00-00.txt", 0},
		TimestampCase{"notes.txt", 0}, TimestampCase{"", 0},
		TimestampCase{nullptr, 0}));

TEST(LogFileName, IsTheLocalTimeInTheFixedForm)
{
	const time_t before = time(nullptr);
	const std::string name = MakeTimestampFileName("txt");
	EXPECT_TRUE(std::regex_match(
		name, std::regex(R"(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.txt)")))
		<< name;
	tm local;
	localtime_r(&before, &local);
	char year[16];
	snprintf(year, sizeof(year), "%d-", local.tm_year + 1900);
	EXPECT_EQ(name.rfind(year, 0), 0u) << name;
	EXPECT_NE(ParseLogTimestamp(name.c_str()), 0u);
}

// A configuration directory of its own, with the log folder in it.
class LogFolder : public ::testing::Test {
protected:
	void SetUp() override
	{
		home = UseFreshConfigHome(logDirectoryName, &folder);
		SetMaxLogFiles(10);
	}
	void TearDown() override { RemoveTree(home); }

	void AddFile(const std::string &name, const std::string &text = "old")
	{
		std::ofstream(folder + name) << text;
	}
	void AddDatedFiles(int count)
	{
		for (int i = 0; i < count; ++i) {
			char name[64];
			snprintf(name, sizeof(name),
				 "2015-06-%02d 14-03-07.txt", i + 1);
			AddFile(name);
		}
	}
	std::set<std::string> Entries() const
	{
		std::set<std::string> names;
		DIR *dir = opendir(folder.c_str());
		while (dirent *entry = dir ? readdir(dir) : nullptr)
			if (std::string(entry->d_name) != "." &&
			    std::string(entry->d_name) != "..")
				names.insert(entry->d_name);
		if (dir)
			closedir(dir);
		return names;
	}

	std::string home, folder;
};

struct PruneCase {
	int earlier;
	int remaining;
};

class Pruning : public LogFolder,
		public ::testing::WithParamInterface<PruneCase> {
};

TEST_P(Pruning, OneStartDeletesAtMostTheOldest)
{
	AddDatedFiles(GetParam().earlier);
	AddFile("2016-01-01 00-00-00.txt"); // this run's own, the newest
	PruneOldestLog(logDirectoryName);
	const auto names = Entries();
	EXPECT_EQ(int(names.size()), GetParam().remaining);
	EXPECT_EQ(names.count("2016-01-01 00-00-00.txt"), 1u);
	if (GetParam().earlier + 1 > 10) {
		EXPECT_EQ(names.count("2015-06-01 14-03-07.txt"), 0u);
	}
}

INSTANTIATE_TEST_SUITE_P(Table, Pruning,
			 ::testing::Values(PruneCase{9, 10}, PruneCase{10, 10},
					   PruneCase{15, 15}, PruneCase{0, 1}));

TEST_F(LogFolder, OtherEntriesAreNeitherCountedNorDeleted)
{
	AddDatedFiles(10);
	AddFile("notes.txt");
	AddFile(".2000-01-01 00-00-00.txt");
	AddFile(".hidden");
	mkdir((folder + "1999-01-01 00-00-00.txt").c_str(), 0755);
	AddFile("99999999999-99-99 99-99-99.txt");
	PruneOldestLog(logDirectoryName);
	// Ten dated files are not more than ten: nothing goes.
	EXPECT_EQ(Entries().size(), 15u);

	AddFile("2016-01-01 00-00-00.txt");
	PruneOldestLog(logDirectoryName);
	const auto names = Entries();
	EXPECT_EQ(names.size(), 15u);
	for (const char *kept :
	     {"notes.txt", ".2000-01-01 00-00-00.txt", ".hidden",
	      "1999-01-01 00-00-00.txt", "99999999999-99-99 99-99-99.txt"})
		EXPECT_EQ(names.count(kept), 1u) << kept;
	EXPECT_EQ(names.count("2015-06-01 14-03-07.txt"), 0u);
}

TEST_F(LogFolder, OtherExtensionsAndUnfilledFieldsCountAndGoFirst)
{
	AddDatedFiles(9);
	AddFile("2014-01-01 00-00-00.log");
	AddFile("2015-6-9 4-3-7.txt"); // the smallest number of all
	PruneOldestLog(logDirectoryName);
	EXPECT_EQ(Entries().count("2015-6-9 4-3-7.txt"), 0u);
	PruneOldestLog(logDirectoryName);
	EXPECT_EQ(Entries().count("2015-6-9 4-3-7.txt"), 0u);
	AddFile("2016-01-01 00-00-00.txt");
	PruneOldestLog(logDirectoryName);
	EXPECT_EQ(Entries().count("2014-01-01 00-00-00.log"), 0u);
	EXPECT_EQ(Entries().size(), 10u);
}

TEST_F(LogFolder, OfTwoEqualTimestampsTheFirstListedGoes)
{
	AddDatedFiles(9);
	AddFile("2000-01-01 00-00-00.txt");
	AddFile("2000-01-01 00-00-00 copy.txt");
	std::string firstListed;
	for (DIR *dir = opendir(folder.c_str()); dir; dir = nullptr) {
		while (dirent *entry = readdir(dir)) {
			if (std::string(entry->d_name).rfind("2000-", 0) == 0) {
				firstListed = entry->d_name;
				break;
			}
		}
		closedir(dir);
	}
	PruneOldestLog(logDirectoryName);
	const auto names = Entries();
	EXPECT_EQ(names.size(), 10u);
	EXPECT_EQ(names.count(firstListed), 0u) << firstListed;
}

TEST_F(LogFolder, LargestTimestampIsCountedButNeverChosen)
{
	AddDatedFiles(10);
	AddFile("1844674407-37-09 55-16-15.txt");
	PruneOldestLog(logDirectoryName);
	const auto names = Entries();
	EXPECT_EQ(names.size(), 10u);
	EXPECT_EQ(names.count("1844674407-37-09 55-16-15.txt"), 1u);
	EXPECT_EQ(names.count("2015-06-01 14-03-07.txt"), 0u);
}

TEST_F(LogFolder, MissingFolderIsLeftAlone)
{
	RemoveTree(home + "/.config");
	PruneOldestLog(logDirectoryName);
	SUCCEED();
}

std::string capturedLog;
void CaptureLog(int level, const char *format, va_list args, void *)
{
	char text[1024];
	vsnprintf(text, sizeof(text), format, args);
	capturedLog += std::to_string(level) + " " + text + "\n";
}

class OpenRunLogTest : public LogFolder {
protected:
	void SetUp() override
	{
		LogFolder::SetUp();
		capturedLog.clear();
		base_set_log_handler(CaptureLog, nullptr);
	}
};

TEST_F(OpenRunLogTest, OpensANewFileInstallsTheHandlerAndPrunes)
{
	AddDatedFiles(10);
	{
		RunLogStream stream;
		OpenRunLog(stream, logDirectoryName);
		ASSERT_TRUE(stream.is_open());
		EXPECT_TRUE(std::regex_match(
			currentLogFileName,
			std::regex(R"(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.txt)")))
			<< currentLogFileName;
		blog(LOG_INFO, "into the run log");
	}
	// The stream has ended: this must reach no file and crash nothing.
	blog(LOG_WARNING, "after the end");

	const auto names = Entries();
	EXPECT_EQ(names.size(), 10u);
	EXPECT_EQ(names.count("2015-06-01 14-03-07.txt"), 0u);
	const std::string text = ReadWholeFile(folder + currentLogFileName);
	EXPECT_NE(text.find(": into the run log\n"), std::string::npos) << text;
	EXPECT_EQ(text.find("after the end"), std::string::npos);
	EXPECT_EQ(capturedLog, "");
	base_set_log_handler(CaptureLog, nullptr);
}

TEST_F(OpenRunLogTest, NeverTakesOverAnEarlierRunsFile)
{
	// Earlier runs of this second and the next already have their files.
	const time_t now = time(nullptr);
	std::set<std::string> earlier;
	for (time_t t : {now, now + 1}) {
		tm local;
		localtime_r(&t, &local);
		char name[64];
		strftime(name, sizeof(name), "%Y-%m-%d %H-%M-%S.txt", &local);
		AddFile(name, "earlier run\n");
		earlier.insert(name);
	}
	{
		RunLogStream stream;
		OpenRunLog(stream, logDirectoryName);
		ASSERT_TRUE(stream.is_open());
		blog(LOG_INFO, "second run");
	}
	base_set_log_handler(CaptureLog, nullptr);
	EXPECT_EQ(earlier.count(currentLogFileName), 0u);
	EXPECT_TRUE(std::regex_match(currentLogFileName,
				     std::regex(R"(.* \(2\)\.txt)")))
		<< currentLogFileName;
	for (const std::string &name : earlier)
		EXPECT_EQ(ReadWholeFile(folder + name), "earlier run\n");
	EXPECT_NE(ReadWholeFile(folder + currentLogFileName).find("second run"),
		  std::string::npos);
}

TEST_F(OpenRunLogTest, MissingFolderFailsToTheHandlerInPlace)
{
	AddDatedFiles(12);
	const std::string missing = "zandor/not_there/";
	RunLogStream stream;
	OpenRunLog(stream, missing.c_str());
	EXPECT_FALSE(stream.is_open());
	EXPECT_TRUE(stream.fail());
	EXPECT_EQ(capturedLog, "100 Failed to open log file\n");
	EXPECT_EQ(Entries().size(), 12u);
	// The handler in place stays in place.
	blog(LOG_INFO, "still captured");
	EXPECT_NE(capturedLog.find("still captured"), std::string::npos);
}

} // namespace
