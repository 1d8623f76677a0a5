// Embedding the view: a host starts the engine, shows a GraphicsViewDisplay
// and, once the view announces its display, draws into it through a draw
// callback. Here the drawing is a colour source from the test module.
//
//   lumaro-colour-example MODULE_DIR [RRGGBB]
#include <QApplication>
#include <cstdlib>
#include <obs.h>

#include "close_on_signal.h"
#include "engine_settings.h"
#include "graphics_view_display.h"
#include "native_session.h"

// Called on the engine's graphics thread for every frame of the display.
static void DrawSource(void *source, uint32_t, uint32_t)
{
	obs_source_video_render(static_cast<obs_source_t *>(source));
}

int main(int argc, char *argv[])
{
	if (argc < 2)
		return 2;
	const unsigned rgb = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 16))
				      : 0x3366cc;

	PreferX11Session();
	QApplication application(argc, argv);
	ConnectEngineToDisplayServer();
	obs_startup("en-US", nullptr, nullptr);
	obs_add_module_path(argv[1], argv[1]);
	obs_load_all_modules();
	obs_video_info video = MakeVideoInfo(kColorspaceText, kRangeText);
	obs_reset_video(&video);

	// The engine's colours are 0xAABBGGRR.
	const unsigned abgr = 0xff000000u | (rgb & 0xff) << 16 | (rgb & 0xff00) |
			      (rgb >> 16 & 0xff);
	obs_data_t *settings = obs_data_create();
	obs_data_set_int(settings, "color", abgr);
	obs_data_set_int(settings, "width", 800);
	obs_data_set_int(settings, "height", 600);
	obs_source_t *source = obs_source_create("lumaro_test_colour", "colour",
						 settings, nullptr);
	obs_data_release(settings);

	GraphicsViewDisplay view(nullptr);
	// Called on the GUI thread, right after each creation attempt.
	QObject::connect(&view, &GraphicsViewDisplay::DisplayCreated,
			 [source](GraphicsViewDisplay *window) {
				 if (window->Display())
					 obs_display_add_draw_callback(
						 window->Display(), DrawSource,
						 source);
			 });
	view.resize(800, 600);
	CloseOnTerminationSignals(view);
	view.show();
	const int result = application.exec();
	obs_display_remove_draw_callback(view.Display(), DrawSource, source);
	obs_source_release(source);
	return result;
}
