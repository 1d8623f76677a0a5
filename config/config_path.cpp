#include "config_path.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <util/bmem.h>
#include <util/platform.h>

// The absolute path of name, or empty when there is none to give.
static std::string ResolveConfigPath(const char *name)
{
	if (!name)
		name = "";
#if defined(_WIN32) || defined(__APPLE__)
	char *path = os_get_config_path_ptr(name);
	std::string resolved = path ? path : "";
	bfree(path);
	return resolved;
#else
	// The engine's resolver ends the whole process when $HOME is missing and
	// takes an empty or relative XDG_CONFIG_HOME as it stands, so on XDG
	// systems we follow the XDG rules ourselves: an empty or relative value
	// is ignored in favour of $HOME/.config.
	std::string directory;
	const char *xdg = std::getenv("XDG_CONFIG_HOME");
	const char *home = std::getenv("HOME");
	if (xdg && xdg[0] == '/')
		directory = xdg;
	else if (home && home[0] == '/')
		directory = std::string(home) + "/.config";
	else
		return std::string();
	return *name ? directory + "/" + name : directory;
#endif
}

int GetConfigPath(char *buffer, size_t size, const char *name)
{
	const std::string path = ResolveConfigPath(name);
	if (path.empty() || path.size() >= size)
		return 0;
	std::memcpy(buffer, path.c_str(), path.size() + 1);
	return static_cast<int>(path.size());
}

char *GetConfigPathAlloc(const char *name)
{
	const std::string path = ResolveConfigPath(name);
	return path.empty() ? nullptr : bstrdup(path.c_str());
}
