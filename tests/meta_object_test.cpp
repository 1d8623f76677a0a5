// The view's Qt meta-object, as code that embeds the view sees it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaMethod>
#include <QMetaType>

#include "graphics_view_display.h"
#include "native_session.h"

namespace {

TEST(MetaObject, CastsByExactClassNameAndDefersToTheBase)
{
	GraphicsViewDisplay view(nullptr);
	EXPECT_EQ(view.qt_metacast("GraphicsViewDisplay"), &view);
	EXPECT_EQ(view.qt_metacast(nullptr), nullptr);
	EXPECT_EQ(view.qt_metacast("graphicsviewdisplay"), nullptr);
	EXPECT_EQ(view.qt_metacast("QGraphicsView"),
		  static_cast<QGraphicsView *>(&view));
	EXPECT_EQ(view.qt_metacast("QWidget"), static_cast<QWidget *>(&view));
	EXPECT_EQ(view.qt_metacast("QObject"), static_cast<QObject *>(&view));
	EXPECT_STREQ(view.metaObject()->className(), "GraphicsViewDisplay");
	EXPECT_EQ(view.metaObject()->superClass(),
		  &QGraphicsView::staticMetaObject);
}

TEST(MetaObject, TwoSignalsAfterTheBaseMethods)
{
	const QMetaObject &meta = GraphicsViewDisplay::staticMetaObject;
	const int offset = meta.methodOffset();
	EXPECT_EQ(offset, QGraphicsView::staticMetaObject.methodCount());
	EXPECT_EQ(meta.methodCount() - offset, 2);

	const int created =
		meta.indexOfSignal("DisplayCreated(GraphicsViewDisplay*)");
	const int resized = meta.indexOfSignal("DisplayResized()");
	EXPECT_EQ(created, offset + 0);
	EXPECT_EQ(resized, offset + 1);

	const QMetaMethod createdMethod = meta.method(created);
	EXPECT_EQ(createdMethod.methodType(), QMetaMethod::Signal);
	EXPECT_EQ(createdMethod.access(), QMetaMethod::Public);
	ASSERT_EQ(createdMethod.parameterCount(), 1);
	EXPECT_EQ(createdMethod.parameterNames().value(0), "window");
	EXPECT_EQ(createdMethod.parameterTypes().value(0),
		  "GraphicsViewDisplay*");
	EXPECT_EQ(meta.method(resized).parameterCount(), 0);
	EXPECT_EQ(meta.method(resized).returnType(), QMetaType::Void);
}

TEST(MetaObject, PointerTypeIsRegisteredOnFirstDemandOnly)
{
	EXPECT_EQ(QMetaType::type("GraphicsViewDisplay*"),
		  int(QMetaType::UnknownType));

	GraphicsViewDisplay view(nullptr);
	const int created = GraphicsViewDisplay::staticMetaObject.indexOfSignal(
		"DisplayCreated(GraphicsViewDisplay*)");
	auto askArgumentType = [&](int method, int argument) {
		int result = -2;
		void *arguments[] = {&result, &argument};
		view.qt_metacall(QMetaObject::RegisterMethodArgumentMetaType,
				 method, arguments);
		return result;
	};

	const int id = askArgumentType(created, 0);
	EXPECT_GT(id, 0);
	EXPECT_EQ(QMetaType::type("GraphicsViewDisplay*"), id);
	EXPECT_TRUE(QMetaType::typeFlags(id) & QMetaType::PointerToQObject);
	EXPECT_EQ(QMetaType::metaObjectForType(id),
		  &GraphicsViewDisplay::staticMetaObject);
	EXPECT_EQ(askArgumentType(created, 0), id);
	EXPECT_EQ(askArgumentType(created, 1), -1);
}

TEST(MetaObject, InvokingTheSignalsByIndexEmitsThem)
{
	GraphicsViewDisplay view(nullptr);
	GraphicsViewDisplay *received = nullptr;
	int resized = 0;
	QObject::connect(&view, &GraphicsViewDisplay::DisplayCreated,
			 [&](GraphicsViewDisplay *window) { received = window; });
	QObject::connect(&view, &GraphicsViewDisplay::DisplayResized,
			 [&]() { ++resized; });

	EXPECT_TRUE(QMetaObject::invokeMethod(
		&view, "DisplayCreated", Qt::DirectConnection,
		Q_ARG(GraphicsViewDisplay *, &view)));
	EXPECT_TRUE(QMetaObject::invokeMethod(&view, "DisplayResized",
					      Qt::DirectConnection));
	EXPECT_EQ(received, &view);
	EXPECT_EQ(resized, 1);
}

} // namespace

int main(int argc, char **argv)
{
	PreferX11Session(); // as lumaro does: Qt without OpenGL of its own
	QApplication application(argc, argv);
	::testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}
