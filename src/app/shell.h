// The shell's own state beside the one game state: the session the process runs and the frame
// driver. GLUT's callbacks reach them here; they are made, and made anew, as one.
#pragma once

#include <memory>

#include "app/frame.h"
#include "app/session.h"

struct Shell {
    std::unique_ptr<Session> session;  // a live game until start-up chooses
    FrameDriver frames;
};

Shell& shell();

// The process's session, and start-up's choice of it.
Session& session();
void useSession(std::unique_ptr<Session> chosen);

// The game state, the session (a live one) and the frame driver as a new process has them.
void resetShell();
