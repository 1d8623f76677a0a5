// The entry function: start-up in a fixed order, the event loop, teardown.
#include <QApplication>
#include <obs.h>

#include "close_on_signal.h"
#include "config_path.h"
#include "engine_settings.h"
#include "log_folder.h"
#include "graphics_view_display.h"
#include "native_session.h"
#include "platform.h"
#include "run_log.h"
#include "streaming_service.h"
#include "xelt-util.h"

// Never destroyed, like the engine: it outlives the application object, after
// which a widget can no longer be destroyed. Kept here so that it stays
// reachable rather than leaked.
static QTDisplay *neverShownDisplay = nullptr;

int main(int argc, char *argv[])
{
	EnableDebugPrivilege();

	int exitCode;
	{
		RunLogStream runLog;

		char logFolder[512];
		if (GetConfigPath(logFolder, sizeof(logFolder), logDirectoryName) <= 0) {
			ReportLogFolderFailure("GetConfigPath:", logDirectoryName);
		} else {
			if (!do_mkdir(logFolder))
				ReportLogFolderFailure("do_mkdir:", logDirectoryName);
			SetMaxLogFiles(10);
			OpenRunLog(runLog, logDirectoryName);
		}

		PreferX11Session();
		QApplication application(argc, argv);

		ConnectEngineToDisplayServer();
		obs_startup("zh-CN", nullptr, nullptr);
		obs_load_all_modules();

		LoadStreamingService();

		qInstallMessageHandler(customMessageHandler);

		// A second start is refused by the engine with a warning.
		obs_startup("zh-CN", nullptr, nullptr);

		obs_video_info video = MakeVideoInfo(kColorspaceText, kRangeText);
		obs_reset_video(&video);
		obs_audio_info2 audio = MakeAudioInfo();
		obs_reset_audio2(&audio);

		GraphicsViewDisplay view(nullptr);
		view.resize(QSize(800, 600));
		neverShownDisplay = new QTDisplay(nullptr, Qt::WindowFlags());
		CloseOnTerminationSignals(view);
		view.show();

		exitCode = application.exec();
	} // Teardown: the view, the application object, then the run log.

	ParkEngineGraphics();
	return exitCode;
}
