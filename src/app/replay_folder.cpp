// The replay folder: recordings' names, their order, their scores and what is kept.
#include "app/replay_folder.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/storage.h"

namespace {

constexpr std::string_view kSuffix = ".orvel-replay";
constexpr size_t kKeepNewest = 50;
constexpr size_t kKeepBest = 10;
constexpr size_t kRemovedPerGame = 2;
constexpr size_t kRemovedAtStart = 100;
constexpr size_t kTailBytes = 512;                       // an end line is at most 200 bytes
constexpr uint64_t kLastNumber = 999999999999999999ULL;  // eighteen digits
// More games than anyone plays: a number this far above every lower one was not reached by
// counting games, so it is out of the sequence (see replay_folder.h).
constexpr uint64_t kFarAbove = 1000000000ULL;

// Reads a name left to right; every part must be exactly what is asked for.
class NameReader {
public:
    explicit NameReader(std::string_view text) : text_(text) {}

    // From fewest to most decimal digits, and no digit right after them.
    bool digits(size_t fewest, size_t most, uint64_t& value) {
        size_t count = 0;
        value = 0;
        while (at_ + count < text_.size() && isDigit(text_[at_ + count])) {
            if (++count > most) {
                return false;
            }
            value = value * 10 + static_cast<uint64_t>(text_[at_ + count - 1] - '0');
        }
        at_ += count;
        return count >= fewest;
    }

    bool text(std::string_view expected) {
        if (text_.substr(at_, expected.size()) != expected) {
            return false;
        }
        at_ += expected.size();
        return true;
    }

    bool atEnd() const { return at_ == text_.size(); }

private:
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    std::string_view text_;
    size_t at_ = 0;
};

struct Recording {
    // Earlier-shape names first, then numbers out of the sequence, then the sequence itself.
    enum Rank { Earlier, OutOfSequence, Numbered };

    std::string name;
    Rank rank = Earlier;
    uint64_t number = 0;  // 0 for a name of the earlier shape
    // Only for names of the earlier shape, which stand in the order of these.
    std::string time;
    uint64_t game = 0;
    uint64_t process = 0;

    auto order() const { return std::tie(rank, number, time, game, process); }
};

// Time, difficulty and score: "YYYYMMDD-HHMMSS-dD-sSSSSS".
bool readTimeAndGame(NameReader& in) {
    uint64_t date = 0;
    uint64_t time = 0;
    uint64_t difficulty = 0;
    uint64_t score = 0;
    return in.digits(8, 8, date) && in.text("-") && in.digits(6, 6, time) && in.text("-d") &&
           in.digits(1, 1, difficulty) && difficulty >= 1 && difficulty <= 4 && in.text("-s") &&
           in.digits(5, 5, score);
}

bool parseName(const std::string& name, Recording& recording) {
    NameReader numbered(name);
    uint64_t number = 0;
    if (numbered.digits(8, 18, number) && number > 0 && numbered.text("-") &&
        readTimeAndGame(numbered) && numbered.text(kSuffix) && numbered.atEnd()) {
        recording = {name, Recording::Numbered, number, {}, 0, 0};
        return true;
    }
    NameReader earlier(name);
    uint64_t process = 0;
    uint64_t game = 0;
    if (readTimeAndGame(earlier) && earlier.text("-") && earlier.digits(1, 10, process) &&
        earlier.text("-") && earlier.digits(1, 9, game) && earlier.text(kSuffix) &&
        earlier.atEnd()) {
        recording = {name, Recording::Earlier, 0, name.substr(0, 15), game, process};
        return true;
    }
    return false;
}

// Marks the numbers above the highest gap of more than kFarAbove (counted from 0) as out of the
// sequence: a file planted with a huge number then neither stops the count nor stays "last".
void markOutOfSequence(std::vector<Recording>& found) {
    std::vector<uint64_t> numbers{0};
    for (const Recording& recording : found) {
        if (recording.rank == Recording::Numbered) {
            numbers.push_back(recording.number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    uint64_t highestInSequence = kLastNumber;
    for (size_t i = numbers.size(); i-- > 1;) {
        if (numbers[i] - numbers[i - 1] > kFarAbove) {
            highestInSequence = numbers[i - 1];
            break;
        }
    }
    for (Recording& recording : found) {
        if (recording.rank == Recording::Numbered && recording.number > highestInSequence) {
            recording.rank = Recording::OutOfSequence;
        }
    }
}

std::vector<Recording> newestFirst(const std::string& folder) {
    std::vector<Recording> found;
    for (const std::string& name : filesIn(folder)) {
        Recording recording;
        if (parseName(name, recording)) {
            found.push_back(recording);
        }
    }
    markOutOfSequence(found);
    std::sort(found.begin(), found.end(),
              [](const Recording& a, const Recording& b) { return a.order() > b.order(); });
    return found;
}

// The recordings with a readable score (scoreOf a name), best first, the newer of equal scores
// first.
template <typename ScoreOf>
std::vector<const Recording*> bestFirst(const std::vector<Recording>& newest, ScoreOf scoreOf) {
    std::vector<std::pair<const Recording*, int16_t>> scored;
    for (const Recording& recording : newest) {
        if (const std::optional<int16_t> score = scoreOf(recording.name)) {
            scored.emplace_back(&recording, *score);
        }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<const Recording*> best;
    best.reserve(scored.size());
    for (const auto& [recording, score] : scored) {
        best.push_back(recording);
    }
    return best;
}

}  // namespace

std::optional<int16_t> ReplayFolder::scoreOf(const std::string& name) {
    const auto known = knownScores_.find(name);
    if (known != knownScores_.end()) {
        return known->second;
    }
    std::string tail;
    std::string error;
    int16_t score = 0;
    std::optional<int16_t> found;
    if (readFileEnd(pathOf(name), kTailBytes, tail, error) && replayEndScore(tail, score)) {
        found = score;
    }
    knownScores_.emplace(name, found);
    return found;
}

// Removes at most atMost of the recordings the folder does not keep, the oldest first.
void ReplayFolder::prune(size_t atMost) {
    const std::vector<Recording> newest = newestFirst(path_);
    if (newest.size() <= kKeepNewest) {
        return;
    }
    std::vector<const Recording*> best =
        bestFirst(newest, [this](const std::string& name) { return scoreOf(name); });
    best.resize(std::min(best.size(), kKeepBest));
    size_t removed = 0;
    for (size_t i = newest.size(); i-- > kKeepNewest && removed < atMost;) {
        const Recording& old = newest[i];
        if (std::find(best.begin(), best.end(), &old) == best.end() &&
            removeFile(pathOf(old.name))) {
            knownScores_.erase(old.name);
            ++removed;
        }
    }
}

bool isRecordingName(const std::string& name) {
    Recording recording;
    return parseName(name, recording);
}

bool ReplayFolder::add(const Replay& replay, const std::string& utcTime, std::string& error) {
    // Games adding at the same moment take turns, so that each counts the others' numbers
    // and no two recordings ever share one.
    FileLock turn;
    if (!turn.acquireFolder(path_, error)) {
        return false;
    }
    uint64_t number = 1;
    for (const Recording& recording : newestFirst(path_)) {
        if (recording.rank == Recording::Numbered) {
            number = std::max(number, recording.number + 1);
        }
    }
    const std::string text = replayText(replay);
    // A file planted under the very name chosen (no game takes a number out of turn): the next
    // number is tried.
    for (int tries = 0; tries < 100; ++tries, ++number) {
        if (number > kLastNumber) {
            error = "the recordings in " + path_ + " are numbered up to the last number";
            return false;
        }
        char name[96];
        std::snprintf(name, sizeof name, "%08llu-%s-d%d-s%05d%s",
                      static_cast<unsigned long long>(number), utcTime.c_str(), replay.difficulty,
                      replay.score, std::string(kSuffix).c_str());
        switch (writeNewFile(pathOf(name), text, error)) {
            case NewFile::Written:
                knownScores_[name] = replay.score;
                prune(kRemovedPerGame);
                return true;
            case NewFile::Taken:
                break;
            case NewFile::Failed:
                return false;
        }
    }
    error = "every name tried in " + path_ + " was taken";
    return false;
}

void ReplayFolder::tidy() {
    removeStaleSavesIn(path_, isRecordingName);
    for (const Recording& recording : newestFirst(path_)) {
        scoreOf(recording.name);  // every score read now, not at a game over
    }
    prune(kRemovedAtStart);
}

std::string ReplayFolder::last() const {
    const std::vector<Recording> newest = newestFirst(path_);
    return newest.empty() ? std::string() : newest.front().name;
}

std::string ReplayFolder::best() {
    const std::vector<Recording> newest = newestFirst(path_);
    const std::vector<const Recording*> best =
        bestFirst(newest, [this](const std::string& name) { return scoreOf(name); });
    return best.empty() ? std::string() : best.front()->name;
}
