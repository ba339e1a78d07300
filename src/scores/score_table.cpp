// The table's rules on plain rows.
#include "scores/score_table.h"

#include <cstdio>
#include <utility>

void sortRows(ScoreRows& rows) {
    for (int pass = 1; pass <= kHighScoreRows - 1; ++pass) {
        for (int i = 1; i <= kHighScoreRows - 1; ++i) {
            if (rows[i].score < rows[i + 1].score) {
                std::swap(rows[i], rows[i + 1]);
            }
        }
    }
}

int32_t enterRow(ScoreRows& rows, const scores& row) {
    if (row.score <= rows[kHighScoreRows].score) {
        return 0;
    }
    int32_t at = kHighScoreRows + 1;
    for (int32_t i = 1; i <= kHighScoreRows; ++i) {
        if (rows[i].score < row.score) {
            --at;
        }
    }
    for (int32_t i = kHighScoreRows; i > at; --i) {
        rows[i] = rows[i - 1];
    }
    rows[at] = row;
    return at;
}

void clearRows(ScoreRows& rows) {
    for (int i = 1; i <= kHighScoreRows; ++i) {
        rows[i] = kFillerRow;
    }
}

void recordChange(std::vector<TableChange>& changes, TableChange change) {
    if (change.kind == TableChange::Kind::Reset) {
        changes.clear();
    } else if (change.kind == TableChange::Kind::Sort && !changes.empty() &&
               changes.back().kind == TableChange::Kind::Sort) {
        return;
    }
    changes.push_back(std::move(change));
}

void applyChanges(ScoreRows& rows, const std::vector<TableChange>& changes) {
    for (const TableChange& change : changes) {
        switch (change.kind) {
            case TableChange::Kind::Sort:
                sortRows(rows);
                break;
            case TableChange::Kind::Enter:
                enterRow(rows, change.row);
                break;
            case TableChange::Kind::Reset:
                clearRows(rows);
                break;
        }
    }
}

std::string tableText(const ScoreRows& rows) {
    std::string text;
    for (int i = 1; i <= kHighScoreRows; ++i) {
        text += rows[i].name + "\r\n" + std::to_string(rows[i].score) + "\r\n";
    }
    return text;
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
        const bool control = byte < 32 || byte == 127 || (byte == 0xC2 && next(1) < 0xA0) ||
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
