#include "log_folder.h"

#include <QDebug>
#include <util/platform.h>

bool do_mkdir(const char *path)
{
	// Parents too: where the sibling application never ran, "zandor" is
	// missing, and a single-level mkdir would cost every run its log.
	return os_mkdirs(path) != MKDIR_ERROR;
}

void ReportLogFolderFailure(const char *label, const char *folder)
{
	QMessageLogger(nullptr, 0, nullptr).critical()
		<< QString::fromLocal8Bit(label) << folder << "error!";
}
