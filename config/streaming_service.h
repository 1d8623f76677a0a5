// The engine's default streaming service, made from the sibling studio
// application's profile "zandor/basic/service.json" (read only).
#pragma once

#include <obs.hpp>

// The program's one reference to the service; released at process exit.
extern OBSService activeService;

// Creates "default_service" from the profile; true when activeService holds a
// service afterwards. Needs the engine started and its modules loaded.
bool LoadStreamingService();
