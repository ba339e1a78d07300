// Yellow GLUT stroke text on the text plane z = -10, and the lighting switches that bracket
// everything drawn in a flat colour.
#pragma once

#include <string_view>

// Draws text with its baseline starting at (x, y) on the text plane, at a uniform scale.
// Lighting must be off. Leaves the model-view matrix behind the last character.
void drawText(std::string_view text, double x, double y, double scale);

// Sets the stroke width for a window this many pixels high: 1 up to 1024, wider above.
void scaleTextLines(int windowHeight);

void lightingOff();
void lightingOn();
