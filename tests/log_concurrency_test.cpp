// Eight engine threads logging at once through the real engine into a real
// run log: every line whole, every message's lines together, none missing.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <map>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <util/base.h>
#include <vector>

#include "lumaro_process.h"
#include "run_log.h"

namespace {

constexpr int kThreads = 8;
constexpr int kMessages = 10000;

// Message i of a thread has 1 + i % 3 lines.
int LineCount(int message)
{
	return 1 + message % 3;
}

TEST(LogConcurrency, EightThreadsKeepEveryMessageWholeAndTogether)
{
	std::string folder;
	const std::string home = UseFreshConfigHome(logDirectoryName, &folder);

	// The debugger output of 80,000 messages is not what is tested here.
	const int savedStderr = dup(STDERR_FILENO);
	const int devNull = open("/dev/null", O_WRONLY);
	dup2(devNull, STDERR_FILENO);
	close(devNull);
	{
		RunLogStream runLog;
		SetMaxLogFiles(10);
		OpenRunLog(runLog, logDirectoryName);
		ASSERT_TRUE(runLog.is_open());

		std::vector<std::thread> threads;
		for (int t = 0; t < kThreads; ++t)
			threads.emplace_back([t]() {
				for (int i = 0; i < kMessages; ++i) {
					const int lines = LineCount(i);
					if (lines == 1)
						blog(LOG_INFO, "t%d m%d l0", t, i);
					else if (lines == 2)
						blog(LOG_WARNING, "t%d m%d l0\nt%d m%d l1", t, i, t, i);
					else
						blog(LOG_ERROR, "t%d m%d l0\r\nt%d m%d l1\nt%d m%d l2",
						     t, i, t, i, t, i);
				}
			});
		for (std::thread &thread : threads)
			thread.join();
	}
	dup2(savedStderr, STDERR_FILENO);
	close(savedStderr);

	const std::string text = ReadWholeFile(folder + currentLogFileName);
	ASSERT_GT(text.size(), 0u) << folder + currentLogFileName;
	std::istringstream file(text);
	const std::regex first(
		R"((info|warning|error): \d\d:\d\d:\d\d\.\d{3}: t(\d+) m(\d+) l0)");
	const std::regex next(R"(\d\d:\d\d:\d\d\.\d{3}: t(\d+) m(\d+) l(\d+))");
	std::vector<std::vector<bool>> seen(kThreads,
					    std::vector<bool>(kMessages, false));
	std::vector<int> nextMessage(kThreads, 0);
	std::string line;
	int open = -1, openMessage = -1, expectedLine = 0, lineNumber = 0;
	std::smatch match;
	while (std::getline(file, line)) {
		++lineNumber;
		if (std::regex_match(line, match, first)) {
			ASSERT_EQ(expectedLine, 0)
				<< "message cut short before line " << lineNumber;
			open = std::stoi(match[2]);
			openMessage = std::stoi(match[3]);
			ASSERT_LT(open, kThreads);
			ASSERT_EQ(openMessage, nextMessage[open])
				<< "messages of one thread out of order";
			++nextMessage[open];
			seen[open][openMessage] = true;
			expectedLine = LineCount(openMessage) > 1 ? 1 : 0;
		} else if (std::regex_match(line, match, next)) {
			ASSERT_EQ(std::stoi(match[1]), open)
				<< "foreign line inside a message at " << lineNumber;
			ASSERT_EQ(std::stoi(match[2]), openMessage);
			ASSERT_EQ(std::stoi(match[3]), expectedLine);
			expectedLine = expectedLine + 1 < LineCount(openMessage)
					       ? expectedLine + 1
					       : 0;
		} else {
			// Lines the engine logs on its own are whole lines too.
			ASSERT_TRUE(std::regex_search(
				line, std::regex(R"(^((info|warning|error): )?\d\d:\d\d:\d\d\.\d{3}: )")))
				<< "torn line " << lineNumber << ": " << line;
		}
	}
	EXPECT_EQ(expectedLine, 0);
	for (int t = 0; t < kThreads; ++t)
		EXPECT_EQ(nextMessage[t], kMessages) << "thread " << t;
	RemoveTree(home);
}

} // namespace
