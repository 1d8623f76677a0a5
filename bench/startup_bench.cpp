// Start-up and memory of lumaro beside the floor host, run alternately on the
// same X server: time from process start to the first engine display, time to
// an orderly exit after a close request, and peak resident memory.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
	double displayMs = 0, exitMs = 0, peakMb = 0;
	bool ok = false;
};

double NowNs()
{
	timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return now.tv_sec * 1e9 + now.tv_nsec;
}

Window FindWindow(Display *display, pid_t pid)
{
	// Other programs' windows come and go while the tree is read: a window
	// gone between listing and asking is no error of ours.
	XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
	Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
	for (int attempt = 0; attempt < 3000; ++attempt) {
		Window root, parent, *children = nullptr;
		unsigned count = 0;
		XQueryTree(display, DefaultRootWindow(display), &root, &parent,
			   &children, &count);
		for (unsigned i = 0; i < count; ++i) {
			Atom type;
			int format;
			unsigned long items, after;
			unsigned char *data = nullptr;
			if (XGetWindowProperty(display, children[i], pidAtom, 0, 1,
					       False, XA_CARDINAL, &type, &format,
					       &items, &after, &data) == Success &&
			    data) {
				const bool match =
					*reinterpret_cast<long *>(data) == pid;
				XFree(data);
				if (match) {
					Window found = children[i];
					XFree(children);
					return found;
				}
			}
		}
		if (children)
			XFree(children);
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
	}
	return 0;
}

Sample RunOnce(Display *display, const char *program, const char *probe,
	       const std::string &config)
{
	Sample sample;
	int probePipe[2];
	if (pipe(probePipe))
		return sample;
	const double start = NowNs();
	pid_t pid = fork();
	if (pid == 0) {
		close(probePipe[0]);
		setenv("LUMARO_PROBE_FD", std::to_string(probePipe[1]).c_str(), 1);
		setenv("LD_PRELOAD", probe, 1);
		setenv("XDG_CONFIG_HOME", config.c_str(), 1);
		freopen("/dev/null", "w", stdout);
		freopen("/dev/null", "w", stderr);
		execl(program, program, (char *)nullptr);
		_exit(127);
	}
	close(probePipe[1]);
	char line[64] = {};
	pollfd wait = {probePipe[0], POLLIN, 0};
	const ssize_t got = poll(&wait, 1, 60000) == 1
				    ? read(probePipe[0], line, sizeof(line) - 1)
				    : -1;
	close(probePipe[0]);
	if (got > 0)
		sample.displayMs = (std::atof(line) - start) / 1e6;

	Window window = FindWindow(display, pid);
	if (window) {
		XEvent event = {};
		event.xclient.type = ClientMessage;
		event.xclient.window = window;
		event.xclient.message_type =
			XInternAtom(display, "WM_PROTOCOLS", False);
		event.xclient.format = 32;
		event.xclient.data.l[0] =
			long(XInternAtom(display, "WM_DELETE_WINDOW", False));
		XSendEvent(display, window, False, NoEventMask, &event);
		XFlush(display);
	}
	else
		kill(pid, SIGKILL);
	int status = 0;
	rusage usage = {};
	wait4(pid, &status, 0, &usage);
	sample.exitMs = (NowNs() - start) / 1e6;
	sample.peakMb = usage.ru_maxrss / 1024.0;
	sample.ok = got > 0 && window && WIFEXITED(status) &&
		    WEXITSTATUS(status) == 0;
	return sample;
}

double Median(std::vector<double> values)
{
	std::sort(values.begin(), values.end());
	return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
	if (argc < 4) {
		fprintf(stderr, "usage: %s LUMARO FLOOR PROBE [ROUNDS]\n", argv[0]);
		return 2;
	}
	const int rounds = argc > 4 ? std::atoi(argv[4]) : 10;
	Display *display = XOpenDisplay(nullptr);
	if (!display)
		return 1;
	char pattern[] = "/tmp/lumaro-startup-XXXXXX";
	const std::string config = mkdtemp(pattern);

	std::vector<double> metrics[2][3];
	for (int round = 0; round < rounds + 1; ++round) {
		for (int which = 0; which < 2; ++which) {
			Sample sample = RunOnce(display, argv[1 + which], argv[3],
						config);
			if (!sample.ok) {
				fprintf(stderr, "run of %s failed\n", argv[1 + which]);
				return 1;
			}
			if (round == 0)
				continue; // warms the file cache for both
			metrics[which][0].push_back(sample.displayMs);
			metrics[which][1].push_back(sample.exitMs);
			metrics[which][2].push_back(sample.peakMb);
		}
	}
	const char *names[] = {"start to first display (ms)",
			       "whole run to exit after close (ms)",
			       "peak resident memory (MiB)"};
	for (int m = 0; m < 3; ++m) {
		const double ours = Median(metrics[0][m]);
		const double floor = Median(metrics[1][m]);
		printf("| %s | %.1f | %.1f | %.3f |\n", names[m], ours, floor,
		       ours / floor);
	}
	std::system(("rm -rf '" + config + "'").c_str());
	return 0;
}
