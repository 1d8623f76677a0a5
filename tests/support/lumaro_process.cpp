#include "lumaro_process.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

bool Expired(Clock::time_point start, double seconds)
{
	return std::chrono::duration<double>(Clock::now() - start).count() >
	       seconds;
}

void Pause()
{
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

bool WindowPid(Display *display, Window window, pid_t *pid)
{
	Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
	if (pidAtom == None)
		return false;
	Atom type;
	int format;
	unsigned long count, after;
	unsigned char *data = nullptr;
	if (XGetWindowProperty(display, window, pidAtom, 0, 1, False,
			       XA_CARDINAL, &type, &format, &count, &after,
			       &data) != Success ||
	    !data)
		return false;
	bool found = count == 1 && format == 32;
	if (found)
		*pid = static_cast<pid_t>(*reinterpret_cast<long *>(data));
	XFree(data);
	return found;
}
} // namespace

LumaroRun StartLumaro(const std::string &program, const EnvChanges &env,
		      const std::string &outputPath,
		      const std::string &workingDirectory)
{
	LumaroRun run;
	run.outputPath = outputPath;
	run.pid = fork();
	if (run.pid == 0) {
		for (const auto &[name, value] : env) {
			if (value)
				setenv(name.c_str(), value, 1);
			else
				unsetenv(name.c_str());
		}
		if (!workingDirectory.empty() &&
		    chdir(workingDirectory.c_str()) != 0)
			_exit(126);
		int fd = open(outputPath.c_str(),
			      O_WRONLY | O_CREAT | O_TRUNC, 0644);
		dup2(fd, STDOUT_FILENO);
		dup2(fd, STDERR_FILENO);
		close(fd);
		int devNull = open("/dev/null", O_RDONLY);
		dup2(devNull, STDIN_FILENO);
		close(devNull);
		execl(program.c_str(), program.c_str(), (char *)nullptr);
		_exit(127);
	}
	return run;
}

int WaitForExit(LumaroRun &run, double timeoutSeconds)
{
	const auto start = Clock::now();
	int status = 0;
	while (waitpid(run.pid, &status, WNOHANG) == 0) {
		if (Expired(start, timeoutSeconds)) {
			kill(run.pid, SIGKILL);
			waitpid(run.pid, &status, 0);
			run.pid = -1;
			return -1;
		}
		Pause();
	}
	run.pid = -1;
	if (WIFSIGNALED(status))
		fprintf(stderr, "lumaro ended by signal %d\n", WTERMSIG(status));
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Window WaitForTopLevelWindow(Display *display, pid_t pid, double timeoutSeconds)
{
	// Other programs' windows come and go while the tree is read: a window
	// gone between listing and asking is no error of ours.
	XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
	const auto start = Clock::now();
	while (!Expired(start, timeoutSeconds)) {
		Window root, parent, *children = nullptr;
		unsigned count = 0;
		Window found = 0;
		if (XQueryTree(display, DefaultRootWindow(display), &root,
			       &parent, &children, &count)) {
			for (unsigned i = 0; i < count && !found; ++i) {
				pid_t owner;
				XWindowAttributes attributes;
				if (WindowPid(display, children[i], &owner) &&
				    owner == pid &&
				    XGetWindowAttributes(display, children[i],
							 &attributes) &&
				    attributes.map_state == IsViewable)
					found = children[i];
			}
			XFree(children);
		}
		if (found)
			return found;
		Pause();
	}
	return 0;
}

void SendCloseRequest(Display *display, Window window)
{
	XEvent event = {};
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
	event.xclient.format = 32;
	event.xclient.data.l[0] = static_cast<long>(
		XInternAtom(display, "WM_DELETE_WINDOW", False));
	event.xclient.data.l[1] = CurrentTime;
	XSendEvent(display, window, False, NoEventMask, &event);
	XFlush(display);
}

bool WaitForWindowColour(Display *display, Window window, unsigned long rgb,
			 double timeoutSeconds)
{
	const auto start = Clock::now();
	while (!Expired(start, timeoutSeconds)) {
		XWindowAttributes attributes;
		if (!XGetWindowAttributes(display, window, &attributes))
			return false;
		XImage *image = XGetImage(display, window, 0, 0,
					  attributes.width, attributes.height,
					  AllPlanes, ZPixmap);
		if (image) {
			bool same = true;
			for (int y = 0; y < image->height && same; ++y)
				for (int x = 0; x < image->width && same; ++x)
					same = (XGetPixel(image, x, y) &
						0xffffff) == rgb;
			XDestroyImage(image);
			if (same)
				return true;
		}
		Pause();
	}
	return false;
}

Display *ConnectToXServer()
{
	const auto start = Clock::now();
	for (;;) {
		if (Display *display = XOpenDisplay(nullptr))
			return display;
		if (Expired(start, 5))
			return nullptr;
		Pause();
	}
}

std::string ReadWholeFile(const std::string &path)
{
	std::ifstream file(path, std::ios::binary);
	std::ostringstream text;
	text << file.rdbuf();
	return text.str();
}

std::string UseFreshConfigHome(const std::string &relative, std::string *folder)
{
	const std::string home = MakeTempDir();
	setenv("HOME", home.c_str(), 1);
	unsetenv("XDG_CONFIG_HOME");
	*folder = home + "/.config/" + relative;
	std::system(("mkdir -p '" + *folder + "'").c_str());
	return home;
}

std::string TestName(std::string description)
{
	for (char &c : description)
		if (!isalnum(static_cast<unsigned char>(c)))
			c = '_';
	return description;
}

std::string MakeTempDir()
{
	std::string pattern = "/tmp/lumaro-test-XXXXXX";
	return mkdtemp(&pattern[0]) ? pattern : std::string();
}

void RemoveTree(const std::string &path)
{
	nftw(
		path.c_str(),
		[](const char *entry, const struct stat *, int, struct FTW *) {
			chmod(entry, 0700);
			return remove(entry);
		},
		16, FTW_DEPTH | FTW_PHYS);
}
