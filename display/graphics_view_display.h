// The program's one window: a widget whose whole surface is an engine display
// bound to its native window and kept at the widget's size in device pixels.
#pragma once

#include <QGraphicsView>
#include <QSize>
#include <obs.hpp>

class GraphicsViewDisplay : public QGraphicsView {
	Q_OBJECT

public:
	explicit GraphicsViewDisplay(QWidget *parent);
	~GraphicsViewDisplay() override;

	// Creates the display once the native window is exposed; no-op after that.
	void EnsureNativeDisplay();
	// Passes the current device-pixel size to the display (empty handle ignored).
	void ResizeNativeDisplay();
	// The view's size in device pixels, fractional ratios included.
	QSize ScaledPixelSize() const;

	// For receivers of DisplayCreated that add draw callbacks; null until created.
	obs_display_t *Display() const { return displayHandle; }

	QPaintEngine *paintEngine() const override;

	virtual void ExtensionHook();

signals:
	void DisplayCreated(GraphicsViewDisplay *window);
	void DisplayResized();

protected:
	bool event(QEvent *event) override;
	void paintEvent(QPaintEvent *event) override;
	void resizeEvent(QResizeEvent *event) override;

private:
	OBSDisplay displayHandle;
};
