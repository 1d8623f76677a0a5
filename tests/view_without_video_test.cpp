// The view when the engine cannot make displays (its video was never reset):
// every creation attempt is announced, and the next trigger tries again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "engine_fixture.h"
#include "graphics_view_display.h"
#include "native_session.h"

namespace {

TEST(ViewWithoutVideo, EveryCreationAttemptIsAnnounced)
{
	GraphicsViewDisplay view(nullptr);
	int created = 0;
	QObject::connect(&view, &GraphicsViewDisplay::DisplayCreated,
			 [&](GraphicsViewDisplay *) { ++created; });
	view.resize(800, 600);
	view.show();
	ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
	QApplication::processEvents();
	EXPECT_EQ(view.Display(), nullptr);
	const int afterShow = created;
	EXPECT_GE(afterShow, 1);

	view.repaint();
	EXPECT_EQ(created, afterShow + 1);
	view.EnsureNativeDisplay();
	EXPECT_EQ(created, afterShow + 2);
	EXPECT_EQ(view.Display(), nullptr);
}

} // namespace

int main(int argc, char **argv)
{
	PreferX11Session(); // as lumaro does: Qt without OpenGL of its own
	QApplication application(argc, argv);
	StartTestEngine(EngineVideo::Skipped);
	::testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}
