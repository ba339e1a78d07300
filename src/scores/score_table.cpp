// The table's rules on plain rows.
#include "scores/score_table.h"

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
