// The run log: one file per run in the log folder, named after the local start
// time, with the oldest dated file deleted once there are too many.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

// The log folder, relative to the user's configuration directory.
extern const char *const logDirectoryName;
// How many dated log files the folder keeps; 0 until set.
extern uint32_t maxLogFiles;
// This run's log file name; empty until the run log is opened.
extern std::string currentLogFileName;

// The run log stream. Ending it detaches it from the log handler first, so
// that no engine thread writes to it afterwards.
class RunLogStream : public std::fstream {
public:
	RunLogStream() = default;
	~RunLogStream() override;
};

void SetMaxLogFiles(uint32_t count);

// "YYYY-MM-DD HH-MM-SS.<extension>" for the current local time.
std::string MakeTimestampFileName(const char *extension);

// The digits of a log file name's date and time as one number
// (2015-06-09 14-03-07.txt gives 20150609140307); 0 for any other name.
uint64_t ParseLogTimestamp(const char *name);

// Deletes the oldest dated file in folder when it holds more than maxLogFiles.
void PruneOldestLog(const char *folder);

// Opens stream on a new log file in folder (relative), prunes the folder and
// installs the log handler. Failure shows in the stream's state.
void OpenRunLog(RunLogStream &stream, const char *folder);
