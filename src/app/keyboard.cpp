// Keys to actions.
#include "app/keyboard.h"

#include "platform/layout_keys.h"

Action actionForKey(unsigned char key) {
    switch (key) {
        case 'w':
            return Action::Up;
        case 's':
            return Action::Down;
        case 'a':
            return Action::Left;
        case 'd':
            return Action::Right;
        case kKeyEnter:
            return Action::Choose;
        case kKeyEscape:
            return Action::Back;
        case ' ':
            return Action::Pause;
        case 'f':
            return Action::Faster;
        default:
            return Action::None;
    }
}

void placeKeyDown(unsigned char key) {
    applyAction(actionForKey(key));
}

void placeKeyUp(unsigned char) {
    applyRelease();
}

// Keys read by their place before this one come first: a release read just before Enter ends
// the cooldown that Enter would otherwise meet.
void keyDown(unsigned char key, int, int) {
    takeLayoutKeysBefore(placeKeyDown, placeKeyUp);
    applyAction(actionForKey(key));
}

void keyUp(unsigned char, int, int) {
    takeLayoutKeysBefore(placeKeyDown, placeKeyUp);
    applyRelease();
}
