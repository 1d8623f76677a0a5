// The embedding example: a colour source drawn into the view's display through
// DisplayCreated and a draw callback reaches every pixel of the window.
#include <gtest/gtest.h>

#include <cstdio>

#include "lumaro_process.h"

namespace {

class ColourExample : public ::testing::TestWithParam<unsigned long> {
};

TEST_P(ColourExample, DrawsTheColourOverTheWholeWindow)
{
	Display *display = ConnectToXServer();
	ASSERT_NE(display, nullptr);
	const std::string dir = MakeTempDir();
	char colour[16];
	snprintf(colour, sizeof(colour), "%06lx", GetParam());

	LumaroRun run;
	run.outputPath = dir + "/output.txt";
	run.pid = fork();
	if (run.pid == 0) {
		freopen(run.outputPath.c_str(), "w", stdout);
		freopen(run.outputPath.c_str(), "w", stderr);
		execl(LUMARO_COLOUR_EXAMPLE, LUMARO_COLOUR_EXAMPLE,
		      LUMARO_TEST_MODULE_DIR, colour, (char *)nullptr);
		_exit(127);
	}
	Window window = WaitForTopLevelWindow(display, run.pid, 60);
	ASSERT_NE(window, 0u) << ReadWholeFile(run.outputPath);
	EXPECT_TRUE(WaitForWindowColour(display, window, GetParam(), 30))
		<< colour;
	SendCloseRequest(display, window);
	EXPECT_EQ(WaitForExit(run, 60), 0) << ReadWholeFile(run.outputPath);
	XCloseDisplay(display);
	RemoveTree(dir);
}

INSTANTIATE_TEST_SUITE_P(Colours, ColourExample,
			 ::testing::Values(0x3366cc, 0xff8800));

} // namespace
