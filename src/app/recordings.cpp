// The replay folder: recordings' names, their order, their scores and what is kept.
#include "app/recordings.h"

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
// counting games, so it is out of the sequence (see recordings.h).
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

// Scores read off the files' end lines, each file once a process (none for a file without a
// readable end line).
std::map<std::string, std::optional<int16_t>> knownScores;

std::string pathOf(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

std::optional<int16_t> scoreOf(const std::string& folder, const std::string& name) {
    const std::string path = pathOf(folder, name);
    const auto known = knownScores.find(path);
    if (known != knownScores.end()) {
        return known->second;
    }
    std::string tail;
    std::string error;
    int16_t score = 0;
    std::optional<int16_t> found;
    if (readFileEnd(path, kTailBytes, tail, error) && replayEndScore(tail, score)) {
        found = score;
    }
    knownScores.emplace(path, found);
    return found;
}

// The recordings with a readable score, best first, the newer of equal scores first.
std::vector<const Recording*> bestFirst(const std::string& folder,
                                        const std::vector<Recording>& newest) {
    std::vector<std::pair<const Recording*, int16_t>> scored;
    for (const Recording& recording : newest) {
        if (const std::optional<int16_t> score = scoreOf(folder, recording.name)) {
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

// Removes at most atMost of the recordings the folder does not keep, the oldest first.
void prune(const std::string& folder, size_t atMost) {
    const std::vector<Recording> newest = newestFirst(folder);
    if (newest.size() <= kKeepNewest) {
        return;
    }
    std::vector<const Recording*> best = bestFirst(folder, newest);
    best.resize(std::min(best.size(), kKeepBest));
    size_t removed = 0;
    for (size_t i = newest.size(); i-- > kKeepNewest && removed < atMost;) {
        const Recording& old = newest[i];
        if (std::find(best.begin(), best.end(), &old) == best.end() &&
            removeFile(pathOf(folder, old.name))) {
            knownScores.erase(pathOf(folder, old.name));
            ++removed;
        }
    }
}

}  // namespace

bool isRecordingName(const std::string& name) {
    Recording recording;
    return parseName(name, recording);
}

bool addRecording(const std::string& folder, const Replay& replay, const std::string& utcTime,
                  std::string& error) {
    // Games adding at the same moment take turns, so that each counts the others' numbers
    // and no two recordings ever share one.
    FileLock turn;
    if (!turn.acquireFolder(folder, error)) {
        return false;
    }
    uint64_t number = 1;
    for (const Recording& recording : newestFirst(folder)) {
        if (recording.rank == Recording::Numbered) {
            number = std::max(number, recording.number + 1);
        }
    }
    const std::string text = replayText(replay);
    // A file planted under the very name chosen (no game takes a number out of turn): the next
    // number is tried.
    for (int tries = 0; tries < 100; ++tries, ++number) {
        if (number > kLastNumber) {
            error = "the recordings in " + folder + " are numbered up to the last number";
            return false;
        }
        char name[96];
        std::snprintf(name, sizeof name, "%08llu-%s-d%d-s%05d%s",
                      static_cast<unsigned long long>(number), utcTime.c_str(), replay.difficulty,
                      replay.score, std::string(kSuffix).c_str());
        switch (writeNewFile(pathOf(folder, name), text, error)) {
            case NewFile::Written:
                knownScores[pathOf(folder, name)] = replay.score;
                prune(folder, kRemovedPerGame);
                return true;
            case NewFile::Taken:
                break;
            case NewFile::Failed:
                return false;
        }
    }
    error = "every name tried in " + folder + " was taken";
    return false;
}

void tidyRecordings(const std::string& folder) {
    removeStaleSavesIn(folder, isRecordingName);
    const std::vector<Recording> newest = newestFirst(folder);
    bestFirst(folder, newest);  // every score read now, not at a game over
    prune(folder, kRemovedAtStart);
}

std::string lastRecording(const std::string& folder) {
    const std::vector<Recording> newest = newestFirst(folder);
    return newest.empty() ? std::string() : newest.front().name;
}

std::string bestRecording(const std::string& folder) {
    const std::vector<Recording> newest = newestFirst(folder);
    const std::vector<const Recording*> best = bestFirst(folder, newest);
    return best.empty() ? std::string() : best.front()->name;
}
