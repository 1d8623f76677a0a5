#include "streaming_service.h"

#include <util/bmem.h>
#include <util/platform.h>

#include "config_path.h"

OBSService activeService;

bool LoadStreamingService()
{
	char path[512];
	if (GetConfigPath(path, sizeof(path), "zandor/basic/service.json") <= 0)
		return false;

	bool loaded = false;
	char *text = os_quick_read_utf8_file(path);
	if (text) {
		obs_data_t *data = obs_data_create_from_json(text);
		obs_data_set_default_string(data, "type", "rtmp_common");
		const char *type = obs_data_get_string(data, "type");
		obs_data_t *settings = obs_data_get_obj(data, "settings");
		obs_data_t *hotkeys = obs_data_get_obj(data, "hotkeys");

		obs_service_t *service = obs_service_create(
			type, "default_service", settings, hotkeys);
		activeService = service;
		obs_service_release(service);

		obs_data_release(hotkeys);
		obs_data_release(settings);
		obs_data_release(data);
		loaded = activeService != nullptr;
	}
	bfree(text);
	return loaded;
}
