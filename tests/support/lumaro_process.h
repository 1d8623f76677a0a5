// Runs the built lumaro as a user would, with its own environment, and watches
// its window on the X server named by $DISPLAY.
#pragma once

#include <X11/Xlib.h>
#include <map>
#include <string>
#include <sys/types.h>

struct LumaroRun {
	pid_t pid = -1;
	std::string outputPath; // standard output and error together
};

// Environment changes for the child: a value of nullptr unsets the variable.
using EnvChanges = std::map<std::string, const char *>;

// Starts the program with the given environment changes and working directory
// (empty: the current one); its output goes to outputPath.
LumaroRun StartLumaro(const std::string &program, const EnvChanges &env,
		      const std::string &outputPath,
		      const std::string &workingDirectory = "");

// Waits up to timeoutSeconds for the process; returns its exit code, or -1 for a
// signal or a time-out (the process is then killed).
int WaitForExit(LumaroRun &run, double timeoutSeconds);

// The process's top-level window on the X server, found by its _NET_WM_PID,
// waited for up to timeoutSeconds; 0 when it never appears mapped.
Window WaitForTopLevelWindow(Display *display, pid_t pid, double timeoutSeconds);

// Asks the window to close the way a window manager does (WM_DELETE_WINDOW).
void SendCloseRequest(Display *display, Window window);

// Waits until every pixel of the window has the colour 0xRRGGBB (black is
// what the engine's display clears to); true when that happens in time.
bool WaitForWindowColour(Display *display, Window window, unsigned long rgb,
			 double timeoutSeconds);

// Connects to the X server named by $DISPLAY, retrying for a few seconds: a
// busy server can refuse a connection now and then. Null when it never takes.
Display *ConnectToXServer();

std::string ReadWholeFile(const std::string &path);

// Points this process's configuration directory at a fresh temporary home
// ($HOME set, XDG_CONFIG_HOME unset) and makes the folder relative (to its
// .config) with its parents. Returns the home; *folder gets the folder's path.
std::string UseFreshConfigHome(const std::string &relative, std::string *folder);

// A description turned into a test name: every character but letters and
// digits becomes '_'.
std::string TestName(std::string description);

// A fresh temporary folder, removed with its contents by RemoveTree.
std::string MakeTempDir();
void RemoveTree(const std::string &path);
