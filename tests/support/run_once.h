// One whole run of lumaro: start, wait for its window, close it as a user does.
#pragma once

#include <string>

#include "lumaro_process.h"

struct RunResult {
	int exitCode = -1;
	bool windowShown = false;
	std::string output; // everything it wrote to standard output and error
};

// Runs lumaro with env changes and working directory (empty: the current one),
// its output in outputPath, and closes it with WM_DELETE_WINDOW once shown.
RunResult RunLumaroOnce(const EnvChanges &env, const std::string &outputPath,
			const std::string &workingDirectory = "");

// How often needle occurs in text.
int CountOccurrences(const std::string &text, const std::string &needle);
