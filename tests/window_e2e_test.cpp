// The real lumaro on the real X server: shown, drawn by the engine, closed as a
// user closes it.
#include <gtest/gtest.h>

#include <csignal>

#include "lumaro_process.h"

namespace {

class WindowEndToEnd : public ::testing::Test {
protected:
	void SetUp() override
	{
		display = ConnectToXServer();
		ASSERT_NE(display, nullptr) << "tests need an X server";
		home = MakeTempDir();
		ASSERT_FALSE(home.empty());
	}
	void TearDown() override
	{
		if (display)
			XCloseDisplay(display);
		RemoveTree(home);
	}

	LumaroRun Start()
	{
		return StartLumaro(LUMARO_PROGRAM,
				   {{"HOME", home.c_str()},
				    {"XDG_CONFIG_HOME", nullptr}},
				   home + "/output.txt");
	}

	Display *display = nullptr;
	std::string home;
};

TEST_F(WindowEndToEnd, ShowsEngineDisplayAndExitsZeroOnCloseRequest)
{
	LumaroRun run = Start();
	Window window = WaitForTopLevelWindow(display, run.pid, 60);
	ASSERT_NE(window, 0u) << ReadWholeFile(run.outputPath);

	XWindowAttributes attributes;
	ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
	EXPECT_EQ(attributes.width, 800);
	EXPECT_EQ(attributes.height, 600);
	// The X server's root is white; only the engine paints the window black.
	EXPECT_TRUE(WaitForWindowColour(display, window, 0x000000, 30));

	SendCloseRequest(display, window);
	EXPECT_EQ(WaitForExit(run, 60), 0);

	const std::string output = ReadWholeFile(run.outputPath);
	for (const char *expected :
	     {"base resolution:   1920x1080", "output resolution: 1280x720",
	      "fps:               30/1", "format:            NV12",
	      "YUV mode:          Rec. 709/Partial",
	      "samples per sec: 44100", "speakers:        2",
	      "Tried to call obs_startup more than once"})
		EXPECT_NE(output.find(expected), std::string::npos)
			<< "missing: " << expected << "\n"
			<< output;
	// The 1000 ms reach the engine, which rounds up to whole audio ticks.
	EXPECT_NE(output.find("max buffering:   10"), std::string::npos)
		<< output;
}

TEST_F(WindowEndToEnd, TwentyOpenAndCloseRunsAllExitZero)
{
	for (int i = 0; i < 20; ++i) {
		LumaroRun run = Start();
		Window window = WaitForTopLevelWindow(display, run.pid, 60);
		ASSERT_NE(window, 0u)
			<< "run " << i << ": " << ReadWholeFile(run.outputPath);
		SendCloseRequest(display, window);
		ASSERT_EQ(WaitForExit(run, 60), 0)
			<< "run " << i << ": " << ReadWholeFile(run.outputPath);
	}
}

class SignalEndToEnd : public WindowEndToEnd,
		       public ::testing::WithParamInterface<int> {
};

TEST_P(SignalEndToEnd, SignalClosesWindowInOrderAndExitsZero)
{
	LumaroRun run = Start();
	Window window = WaitForTopLevelWindow(display, run.pid, 60);
	ASSERT_NE(window, 0u) << ReadWholeFile(run.outputPath);
	kill(run.pid, GetParam());
	EXPECT_EQ(WaitForExit(run, 60), 0) << ReadWholeFile(run.outputPath);
}

INSTANTIATE_TEST_SUITE_P(TerminationSignals, SignalEndToEnd,
			 ::testing::Values(SIGINT, SIGTERM));

} // namespace
