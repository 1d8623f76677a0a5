// The least any host of the engine does for what lumaro shows: the engine
// started once with all modules, video and audio reset with the same settings,
// one display on an 800 x 600 native window, and exit on a close request.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <obs-nix-platform.h>
#include <obs.h>
#include <unistd.h>

#include "engine_settings.h"

int main()
{
	// The engine gets a connection of its own, as in lumaro: its threads use
	// it while this one waits for the window's events.
	XInitThreads();
	Display *engineConnection = XOpenDisplay(nullptr);
	Display *display = XOpenDisplay(nullptr);
	if (!display || !engineConnection)
		return 1;
	obs_set_nix_platform(OBS_NIX_PLATFORM_X11_EGL);
	obs_set_nix_platform_display(engineConnection);
	obs_startup("zh-CN", nullptr, nullptr);
	obs_load_all_modules();
	obs_video_info video = MakeVideoInfo(kColorspaceText, kRangeText);
	obs_reset_video(&video);
	obs_audio_info2 audio = MakeAudioInfo();
	obs_reset_audio2(&audio);

	Window window = XCreateSimpleWindow(display, DefaultRootWindow(display),
					    0, 0, 800, 600, 0, 0, 0);
	Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
	XSetWMProtocols(display, window, &deleteWindow, 1);
	long pid = getpid();
	XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False),
			XA_CARDINAL, 32, PropModeReplace,
			reinterpret_cast<unsigned char *>(&pid), 1);
	XSelectInput(display, window, ExposureMask);
	XMapWindow(display, window);

	obs_display_t *engineDisplay = nullptr;
	for (;;) {
		XEvent event;
		XNextEvent(display, &event);
		if (event.type == Expose && !engineDisplay) {
			gs_init_data info = {};
			info.window.id = static_cast<uint32_t>(window);
			info.window.display = engineConnection;
			info.cx = 800;
			info.cy = 600;
			info.format = GS_RGBA;
			info.zsformat = GS_ZS_NONE;
			engineDisplay = obs_display_create(&info, 0);
		} else if (event.type == ClientMessage &&
			   Atom(event.xclient.data.l[0]) == deleteWindow) {
			break;
		}
	}
	obs_display_destroy(engineDisplay);
	XDestroyWindow(display, window);
	return 0;
}
