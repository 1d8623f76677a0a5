#include "native_session.h"

#include <obs.h>

#ifdef __linux__
#include <X11/Xlib.h>
#include <cstdlib>
#include <obs-nix-platform.h>
#endif

void PreferX11Session()
{
#ifdef __linux__
	const char *platform = std::getenv("QT_QPA_PLATFORM");
	if (std::getenv("WAYLAND_DISPLAY") && !(platform && *platform))
		setenv("QT_QPA_PLATFORM", "xcb", 1);
	// Initialising Qt's own GL integration costs a good part of start-up on
	// a software renderer; a value the user set is kept.
	setenv("QT_XCB_GL_INTEGRATION", "none", 0);
#endif
}

void ConnectEngineToDisplayServer()
{
#ifdef __linux__
	// Xlib is called from the engine's threads as well as this one.
	XInitThreads();
	obs_set_nix_platform(OBS_NIX_PLATFORM_X11_EGL);
	obs_set_nix_platform_display(XOpenDisplay(nullptr));
#endif
}

void ParkEngineGraphics()
{
	obs_enter_graphics();
}
