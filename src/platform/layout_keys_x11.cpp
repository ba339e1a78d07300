// The w, a, s and d places on X11, for layouts without Latin letters. GLUT passes on only
// what XLookupString makes of a key, nothing for a Cyrillic or Greek letter. The game hooks
// the conversion of key events on GLUT's own connection (which sees them even while game mode
// grabs the keyboard), keeps a copy of each, and at the next frame hands over those for which
// the active layout makes no character, by their place: exactly the ones GLUT could not
// deliver.
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>

#include <string_view>
#include <vector>

#include "platform/layout_keys.h"

extern "C" {
// Xlib's hook for turning a wire event into an XEvent (declared in Xlibint.h).
using WireToEvent = Bool (*)(Display*, XEvent*, xEvent*);
WireToEvent XESetWireToEvent(Display* display, int event, WireToEvent proc);
}

namespace {

Display* keyDisplay = nullptr;
XkbDescPtr keyboard = nullptr;  // for the keys' place names
WireToEvent convertPress = nullptr;
WireToEvent convertRelease = nullptr;
// Copies of the key events read since the last frame. Nothing else is done while Xlib is
// converting: a lookup there could ask the server, inside Xlib's own reading.
std::vector<XKeyEvent> seen;

Bool onPress(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = convertPress(display, event, wire);
    if (converted && event->type == KeyPress) {
        seen.push_back(event->xkey);
    }
    return converted;
}

Bool onRelease(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = convertRelease(display, event, wire);
    if (converted && event->type == KeyRelease) {
        seen.push_back(event->xkey);
    }
    return converted;
}

std::string_view placeOf(unsigned int keycode) {
    if (!keyboard || !keyboard->names || !keyboard->names->keys ||
        keycode < keyboard->min_key_code || keycode > keyboard->max_key_code) {
        return {};
    }
    const char* name = keyboard->names->keys[keycode].name;
    size_t length = 0;
    while (length < XkbKeyNameLength && name[length] != '\0') {
        ++length;
    }
    return {name, length};
}

}  // namespace

void watchLayoutKeys() {
    Display* display = glXGetCurrentDisplay();
    if (!display || keyDisplay) {
        return;
    }
    keyDisplay = display;
    keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    if (keyboard) {
        XkbGetNames(display, XkbKeyNamesMask, keyboard);
    }
    convertPress = XESetWireToEvent(display, KeyPress, onPress);
    convertRelease = XESetWireToEvent(display, KeyRelease, onRelease);
}

void takeLayoutKeys(void (*press)(unsigned char), void (*release)(unsigned char)) {
    std::vector<XKeyEvent> keys;
    keys.swap(seen);
    for (XKeyEvent& key : keys) {
        char text[8];
        KeySym symbol = NoSymbol;
        if (XLookupString(&key, text, sizeof text, &symbol, nullptr) > 0) {
            continue;  // a character: GLUT delivered it
        }
        const bool shifted = ((key.state & ShiftMask) != 0) != ((key.state & LockMask) != 0);
        const char letter = letterAtKeyPosition(placeOf(key.keycode), shifted);
        if (letter != '\0') {
            (key.type == KeyPress ? press : release)(static_cast<unsigned char>(letter));
        }
    }
}
