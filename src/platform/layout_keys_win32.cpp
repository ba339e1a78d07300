// The w, a, s and d positions on Windows, for layouts without Latin letters. GLUT passes on
// WM_CHAR, a character of the ANSI code page; a thread keyboard hook sees the virtual-key
// codes, which follow the US positions on such layouts, and queues those keys whose character
// in the active layout is no Latin letter. Untested on a real Windows: Wine here can't switch
// the layout.
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/layout_keys.h"

namespace {

HHOOK hook = nullptr;
std::vector<std::pair<char, bool>> queued;  // letter, pressed

LRESULT CALLBACK onKey(int code, WPARAM virtualKey, LPARAM info) {
    if (code == HC_ACTION) {
        const UINT made = MapVirtualKeyExW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_CHAR,
                                           GetKeyboardLayout(0)) &
                          0x7fffffffu;
        if (made < 'A' || made > 'Z') {
            const bool shifted =
                ((GetKeyState(VK_SHIFT) & 0x8000) != 0) != ((GetKeyState(VK_CAPITAL) & 1) != 0);
            const char letter = letterForVirtualKey(static_cast<int>(virtualKey), shifted);
            if (letter != '\0') {
                const bool released = (static_cast<unsigned long long>(info) >> 31) & 1u;
                queued.emplace_back(letter, !released);
            }
        }
    }
    return CallNextHookEx(hook, code, virtualKey, info);
}

}  // namespace

void watchLayoutKeys() {
    if (!hook) {
        hook = SetWindowsHookExW(WH_KEYBOARD, onKey, nullptr, GetCurrentThreadId());
    }
}

void takeLayoutKeys(void (*press)(unsigned char), void (*release)(unsigned char)) {
    for (const auto& [letter, pressed] : queued) {
        (pressed ? press : release)(static_cast<unsigned char>(letter));
    }
    queued.clear();
}

// The hook sees a key as the game takes its message, before the message is dispatched: what is
// queued was typed before the key being delivered now.
void takeLayoutKeysBefore(void (*press)(unsigned char), void (*release)(unsigned char)) {
    takeLayoutKeys(press, release);
}
