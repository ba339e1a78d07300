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

#include <cstddef>
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

namespace {

// Hands over the place keys of seen in order; with untilCharacter, stops after the first key
// that has a character (the one GLUT is delivering now, as GLUT delivers them in this order).
void handOver(void (*press)(unsigned char), void (*release)(unsigned char), bool untilCharacter) {
    std::vector<XKeyEvent> keys;
    keys.swap(seen);
    size_t next = 0;
    while (next < keys.size()) {
        XKeyEvent& key = keys[next++];
        char text[8];
        KeySym symbol = NoSymbol;
        if (XLookupString(&key, text, sizeof text, &symbol, nullptr) > 0) {
            if (untilCharacter) {
                break;
            }
            continue;  // a character: GLUT delivered it
        }
        const bool shifted = ((key.state & ShiftMask) != 0) != ((key.state & LockMask) != 0);
        const char letter = letterAtKeyPosition(placeOf(key.keycode), shifted);
        if (letter != '\0') {
            (key.type == KeyPress ? press : release)(static_cast<unsigned char>(letter));
        }
    }
    // Keys read meanwhile (a handler may look at the display) follow those not yet handed over.
    seen.insert(seen.begin(), keys.begin() + static_cast<std::ptrdiff_t>(next), keys.end());
}

}  // namespace

void takeLayoutKeys(void (*press)(unsigned char), void (*release)(unsigned char)) {
    handOver(press, release, false);
}

void takeLayoutKeysBefore(void (*press)(unsigned char), void (*release)(unsigned char)) {
    handOver(press, release, true);
}
