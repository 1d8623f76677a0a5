#include "engine_settings.h"

#include <util/dstr.h>

video_colorspace ColorspaceFromText(const char *text)
{
	return astrcmpi(text, "601") == 0 ? VIDEO_CS_601 : VIDEO_CS_709;
}

video_range_type RangeFromText(const char *text)
{
	return astrcmpi(text, "Full") == 0 ? VIDEO_RANGE_FULL
					   : VIDEO_RANGE_PARTIAL;
}

obs_video_info MakeVideoInfo(const char *colorspaceText, const char *rangeText)
{
	obs_video_info video = {};
	// The engine appends the platform's library suffix itself.
	video.graphics_module = "libobs-opengl";
	video.fps_num = 30;
	video.fps_den = 1;
	video.base_width = 1920;
	video.base_height = 1080;
	video.output_width = 1280;
	video.output_height = 720;
	video.output_format = VIDEO_FORMAT_NV12;
	video.adapter = 0;
	video.gpu_conversion = true;
	video.colorspace = ColorspaceFromText(colorspaceText);
	video.range = RangeFromText(rangeText);
	video.scale_type = static_cast<obs_scale_type>(0);
	return video;
}

obs_audio_info2 MakeAudioInfo()
{
	obs_audio_info2 audio = {};
	audio.samples_per_sec = 44100;
	audio.speakers = SPEAKERS_STEREO;
	// This engine's record has no buffer length; its ceiling on audio
	// buffering is the nearest member and takes the 1000 ms.
	audio.max_buffering_ms = 1000;
	return audio;
}
