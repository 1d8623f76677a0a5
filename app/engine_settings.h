// The engine's fixed video and audio settings.
#pragma once

#include <obs.h>

// The colour space and range are kept as setting texts and mapped at run time.
constexpr const char *kColorspaceText = "709";
constexpr const char *kRangeText = "Partial";

// "601" (any case) selects BT.601; every other text BT.709.
video_colorspace ColorspaceFromText(const char *text);
// "Full" (any case) selects full range; every other text partial range.
video_range_type RangeFromText(const char *text);

// 1920x1080 canvas at 30/1 through the OpenGL module, output 1280x720 NV12.
obs_video_info MakeVideoInfo(const char *colorspaceText, const char *rangeText);

// 44100 Hz stereo with a 1000 ms buffer.
obs_audio_info2 MakeAudioInfo();
