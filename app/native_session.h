// How the window and the engine reach the display server.
#pragma once

// On a Wayland session, runs Qt through XWayland unless a platform was chosen:
// the engine is bound to X11. Also spares Qt loading OpenGL of its own, which
// it never uses here (the engine draws the window). Call before the
// QApplication exists.
void PreferX11Session();

// Gives the engine a display server connection of its own, kept open until the
// process ends: the engine is never shut down and its threads outlive main.
// Call before the engine starts.
void ConnectEngineToDisplayServer();

// Holds the engine's graphics lock from here until the process ends: the
// engine is never shut down, and its graphics thread must be between frames,
// not inside the GL libraries, while their exit handlers tear them down.
void ParkEngineGraphics();
