// Start-up: the window and the fixed rendering state every frame relies on.
#pragma once

// The window's title, which also tells a new user the two keys that matter.
inline constexpr char kWindowTitle[] = "Normals: space pauses, any other key advances";

// The window's size, in pixels, whatever the command line asks.
inline constexpr int kWindowWidth = 400;
inline constexpr int kWindowHeight = 400;

// The projection: a 45 degree field of view, its aspect fixed at 1, near and far planes.
inline constexpr double kFieldOfView = 45.0;
inline constexpr double kAspect = 1.0;
inline constexpr double kNearPlane = 0.01;
inline constexpr double kFarPlane = 1000.0;

// The one light: its ambient and diffuse colours, and its position, given while the modelview
// is the identity. Directional (w = 0), it stays fixed to the eye and shines from beyond the
// scene toward the viewer.
inline constexpr float kLightAmbient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
inline constexpr float kLightDiffuse[4] = {0.5f, 0.5f, 0.5f, 1.0f};
inline constexpr float kLightPosition[4] = {0.0f, 0.0f, -10.0f, 0.0f};

// Initialises the toolkit with the command line, creates the window, sets the fixed state and
// registers the handlers. Does not enter the event loop, so tests and tools can draw frames
// themselves afterwards.
void startViewer(int* argc, char** argv);

// Start-up for a program that hands the toolkit no arguments of its own (tests, tools,
// benchmarks): the toolkit sees only the program's name.
void startViewer(const char* programName);
