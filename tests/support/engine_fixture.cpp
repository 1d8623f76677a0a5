#include "engine_fixture.h"

#include <obs.h>

#include "engine_settings.h"
#include "native_session.h"

void StartTestEngine(EngineVideo video)
{
	ConnectEngineToDisplayServer();
	obs_startup("zh-CN", nullptr, nullptr);
	if (video == EngineVideo::Skipped)
		return;
	obs_video_info info = MakeVideoInfo(kColorspaceText, kRangeText);
	obs_reset_video(&info);
}
