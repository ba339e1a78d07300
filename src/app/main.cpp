// The program's entry: start up, run the GLUT main loop, and save the table however it ends.
#include "app/keyboard.h"
#include "app/startup.h"
#include "render/gl.h"

int main(int argc, char** argv) {
    startUp(argc, argv);
    glutMainLoop();
    // The main loop returns only when the window was closed: that ends the game like Exit.
    saveAndExit();
}
