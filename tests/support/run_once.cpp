#include "run_once.h"

#include <csignal>
#include <cstdio>

RunResult RunLumaroOnce(const EnvChanges &env, const std::string &outputPath,
			const std::string &workingDirectory)
{
	RunResult result;
	Display *display = ConnectToXServer();
	if (!display)
		fprintf(stderr, "cannot open the X display\n");
	LumaroRun run =
		StartLumaro(LUMARO_PROGRAM, env, outputPath, workingDirectory);
	Window window =
		display ? WaitForTopLevelWindow(display, run.pid, 60) : 0;
	result.windowShown = window != 0;
	if (window)
		SendCloseRequest(display, window);
	else
		kill(run.pid, SIGTERM);
	result.exitCode = WaitForExit(run, 60);
	result.output = ReadWholeFile(outputPath);
	if (display)
		XCloseDisplay(display);
	return result;
}

int CountOccurrences(const std::string &text, const std::string &needle)
{
	int count = 0;
	for (size_t at = text.find(needle); at != std::string::npos;
	     at = text.find(needle, at + needle.size()))
		++count;
	return count;
}
