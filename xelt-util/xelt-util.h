// Our stand-in for the maker's utility library: the Qt message handler that
// routes Qt's messages into the engine's log, and the plain QTDisplay widget.
#pragma once

#include <QWidget>
#include <QtGlobal>

// Qt message handler: hands each message to the engine's log at the matching
// level. Called on whichever thread Qt logs from.
void customMessageHandler(QtMsgType type, const QMessageLogContext &context,
			  const QString &message);

class QTDisplay : public QWidget {
public:
	QTDisplay(QWidget *parent, Qt::WindowFlags flags);
};
