// Starts the real engine once per test process, bound to the X server of the
// tests, with or without its video pipeline.
#pragma once

enum class EngineVideo { Reset, Skipped };

// Call after the QApplication exists.
void StartTestEngine(EngineVideo video);
