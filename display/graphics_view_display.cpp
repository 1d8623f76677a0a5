#include "graphics_view_display.h"

#include <QPaintEvent>
#include <QScreen>
#include <QWindow>
#include <obs.h>
#ifdef __linux__
#include <obs-nix-platform.h>
#endif

GraphicsViewDisplay::GraphicsViewDisplay(QWidget *parent)
	: QGraphicsView(parent)
{
	setAttribute(Qt::WA_PaintOnScreen);
	setAttribute(Qt::WA_StaticContents);
	setAttribute(Qt::WA_NoSystemBackground);
	setAttribute(Qt::WA_OpaquePaintEvent);
	setAttribute(Qt::WA_DontCreateNativeAncestors);
	setAttribute(Qt::WA_NativeWindow);

	QWindow *window = windowHandle();

	// Called on the GUI thread, inside the window's visibleChanged emission.
	connect(
		window, &QWindow::visibleChanged, window,
		[this](bool visible) {
			if (!visible)
				return;
			if (!displayHandle)
				EnsureNativeDisplay();
			else
				ResizeNativeDisplay();
		},
		Qt::DirectConnection);

	// Called on the GUI thread, inside the window's screenChanged emission.
	connect(
		window, &QWindow::screenChanged, window,
		[this](QScreen *) {
			EnsureNativeDisplay();
			ResizeNativeDisplay();
		},
		Qt::DirectConnection);
}

GraphicsViewDisplay::~GraphicsViewDisplay() = default;

void GraphicsViewDisplay::EnsureNativeDisplay()
{
	if (displayHandle)
		return;
	const QWindow *window = windowHandle();
	if (!window || !window->isExposed())
		return;

	const QSize size = ScaledPixelSize();

	gs_init_data info = {};
#ifdef _WIN32
	info.window.hwnd = reinterpret_cast<void *>(winId());
#elif defined(__linux__)
	info.window.id = static_cast<uint32_t>(winId());
	info.window.display = obs_get_nix_platform_display();
#endif
	info.cx = static_cast<uint32_t>(size.width());
	info.cy = static_cast<uint32_t>(size.height());
	info.num_backbuffers = 0;
	info.format = GS_RGBA;
	info.zsformat = GS_ZS_NONE;
	info.adapter = 0;

	displayHandle = obs_display_create(&info, 0x000000);
	emit DisplayCreated(this);
}

void GraphicsViewDisplay::ResizeNativeDisplay()
{
	const QSize size = ScaledPixelSize();
	obs_display_resize(displayHandle, static_cast<uint32_t>(size.width()),
			   static_cast<uint32_t>(size.height()));
}

QSize GraphicsViewDisplay::ScaledPixelSize() const
{
	// The true ratio: at a 1.5 scale factor the integer ratio would say 1.
	return size() * devicePixelRatioF();
}

QPaintEngine *GraphicsViewDisplay::paintEngine() const
{
	return nullptr;
}

void GraphicsViewDisplay::ExtensionHook() {}

bool GraphicsViewDisplay::event(QEvent *event)
{
	// The scroll-area base would send the view's own paint events to the
	// frame painter, which has no engine here, and never to paintEvent: the
	// exposure that should create the display would go unseen.
	if (event->type() == QEvent::Paint) {
		paintEvent(static_cast<QPaintEvent *>(event));
		return true;
	}
	return QGraphicsView::event(event);
}

void GraphicsViewDisplay::paintEvent(QPaintEvent *)
{
	EnsureNativeDisplay();
}

void GraphicsViewDisplay::resizeEvent(QResizeEvent *event)
{
	QWidget::resizeEvent(event);
	EnsureNativeDisplay();
	if (isVisible() && displayHandle)
		ResizeNativeDisplay();
	emit DisplayResized();
}
