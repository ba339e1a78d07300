// The one place that knows where this platform keeps its OpenGL, GLU and GLUT headers.
// Everything that draws includes this instead of naming the headers itself.
#pragma once

#if defined(__APPLE__)
#include <GLUT/glut.h>
#include <OpenGL/gl.h>
#include <OpenGL/glu.h>
#else
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#endif
