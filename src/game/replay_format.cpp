// A recording's text: writing it, and reading it line by line with the line and the problem
// named for anything that is not a whole replay.
#include "game/replay_format.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "scores/shown_text.h"

namespace {

constexpr size_t kLongestLine = 200;
constexpr int32_t kHeaderLines = 6;

bool isHeading(char c) {
    return c == 'w' || c == 'a' || c == 's' || c == 'd';
}

// A whole decimal number of at most max, nothing else.
bool number(std::string_view text, uint64_t max, uint64_t& value) {
    if (text.empty() || text.size() > 20) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value <= max;
}

// "NAME N" with N a whole number of at most max; "NAME TEXT" with any text.
bool isNumberField(const std::vector<std::string_view>& w, std::string_view name, uint64_t max,
                   uint64_t& value) {
    return w.size() == 2 && w[0] == name && number(w[1], max, value);
}

bool isTextField(const std::vector<std::string_view>& w, std::string_view name) {
    return w.size() == 2 && w[0] == name && !w[1].empty();
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    size_t at = 0;
    while (at < line.size() && result.size() < 16) {
        const size_t end = std::min(line.find(' ', at), line.size());
        result.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return result;
}

class Reader {
public:
    Reader(Replay& replay, int32_t& line, std::string& problem)
        : replay_(replay), line_(line), problem_(problem) {}

    bool fail(std::string what) {
        problem_ = std::move(what);
        return false;
    }

    // One line of the text, numbered from 1.
    bool read(std::string_view text) {
        ++line_;
        if (text.size() > kLongestLine) {
            return fail("the line is longer than " + std::to_string(kLongestLine) + " bytes");
        }
        // No field is written with a control byte; one read would not write back the same
        // (a CR before the line end) or would reach a terminal raw.
        if (std::any_of(text.begin(), text.end(), isControlByte)) {
            return fail("the line holds a control byte");
        }
        if (ended_) {
            return text.empty() || fail("nothing may follow the end line");
        }
        const std::vector<std::string_view> w = words(text);
        return line_ <= kHeaderLines ? readHeader(w) : readBody(w);
    }

    // A line that can only be the end line.
    bool readEndLine(std::string_view text) {
        const std::vector<std::string_view> w = words(text);
        return text.size() <= kLongestLine && w.size() == 10 && w[0] == "end" && readEnd(w);
    }

    bool finish() {
        if (!ended_) {
            return fail(line_ < kHeaderLines ? "the replay's header is cut short"
                                             : "the end line is missing");
        }
        return true;
    }

private:
    // Lines 1 to 6: the format, the game, the seed, the position, the difficulty, the date.
    bool readHeader(const std::vector<std::string_view>& w) {
        uint64_t a = 0;
        switch (line_) {
            case 1: {
                // A version is any run of digits: one too large for a number is newer still.
                const std::string_view version = w.size() == 3 ? w[2] : std::string_view();
                const size_t first = version.find_first_not_of('0');
                if (w.size() != 3 || w[0] != "ORVEL" || w[1] != "replay" || version.empty() ||
                    version.find_first_not_of("0123456789") != std::string_view::npos ||
                    first == std::string_view::npos) {
                    return fail("this is not an ORVEL replay (no \"ORVEL replay VERSION\" line)");
                }
                if (!number(version, kReplayFormat, a)) {
                    return fail(
                        "the replay's format version " + std::string(version.substr(first)) +
                        " is newer than this game's (" + std::to_string(kReplayFormat) + ")");
                }
                replay_.format = static_cast<int>(a);
                return true;
            }
            case 2:
                if (!isTextField(w, "game")) {
                    return fail("expected \"game VERSION\"");
                }
                replay_.gameVersion = std::string(w[1]);
                return true;
            case 3:
                if (!isNumberField(w, "seed", UINT32_MAX, a)) {
                    return fail("expected \"seed N\" with N from 0 to 4294967295");
                }
                replay_.seed = static_cast<uint32_t>(a);
                return true;
            case 4:
                if (!isNumberField(w, "position", UINT64_MAX, a)) {
                    return fail("expected \"position N\"");
                }
                if (a > kReplayFarthestStart) {
                    return fail("position " + std::to_string(a) +
                                " is farther than a recording may start (at most " +
                                std::to_string(kReplayFarthestStart) + ")");
                }
                replay_.position = a;
                return true;
            case 5:
                if (!isNumberField(w, "difficulty", 4, a) || a < 1) {
                    return fail("expected \"difficulty N\" with N from 1 to 4");
                }
                replay_.difficulty = static_cast<int16_t>(a);
                return true;
            default:  // 6, the last
                if (!isTextField(w, "date")) {
                    return fail("expected \"date WHEN\"");
                }
                replay_.date = std::string(w[1]);
                return true;
        }
    }

    // After the header: turns and checks in the order of their steps, then the end line.
    bool readBody(const std::vector<std::string_view>& w) {
        uint64_t a = 0;
        uint64_t b = 0;
        if (w.size() == 3 && w[0] == "turn") {
            if (!number(w[1], kReplayLongest, a) || a == 0 || w[2].size() != 1 ||
                !isHeading(w[2][0])) {
                return fail("expected \"turn STEP HEADING\" with a heading of w, a, s or d");
            }
            if (!replay_.turns.empty() && a <= uint64_t(replay_.turns.back().step)) {
                return fail("turn steps must grow from line to line");
            }
            replay_.turns.push_back({static_cast<int32_t>(a), w[2][0]});
            return true;
        }
        if (w.size() == 3 && w[0] == "check") {
            if (!number(w[1], kReplayLongest, a) || a == 0 || !number(w[2], UINT64_MAX, b)) {
                return fail("expected \"check STEP HASH\"");
            }
            if (!replay_.checkpoints.empty() && a <= uint64_t(replay_.checkpoints.back().step)) {
                return fail("check steps must grow from line to line");
            }
            replay_.checkpoints.push_back({static_cast<int32_t>(a), b});
            return true;
        }
        if (w.size() == 10 && w[0] == "end") {
            return readEnd(w);
        }
        return fail("expected a turn, check or end line");
    }

    bool readEnd(const std::vector<std::string_view>& w) {
        uint64_t steps = 0;
        uint64_t score = 0;
        uint64_t lives = 0;
        uint64_t hash = 0;
        if ((w[1] != "gameover" && w[1] != "escape" && w[1] != "exit") || w[2] != "steps" ||
            !number(w[3], kReplayLongest, steps) || w[4] != "score" ||
            !number(w[5], INT16_MAX, score) || w[6] != "lives" || !number(w[7], 3, lives) ||
            w[8] != "hash" || !number(w[9], UINT64_MAX, hash)) {
            return fail("expected \"end gameover|escape|exit steps N score N lives N hash N\"");
        }
        const auto beyond = [steps](int32_t step) { return uint64_t(step) > steps; };
        if ((!replay_.turns.empty() && beyond(replay_.turns.back().step)) ||
            (!replay_.checkpoints.empty() && beyond(replay_.checkpoints.back().step))) {
            return fail("a turn or check lies beyond the replay's last step");
        }
        replay_.ending = std::string(w[1]);
        replay_.steps = static_cast<int32_t>(steps);
        replay_.score = static_cast<int16_t>(score);
        replay_.lives = static_cast<int16_t>(lives);
        replay_.hash = hash;
        ended_ = true;
        return true;
    }

    Replay& replay_;
    int32_t& line_;
    std::string& problem_;
    bool ended_ = false;
};

}  // namespace

bool replayEndScore(std::string_view text, int16_t& score) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    const size_t start = text.find_last_of("\r\n");
    const std::string_view last = start == std::string_view::npos ? text : text.substr(start + 1);
    Replay replay;
    int32_t line = 0;
    std::string problem;
    Reader reader(replay, line, problem);
    if (!reader.readEndLine(last)) {
        return false;
    }
    score = replay.score;
    return true;
}

std::string replayText(const Replay& replay) {
    std::string text = "ORVEL replay " + std::to_string(replay.format) + "\n";
    text += "game " + replay.gameVersion + "\n";
    text += "seed " + std::to_string(replay.seed) + "\n";
    text += "position " + std::to_string(replay.position) + "\n";
    text += "difficulty " + std::to_string(replay.difficulty) + "\n";
    text += "date " + replay.date + "\n";
    size_t turn = 0;
    for (const ReplayCheckpoint& check : replay.checkpoints) {
        for (; turn < replay.turns.size() && replay.turns[turn].step <= check.step; ++turn) {
            text += "turn " + std::to_string(replay.turns[turn].step) + " " +
                    replay.turns[turn].heading + "\n";
        }
        text += "check " + std::to_string(check.step) + " " + std::to_string(check.hash) + "\n";
    }
    for (; turn < replay.turns.size(); ++turn) {
        text += "turn " + std::to_string(replay.turns[turn].step) + " " +
                replay.turns[turn].heading + "\n";
    }
    text += "end " + replay.ending + " steps " + std::to_string(replay.steps) + " score " +
            std::to_string(replay.score) + " lives " + std::to_string(replay.lives) + " hash " +
            std::to_string(replay.hash) + "\n";
    return text;
}

bool parseReplay(std::string_view text, Replay& replay, int32_t& line, std::string& problem) {
    replay = Replay{};
    line = 0;
    if (text.size() > kReplayLargest) {
        problem = "it is larger than " + std::to_string(kReplayLargest) + " bytes";
        return false;
    }
    Reader reader(replay, line, problem);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view one = text.substr(at, end - at);
        if (!one.empty() && one.back() == '\r') {
            one.remove_suffix(1);
        }
        if (!reader.read(one)) {
            return false;
        }
        at = end + 1;
    }
    if (!reader.finish()) {
        line = 0;
        return false;
    }
    return true;
}
