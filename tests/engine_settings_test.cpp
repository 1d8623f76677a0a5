// The fixed video and audio records and the colour and range rules.
#include <gtest/gtest.h>

#include <cstring>

#include "engine_settings.h"

namespace {

struct MappingCase {
	const char *colorspaceText;
	const char *rangeText;
	video_colorspace colorspace;
	video_range_type range;
};

class SettingTexts : public ::testing::TestWithParam<MappingCase> {
};

TEST_P(SettingTexts, MapToEngineValues)
{
	const MappingCase &c = GetParam();
	EXPECT_EQ(ColorspaceFromText(c.colorspaceText), c.colorspace);
	EXPECT_EQ(RangeFromText(c.rangeText), c.range);
	obs_video_info video = MakeVideoInfo(c.colorspaceText, c.rangeText);
	EXPECT_EQ(video.colorspace, c.colorspace);
	EXPECT_EQ(video.range, c.range);
}

INSTANTIATE_TEST_SUITE_P(
	Table, SettingTexts,
	::testing::Values(
		MappingCase{"709", "Partial", VIDEO_CS_709, VIDEO_RANGE_PARTIAL},
		MappingCase{"601", "Full", VIDEO_CS_601, VIDEO_RANGE_FULL},
		MappingCase{"601", "FULL", VIDEO_CS_601, VIDEO_RANGE_FULL},
		MappingCase{"601", "fUlL", VIDEO_CS_601, VIDEO_RANGE_FULL},
		MappingCase{"", "", VIDEO_CS_709, VIDEO_RANGE_PARTIAL},
		MappingCase{"sRGB", "Limited", VIDEO_CS_709, VIDEO_RANGE_PARTIAL},
		MappingCase{"6011", "Full ", VIDEO_CS_709, VIDEO_RANGE_PARTIAL},
		MappingCase{" 601", "Ful", VIDEO_CS_709, VIDEO_RANGE_PARTIAL}));

TEST(EngineSettings, VideoRecordCarriesTheFixedSettings)
{
	const obs_video_info video = MakeVideoInfo(kColorspaceText, kRangeText);
	EXPECT_STREQ(video.graphics_module, "libobs-opengl");
	EXPECT_EQ(video.fps_num, 30u);
	EXPECT_EQ(video.fps_den, 1u);
	EXPECT_EQ(video.base_width, 1920u);
	EXPECT_EQ(video.base_height, 1080u);
	EXPECT_EQ(video.output_width, 1280u);
	EXPECT_EQ(video.output_height, 720u);
	EXPECT_EQ(video.output_format, VIDEO_FORMAT_NV12);
	EXPECT_EQ(video.adapter, 0u);
	EXPECT_TRUE(video.gpu_conversion);
	EXPECT_EQ(video.colorspace, VIDEO_CS_709);
	EXPECT_EQ(video.range, VIDEO_RANGE_PARTIAL);
	EXPECT_EQ(int(video.scale_type), 0);
}

TEST(EngineSettings, AudioRecordCarriesTheFixedSettings)
{
	const obs_audio_info2 audio = MakeAudioInfo();
	EXPECT_EQ(audio.samples_per_sec, 44100u);
	EXPECT_EQ(audio.speakers, SPEAKERS_STEREO);
	EXPECT_EQ(audio.max_buffering_ms, 1000u);
	EXPECT_FALSE(audio.fixed_buffering);
}

} // namespace
