// Keys to actions.
#include "app/keyboard.h"

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

void keyDown(unsigned char key, int, int) {
    applyAction(actionForKey(key));
}

void keyUp(unsigned char, int, int) {
    applyRelease();
}
