/* An engine module for tests only: two streaming service types that report,
 * through the engine's log, what the engine asks of them, and a source that
 * draws one solid colour. */
#include <graphics/vec4.h>
#include <obs-module.h>
#include <obs-hotkey.h>

OBS_DECLARE_MODULE()

struct test_service {
	obs_service_t *service;
};

static void report(const char *event, obs_service_t *service,
		   obs_data_t *settings)
{
	obs_data_t *hotkeys = obs_hotkeys_save_service(service);
	blog(LOG_INFO,
	     "lumaro-test-services: %s type=%s name=%s settings=%s hotkeys=%s",
	     event, obs_service_get_id(service), obs_service_get_name(service),
	     settings ? obs_data_get_json(settings) : "(null)",
	     hotkeys ? obs_data_get_json(hotkeys) : "(null)");
	obs_data_release(hotkeys);
}


static void hotkey_pressed(void *data, obs_hotkey_id id, obs_hotkey_t *hotkey,
			   bool down)
{
	(void)data, (void)id, (void)hotkey, (void)down;
}

static void *create(obs_data_t *settings, obs_service_t *service)
{
	struct test_service *test = bzalloc(sizeof(*test));
	test->service = service;
	/* The engine binds the hotkey from the hotkey data it was given. */
	obs_hotkey_register_service(service, "lumaro_test_hotkey",
				    "Test hotkey", hotkey_pressed, test);
	report("create", service, settings);
	return test;
}

static void destroy(void *data)
{
	struct test_service *test = data;
	blog(LOG_INFO, "lumaro-test-services: destroy name=%s",
	     obs_service_get_name(test->service));
	bfree(test);
}

static const char *rtmp_common_name(void *unused)
{
	(void)unused;
	return "Test RTMP service";
}

static const char *other_name(void *unused)
{
	(void)unused;
	return "Test other service";
}

/* The colour source: "color" (0xAABBGGRR), "width" and "height". */
struct test_colour {
	struct vec4 colour;
	uint32_t width, height;
};

static const char *colour_name(void *unused)
{
	(void)unused;
	return "Test colour";
}

static void colour_update(void *data, obs_data_t *settings)
{
	struct test_colour *source = data;
	vec4_from_rgba(&source->colour,
		       (uint32_t)obs_data_get_int(settings, "color"));
	source->width = (uint32_t)obs_data_get_int(settings, "width");
	source->height = (uint32_t)obs_data_get_int(settings, "height");
}

static void *colour_create(obs_data_t *settings, obs_source_t *owner)
{
	(void)owner;
	struct test_colour *source = bzalloc(sizeof(*source));
	colour_update(source, settings);
	return source;
}

static void colour_destroy(void *data)
{
	bfree(data);
}

static uint32_t colour_width(void *data)
{
	return ((struct test_colour *)data)->width;
}

static uint32_t colour_height(void *data)
{
	return ((struct test_colour *)data)->height;
}

static void colour_render(void *data, gs_effect_t *unused)
{
	(void)unused;
	struct test_colour *source = data;
	gs_effect_t *solid = obs_get_base_effect(OBS_EFFECT_SOLID);
	gs_effect_set_vec4(gs_effect_get_param_by_name(solid, "color"),
			   &source->colour);
	while (gs_effect_loop(solid, "Solid"))
		gs_draw_sprite(NULL, 0, source->width, source->height);
}

bool obs_module_load(void)
{
	struct obs_service_info rtmp_common = {
		.id = "rtmp_common",
		.get_name = rtmp_common_name,
		.create = create,
		.destroy = destroy,
	};
	struct obs_service_info other = {
		.id = "lumaro_test_service",
		.get_name = other_name,
		.create = create,
		.destroy = destroy,
	};
	obs_register_service(&rtmp_common);
	obs_register_service(&other);

	struct obs_source_info colour = {
		.id = "lumaro_test_colour",
		.type = OBS_SOURCE_TYPE_INPUT,
		/* It draws with its own effect, not inside the engine's. */
		.output_flags = OBS_SOURCE_VIDEO | OBS_SOURCE_CUSTOM_DRAW,
		.get_name = colour_name,
		.create = colour_create,
		.destroy = colour_destroy,
		.update = colour_update,
		.get_width = colour_width,
		.get_height = colour_height,
		.video_render = colour_render,
	};
	obs_register_source(&colour);
	return true;
}
