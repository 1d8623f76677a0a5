#include "close_on_signal.h"

#include <QWidget>

#ifndef _WIN32
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

static int signalSockets[2] = {-1, -1};

// Runs in signal context: only async-signal-safe calls.
static void ForwardSignal(int)
{
	const int savedErrno = errno;
	const char byte = 1;
	(void)!write(signalSockets[0], &byte, 1);
	errno = savedErrno;
}
#endif

void CloseOnTerminationSignals(QWidget &window)
{
#ifndef _WIN32
	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets))
		return;
	fcntl(signalSockets[0], F_SETFL, O_NONBLOCK);

	auto *notifier = new QSocketNotifier(signalSockets[1],
					     QSocketNotifier::Read, &window);
	// Called on the GUI thread by the event loop once a signal has arrived.
	QObject::connect(notifier, &QSocketNotifier::activated, &window,
			 [&window]() {
				 char bytes[16];
				 (void)!read(signalSockets[1], bytes,
					     sizeof(bytes));
				 window.close();
			 });

	struct sigaction action = {};
	action.sa_handler = ForwardSignal;
	sigemptyset(&action.sa_mask);
	action.sa_flags = SA_RESTART;
	sigaction(SIGINT, &action, nullptr);
	sigaction(SIGTERM, &action, nullptr);
#else
	(void)window;
#endif
}
