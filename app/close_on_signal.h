// Closes a window when the process receives SIGINT or SIGTERM, so that a
// Ctrl-C or a logout runs the same orderly teardown as a close request.
#pragma once

class QWidget;

void CloseOnTerminationSignals(QWidget &window);
