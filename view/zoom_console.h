// The zoom console: a disc of radius 65 floating over the canvas at a client position, showing the
// zoom in percent, with a plus button near its top and a minus button near its bottom, and, while
// it is activated, a ring of dots around it that turns the zoom.
#pragma once

#include "model/records.h"
#include "render/surface.h"

namespace ravelo {

constexpr int kConsoleRadius = 65;
constexpr Point kConsoleHome{79, 79};  // where ID_ZOOM_DEF puts it

// What lies under a client point: -1 outside the console; inside 1, or with withButtons 2 on its
// plus and 3 on its minus button.
constexpr int kConsoleBody = 1;
constexpr int kConsolePlus = 2;
constexpr int kConsoleMinus = 3;
int HitZoomConsole(Point centre, Point client, bool withButtons);

// The ring around the console: 65 <= distance < 74.
bool OnZoomConsoleRing(Point centre, Point client);

// The centre kept at least 65 pixels inside the client area shrunk by 5 on every side; the lower
// limits win when the area is too small.
Point ClampConsoleCentre(Point centre, Size client);

// Draws the console centred at a surface point with the zoom in percent, and its ring when
// activated.
void DrawZoomConsole(Surface& surface, Point centre, float zoom, bool activated);

}  // namespace ravelo
