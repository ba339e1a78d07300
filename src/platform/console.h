// Standard output as the game's console.
#pragma once

// Makes standard output line-buffered, so that every diagnostic line is seen when it happens.
void makeOutputLineBuffered();
