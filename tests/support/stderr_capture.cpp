#include "stderr_capture.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "lumaro_process.h"

StderrCapture::StderrCapture()
{
	char pattern[] = "/tmp/lumaro-stderr-XXXXXX";
	int fd = mkstemp(pattern);
	path = pattern;
	fflush(stderr);
	savedFd = dup(STDERR_FILENO);
	dup2(fd, STDERR_FILENO);
	close(fd);
}

StderrCapture::~StderrCapture()
{
	Finish();
}

std::string StderrCapture::Finish()
{
	if (savedFd < 0)
		return std::string();
	fflush(stderr);
	dup2(savedFd, STDERR_FILENO);
	close(savedFd);
	savedFd = -1;
	std::string text = ReadWholeFile(path);
	unlink(path.c_str());
	return text;
}
