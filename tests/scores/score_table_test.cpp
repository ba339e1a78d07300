// Merging one game's changes into the table another game saved meanwhile.
#include <gtest/gtest.h>

#include "scores/score_table.h"

namespace {

ScoreRows table(std::initializer_list<scores> rows) {
    ScoreRows result{};
    clearRows(result);
    int i = 1;
    for (const scores& row : rows) {
        result[i++] = row;
    }
    return result;
}

std::vector<TableChange> changes(std::initializer_list<TableChange> list) {
    std::vector<TableChange> recorded;
    for (const TableChange& change : list) {
        recordChange(recorded, change);
    }
    return recorded;
}

const TableChange kSort{TableChange::Kind::Sort, {}};
const TableChange kReset{TableChange::Kind::Reset, {}};
TableChange enter(const char* name, int16_t score) {
    return {TableChange::Kind::Enter, {name, score}};
}

void expectRows(const ScoreRows& rows, std::initializer_list<scores> expected) {
    int i = 1;
    for (const scores& row : expected) {
        EXPECT_EQ(rows[i].name, row.name) << "row " << i;
        EXPECT_EQ(rows[i].score, row.score) << "row " << i;
        ++i;
    }
}

}  // namespace

TEST(MergeChanges, BothGamesResultsSurviveWhicheverSavesLast) {
    // Game B saved "Viper 7" first; game A's game over sorted and entered "Python 5".
    ScoreRows disk = table({{"Viper", 7}, {"Old", 6}});
    applyChanges(disk, changes({kSort, enter("Python", 5)}));
    expectRows(disk, {{"Viper", 7}, {"Old", 6}, {"Python", 5}, {"AAA", 0}});
}

TEST(MergeChanges, AGameThatChangedNothingKeepsWhatIsOnDisk) {
    ScoreRows disk = table({{"Low", 1}, {"High", 9}});
    applyChanges(disk, {});
    expectRows(disk, {{"Low", 1}, {"High", 9}});
    applyChanges(disk, changes({kSort, kSort}));  // a game that only looked at the table
    expectRows(disk, {{"High", 9}, {"Low", 1}});
}

TEST(MergeChanges, AResultTheSharedTableNoLongerHasRoomForIsDropped) {
    ScoreRows disk{};
    for (int i = 1; i <= kHighScoreRows; ++i) {
        disk[i] = {"Better", static_cast<int16_t>(100 - i)};
    }
    applyChanges(disk, changes({kSort, enter("Mine", 90)}));
    EXPECT_EQ(disk[kHighScoreRows].name, "Better");
    EXPECT_EQ(disk[kHighScoreRows].score, 90) << "an equal score stays above the new one";
}

TEST(MergeChanges, AResetClearsEveryonesRowsButKeepsLaterResults) {
    const auto recorded = changes({kSort, enter("Before", 4), kReset, kSort, enter("After", 3)});
    ASSERT_EQ(recorded.size(), 3u) << "what came before the reset is dropped";
    ScoreRows disk = table({{"Other game", 50}});
    applyChanges(disk, recorded);
    expectRows(disk, {{"After", 3}, {"AAA", 0}});
    EXPECT_EQ(disk[kHighScoreRows].name, "AAA");
}

TEST(EnterRow, AScoreEqualToRowTenStaysOut) {
    ScoreRows rows = table({{"A", 9},
                            {"B", 8},
                            {"C", 7},
                            {"D", 6},
                            {"E", 5},
                            {"F", 4},
                            {"G", 3},
                            {"H", 2},
                            {"I", 1},
                            {"J", 1}});
    EXPECT_EQ(enterRow(rows, {"Tie", 1}), 0);
    EXPECT_EQ(rows[kHighScoreRows].name, "J");
    EXPECT_EQ(rows[kHighScoreRows + 1].name, "");
    EXPECT_EQ(enterRow(rows, {"Above", 2}), 9) << "below the row it ties";
    EXPECT_EQ(rows[kHighScoreRows].name, "I");
}
