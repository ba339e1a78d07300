// Key positions to letters.
#include "platform/layout_keys.h"

namespace {

char cased(char letter, bool shifted) {
    return shifted ? static_cast<char>(letter - 'a' + 'A') : letter;
}

}  // namespace

char letterAtKeyPosition(std::string_view xkbKeyName, bool shifted) {
    if (xkbKeyName == "AD02") {
        return cased('w', shifted);
    }
    if (xkbKeyName == "AC01") {
        return cased('a', shifted);
    }
    if (xkbKeyName == "AC02") {
        return cased('s', shifted);
    }
    if (xkbKeyName == "AC03") {
        return cased('d', shifted);
    }
    return '\0';
}

char letterForVirtualKey(int virtualKey, bool shifted) {
    switch (virtualKey) {
        case 'W':
        case 'A':
        case 'S':
        case 'D':
            return cased(static_cast<char>(virtualKey - 'A' + 'a'), shifted);
        default:
            return '\0';
    }
}
