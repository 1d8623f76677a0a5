// The log handler: line splitting, levels, the clock text and the cut of long
// messages.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>
#include <util/base.h>

#include "log_handler.h"
#include "lumaro_process.h"
#include "stderr_capture.h"

namespace {

const std::regex kTimePrefix(R"(^\d\d:\d\d:\d\d\.\d\d\d: )");

// Replaces each line's time text with "T" after checking that every line of
// the message carries the same one.
std::string NormaliseTimes(const std::string &text)
{
	std::istringstream lines(text);
	std::string line, result, firstTime;
	while (std::getline(lines, line)) {
		std::string level;
		for (const char *prefix : {"info: ", "warning: ", "error: "})
			if (line.rfind(prefix, 0) == 0)
				level = prefix;
		line.erase(0, level.size());
		std::smatch match;
		if (!std::regex_search(line, match, kTimePrefix))
			return "malformed line: " + line;
		const std::string time = match.str(0);
		if (firstTime.empty())
			firstTime = time;
		else if (time != firstTime)
			return "time differs within a message";
		result += level + "T: " + line.substr(time.size()) + "\n";
	}
	return result;
}

struct LinesCase {
	const char *text;
	const char *expected;
};

class LogLines : public ::testing::TestWithParam<LinesCase> {
};

TEST_P(LogLines, SplitAtNewlinesDroppingOnlyTheCarriageReturnBeforeThem)
{
	std::string text = GetParam().text;
	std::ostringstream stream;
	WriteLogLines(stream, &text[0]);
	EXPECT_EQ(NormaliseTimes(stream.str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
	Table, LogLines,
	::testing::Values(LinesCase{"a\nb", "T: a\nT: b\n"},
			  LinesCase{"a\r\nb", "T: a\nT: b\n"},
			  LinesCase{"a\rb", "T: a\rb\n"},
			  LinesCase{"a\n", "T: a\nT: \n"},
			  LinesCase{"", "T: \n"},
			  LinesCase{"\nb", "T: \nT: b\n"},
			  LinesCase{"\na\nb", "T: \nT: a\nT: b\n"},
			  LinesCase{"a\n\nb", "T: a\nT: \nT: b\n"},
			  LinesCase{"\r\n", "T: \nT: \n"},
			  LinesCase{"a\r\r\nb\r", "T: a\r\nT: b\r\n"}));

// The handler's parameter is the stream's output side, as the run log hands it.
void Log(std::ostream *param, int level, const char *format, ...)
{
	va_list args;
	va_start(args, format);
	WriteLogMessage(level, format, args, param);
	va_end(args);
}

struct LevelCase {
	int level;
	const char *fileText; // null: nothing reaches the file
};

class LogLevels : public ::testing::TestWithParam<LevelCase> {
};

TEST_P(LogLevels, EveryLevelReachesTheDebuggerOnlyKnownOnesTheFile)
{
	std::stringstream stream;
	AttachRunLog(stream);
	StderrCapture debugger;
	Log(&stream, GetParam().level, "message %d", 7);
	EXPECT_EQ(debugger.Finish(), "message 7\n");
	DetachRunLog(stream);
	if (GetParam().fileText) {
		EXPECT_EQ(NormaliseTimes(stream.str()), GetParam().fileText);
	} else {
		EXPECT_EQ(stream.str(), "");
	}
}

INSTANTIATE_TEST_SUITE_P(
	Table, LogLevels,
	::testing::Values(LevelCase{LOG_INFO, "info: T: message 7\n"},
			  LevelCase{LOG_WARNING, "warning: T: message 7\n"},
			  LevelCase{LOG_ERROR, "error: T: message 7\n"},
			  LevelCase{LOG_DEBUG, nullptr}, LevelCase{150, nullptr},
			  LevelCase{250, nullptr}, LevelCase{50, nullptr},
			  LevelCase{301, nullptr}, LevelCase{-1, nullptr}));

TEST(LogHandler, MultiLineMessageHasOneLevelPrefixAndOneTime)
{
	std::stringstream stream;
	AttachRunLog(stream);
	StderrCapture debugger;
	Log(&stream, LOG_INFO, "%s\n%s", "Loading module", "done");
	EXPECT_EQ(debugger.Finish(), "Loading module\ndone\n");
	DetachRunLog(stream);
	EXPECT_EQ(NormaliseTimes(stream.str()),
		  "info: T: Loading module\nT: done\n");
}

TEST(LogHandler, LongMessageIsCutTo5119BytesEverywhere)
{
	const std::string message(6000, 'x');
	std::stringstream stream;
	AttachRunLog(stream);
	StderrCapture debugger;
	Log(&stream, LOG_WARNING, "%s", message.c_str());
	EXPECT_EQ(debugger.Finish(), message.substr(0, 5119) + "\n");
	DetachRunLog(stream);
	EXPECT_EQ(NormaliseTimes(stream.str()),
		  "warning: T: " + message.substr(0, 5119) + "\n");
}

TEST(LogHandler, OnlyTheAttachedStreamIsWritten)
{
	std::stringstream attached, other;
	AttachRunLog(attached);
	StderrCapture debugger;
	Log(&other, LOG_INFO, "to another stream");
	Log(nullptr, LOG_INFO, "to no stream");
	DetachRunLog(attached);
	Log(&attached, LOG_ERROR, "after the end");
	// The debugger output still gets every message.
	EXPECT_EQ(debugger.Finish(),
		  "to another stream\nto no stream\nafter the end\n");
	EXPECT_EQ(attached.str(), "");
	EXPECT_EQ(other.str(), "");
}

TEST(LogHandler, FailingWritesSetTheErrorStateAndReturnNormally)
{
	std::fstream full("/dev/full", std::ios::in | std::ios::out);
	ASSERT_TRUE(full.is_open());
	AttachRunLog(full);
	StderrCapture debugger;
	Log(&full, LOG_ERROR, "disk full");
	Log(&full, LOG_INFO, "still running");
	EXPECT_EQ(debugger.Finish(), "disk full\nstill running\n");
	EXPECT_TRUE(full.bad());
	DetachRunLog(full);
}

struct ClockCase {
	int64_t ticks; // 100 ns since the epoch, in UTC
	const char *expected;
};

class ClockText : public ::testing::TestWithParam<ClockCase> {
protected:
	void SetUp() override
	{
		setenv("TZ", "UTC", 1);
		tzset();
	}
};

TEST_P(ClockText, IsTwentyFourHourTimeWithZeroFilledMilliseconds)
{
	EXPECT_EQ(FormatClockTime(GetParam().ticks), GetParam().expected);
}

constexpr int64_t kSecond = 10000000;
constexpr int64_t kMillisecond = 10000;

INSTANTIATE_TEST_SUITE_P(
	Table, ClockText,
	::testing::Values(
		ClockCase{0, "00:00:00.000"},
		ClockCase{(14 * 3600 + 3 * 60 + 7) * kSecond + 42 * kMillisecond,
			  "14:03:07.042"},
		ClockCase{7 * kMillisecond, "00:00:00.007"},
		ClockCase{19 * 3600 * kSecond + 999 * kMillisecond + 9999,
			  "19:00:00.999"},
		ClockCase{(23 * 3600 + 59 * 60 + 59) * kSecond, "23:59:59.000"}));

TEST(ClockTextUnderUserLocale, StaysTwentyFourHourWhateverLcTime)
{
	// A locale whose "%X" is 12-hour, made without installing anything.
	const std::string dir = MakeTempDir();
	const std::string command = "localedef -i en_US -f UTF-8 '" + dir +
				    "/en_US.UTF-8' >/dev/null 2>&1";
	ASSERT_EQ(std::system(command.c_str()), 0);
	setenv("LOCPATH", dir.c_str(), 1);
	setenv("TZ", "UTC", 1);
	tzset();
	ASSERT_NE(std::setlocale(LC_ALL, "en_US.UTF-8"), nullptr);

	const time_t evening = 19 * 3600 + 5 * 60 + 9;
	tm local;
	gmtime_r(&evening, &local);
	char localeText[64];
	strftime(localeText, sizeof(localeText), "%X", &local);
	EXPECT_STREQ(localeText, "07:05:09 PM") << "the locale is not in effect";

	EXPECT_EQ(FormatClockTime(int64_t(evening) * kSecond), "19:05:09.000");
	std::setlocale(LC_ALL, "C");
	unsetenv("LOCPATH");
	RemoveTree(dir);
}

} // namespace
