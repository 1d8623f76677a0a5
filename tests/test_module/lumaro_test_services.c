/* An engine module for tests only: two streaming service types that report,
 * through the engine's log, what the engine asks of them. */
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
	return true;
}
