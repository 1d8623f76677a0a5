// The display view on the real engine and the real X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cstdlib>
#include <obs.h>

#include "engine_fixture.h"
#include "graphics_view_display.h"
#include "native_session.h"

// Spies on the real engine calls the view makes (linked with --wrap).
static int createCalls = 0;
static int destroyCalls = 0;
static int destroyCallsWithDisplay = 0;
extern "C" {
obs_display_t *__real_obs_display_create(const gs_init_data *, uint32_t);
void __real_obs_display_destroy(obs_display_t *);
obs_display_t *__wrap_obs_display_create(const gs_init_data *data,
					 uint32_t background)
{
	++createCalls;
	return __real_obs_display_create(data, background);
}
void __wrap_obs_display_destroy(obs_display_t *display)
{
	++destroyCalls;
	destroyCallsWithDisplay += display != nullptr;
	__real_obs_display_destroy(display);
}
}

namespace {

QSize DisplaySize(obs_display_t *display)
{
	uint32_t width = 0, height = 0;
	obs_display_size(display, &width, &height);
	return QSize(int(width), int(height));
}

// The engine applies a new size when it next renders the display, on its
// graphics thread; wait for that (or for several frames when nothing comes).
QSize SettledDisplaySize(obs_display_t *display, QSize awaited)
{
	for (int i = 0; i < 50 && DisplaySize(display) != awaited; ++i)
		QTest::qWait(20);
	return DisplaySize(display);
}

// The device-pixel size an 800 x 600 view must get at this run's scale factor.
QSize ExpectedDisplaySize()
{
	const char *text = std::getenv("LUMARO_EXPECTED_DISPLAY");
	int width = 800, height = 600;
	if (text)
		std::sscanf(text, "%dx%d", &width, &height);
	return QSize(width, height);
}

struct SignalCounts {
	int created = 0;
	int resized = 0;
	GraphicsViewDisplay *createdWindow = nullptr;
};

class ViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		createCalls = destroyCalls = destroyCallsWithDisplay = 0;
		view = new GraphicsViewDisplay(nullptr);
		QObject::connect(view, &GraphicsViewDisplay::DisplayCreated,
				 [this](GraphicsViewDisplay *window) {
					 ++counts.created;
					 counts.createdWindow = window;
				 });
		QObject::connect(view, &GraphicsViewDisplay::DisplayResized,
				 [this]() { ++counts.resized; });
		view->resize(800, 600);
	}
	void TearDown() override { delete view; }

	void ShowExposed()
	{
		view->show();
		ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
		QApplication::processEvents();
	}

	GraphicsViewDisplay *view = nullptr;
	SignalCounts counts;
};

TEST_F(ViewTest, NeverExposedViewCreatesNothingAndDestroysOnce)
{
	// The scroll-area base hands the viewport's resize events to the view.
	QResizeEvent event(QSize(640, 480), QSize(800, 600));
	QApplication::sendEvent(view->viewport(), &event);
	view->EnsureNativeDisplay();
	QApplication::processEvents();

	EXPECT_EQ(view->Display(), nullptr);
	EXPECT_EQ(createCalls, 0);
	EXPECT_EQ(counts.created, 0);
	EXPECT_EQ(counts.resized, 1);

	delete view;
	view = nullptr;
	EXPECT_EQ(destroyCalls, 1);
	EXPECT_EQ(destroyCallsWithDisplay, 0);
}

TEST_F(ViewTest, FirstPaintCreatesOneDisplayInDevicePixels)
{
	ShowExposed();
	obs_display_t *display = view->Display();
	ASSERT_NE(display, nullptr);
	EXPECT_EQ(counts.created, 1);
	EXPECT_EQ(counts.createdWindow, view);
	EXPECT_EQ(DisplaySize(display), ExpectedDisplaySize());

	view->repaint();
	view->update();
	QApplication::processEvents();
	EXPECT_EQ(view->Display(), display);
	EXPECT_EQ(createCalls, 1);
	EXPECT_EQ(counts.created, 1);

	// The holder also passes its empty handle on when the new one arrives.
	destroyCalls = destroyCallsWithDisplay = 0;
	delete view;
	view = nullptr;
	EXPECT_EQ(destroyCallsWithDisplay, 1);
	EXPECT_EQ(destroyCalls, 1);
}

TEST_F(ViewTest, HideAndShowKeepTheDisplayAndResizeIt)
{
	ShowExposed();
	obs_display_t *display = view->Display();
	ASSERT_NE(display, nullptr);

	view->hide();
	QApplication::processEvents();
	EXPECT_EQ(view->Display(), display);
	EXPECT_EQ(destroyCallsWithDisplay, 0);

	view->resize(400, 300);
	ShowExposed();
	EXPECT_EQ(view->Display(), display);
	EXPECT_EQ(counts.created, 1);
	EXPECT_EQ(SettledDisplaySize(display, ExpectedDisplaySize() / 2),
		  ExpectedDisplaySize() / 2);
}

TEST_F(ViewTest, ResizeWhileHiddenChangesNothingButIsAnnounced)
{
	ShowExposed();
	obs_display_t *display = view->Display();
	ASSERT_NE(display, nullptr);
	view->hide();
	QApplication::processEvents();
	const int resizedBefore = counts.resized;

	QResizeEvent event(QSize(400, 300), view->size());
	view->resize(400, 300);
	QApplication::sendEvent(view->viewport(), &event);
	QApplication::processEvents();

	EXPECT_EQ(SettledDisplaySize(display, QSize(1, 1)),
		  ExpectedDisplaySize());
	EXPECT_GT(counts.resized, resizedBefore);
	EXPECT_EQ(counts.created, 1);
}

TEST_F(ViewTest, ScreenChangeResizesTheLiveDisplay)
{
	ShowExposed();
	obs_display_t *display = view->Display();
	ASSERT_NE(display, nullptr);
	view->hide();
	view->resize(400, 300);
	ASSERT_EQ(SettledDisplaySize(display, QSize(1, 1)),
		  ExpectedDisplaySize());

	// One screen here: announce the move the way QWindow does.
	emit view->windowHandle()->screenChanged(QGuiApplication::primaryScreen());
	EXPECT_EQ(view->Display(), display);
	EXPECT_EQ(SettledDisplaySize(display, ExpectedDisplaySize() / 2),
		  ExpectedDisplaySize() / 2);
	EXPECT_EQ(counts.created, 1);
}

TEST_F(ViewTest, ScreenChangeBeforeExposureCreatesNothing)
{
	emit view->windowHandle()->screenChanged(QGuiApplication::primaryScreen());
	EXPECT_EQ(view->Display(), nullptr);
	EXPECT_EQ(createCalls, 0);
	EXPECT_EQ(counts.created, 0);
}

} // namespace

int main(int argc, char **argv)
{
	PreferX11Session(); // as lumaro does: Qt without OpenGL of its own
	QApplication application(argc, argv);
	StartTestEngine(EngineVideo::Reset);
	::testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}
