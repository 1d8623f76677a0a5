// Captures what this process writes to standard error (the debugger output).
#pragma once

#include <string>

class StderrCapture {
public:
	StderrCapture();
	~StderrCapture();
	// Ends the capture and returns what was written.
	std::string Finish();

private:
	int savedFd = -1;
	std::string path;
};
