// Text shown to a player or a terminal: the one rule for control bytes, and escaping.
#include "scores/shown_text.h"

#include <cstdio>

bool isControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

namespace {

// The length of the valid UTF-8 sequence text holds at `at` (1 to 4), or 0 when the byte there
// starts none: a stray continuation, an overlong form, a surrogate, past U+10FFFF, or cut short.
size_t utf8Length(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char low = 0x80;  // the second byte's range, narrower after some leads
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string escapeControls(const std::string& text) {
    std::string shown;
    size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        size_t length = utf8Length(text, at);
        const auto next = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
        // C0, DEL, and C1 written in UTF-8 (U+0080 to U+009F: 0xC2 0x9B is a CSI to terminals).
        // The bidirectional embeddings, overrides and isolates (U+202A to U+202E, U+2066 to
        // U+2069) reorder the rest of a terminal's line, so a name could show as another.
        // A backslash before an x is shown too: every "\x" printed is then an escape, and a name
        // holding the four bytes \x1B never looks like one holding ESC.
        const bool control = isControlByte(text[at]) || (byte == 0xC2 && next(1) < 0xA0) ||
                             (length == 3 && byte == 0xE2 &&
                              ((next(1) == 0x80 && next(2) >= 0xAA && next(2) <= 0xAE) ||
                               (next(1) == 0x81 && next(2) >= 0xA6 && next(2) <= 0xA9))) ||
                             (byte == '\\' && at + 1 < text.size() && text[at + 1] == 'x');
        if (length == 0 || control) {
            // A byte that is no UTF-8 (a lone 0x9B is a CSI too) is shown, as a control is.
            length = length == 0 ? 1 : length;
            for (size_t i = at; i < at + length; ++i) {
                char code[5];
                std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(text[i]));
                shown += code;
            }
        } else {
            shown.append(text, at, length);
        }
        at += length;
    }
    return shown;
}
