#include "xelt-util.h"

#include <util/base.h>

static int EngineLogLevel(QtMsgType type)
{
	switch (type) {
	case QtDebugMsg:
		return LOG_DEBUG;
	case QtInfoMsg:
		return LOG_INFO;
	case QtWarningMsg:
		return LOG_WARNING;
	case QtCriticalMsg:
	case QtFatalMsg:
		return LOG_ERROR;
	}
	return LOG_WARNING;
}

void customMessageHandler(QtMsgType type, const QMessageLogContext &,
			  const QString &message)
{
	// "%s" keeps a '%' in Qt's text from being read as a conversion.
	blog(EngineLogLevel(type), "%s", message.toUtf8().constData());
}

QTDisplay::QTDisplay(QWidget *parent, Qt::WindowFlags flags)
	: QWidget(parent, flags)
{
}
