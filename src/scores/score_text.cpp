// Line splitting and score parsing for the high-score file.
#include "scores/score_text.h"

bool ScoreTextReader::consumeLineEnd() {
    if (atEnd()) {
        return false;
    }
    if (text_[pos_] == '\r') {
        ++pos_;
        if (!atEnd() && text_[pos_] == '\n') {
            ++pos_;
        }
    } else if (text_[pos_] == '\n') {
        ++pos_;
    } else {
        return false;
    }
    ++line_;
    return true;
}

std::string ScoreTextReader::readLine() {
    const size_t start = pos_;
    while (!atEnd() && text_[pos_] != '\r' && text_[pos_] != '\n') {
        ++pos_;
    }
    std::string content(text_.substr(start, pos_ - start));
    consumeLineEnd();
    return content;
}

std::string ScoreTextReader::readToken(int32_t& tokenLine) {
    while (!atEnd() && static_cast<unsigned char>(text_[pos_]) <= 32) {
        if (!consumeLineEnd()) {
            ++pos_;
        }
    }
    tokenLine = line_;
    const size_t start = pos_;
    while (!atEnd() && static_cast<unsigned char>(text_[pos_]) > 32) {
        ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
}

void ScoreTextReader::skipLine() {
    readLine();
}

bool parseScore(std::string_view token, int16_t& score) {
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i == token.size()) {
        return false;
    }
    // Only the low 16 bits survive, so the value can be kept modulo 65536 digit by digit.
    uint32_t low = 0;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') {
            return false;
        }
        low = (low * 10 + static_cast<uint32_t>(token[i] - '0')) & 0xFFFFu;
    }
    if (negative) {
        low = (0x10000u - low) & 0xFFFFu;
    }
    score = static_cast<int16_t>(low >= 0x8000u ? static_cast<int32_t>(low) - 0x10000
                                                : static_cast<int32_t>(low));
    return true;
}

int32_t readScoreRows(std::string_view text, std::array<scores, kHighScoreSlots + 1>& rows,
                      const std::function<void(const scores&)>& onRow, ScoreLineError& error,
                      size_t* consumed) {
    ScoreTextReader reader(text);
    int32_t r = 1;
    do {
        scores row;
        row.name = reader.readLine();
        int32_t line = 0;
        const std::string token = reader.readToken(line);
        if (!token.empty()) {
            if (!parseScore(token, row.score)) {
                error = {line, token};
                return 0;
            }
            reader.skipLine();
        }
        rows[r] = std::move(row);
        onRow(rows[r]);
        ++r;
    } while (!reader.atEnd() && r <= kHighScoreSlots);
    if (consumed) {
        *consumed = reader.position();
    }
    return r - 1;
}

int32_t firstLongLine(std::string_view text, size_t limit) {
    int32_t line = 1;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size() || text[i] == '\r' || text[i] == '\n';
        if (!end) {
            continue;
        }
        if (i - start > limit) {
            return line;
        }
        // CR LF is one line end.
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
            ++i;
        }
        ++line;
        start = i + 1;
    }
    return 0;
}
