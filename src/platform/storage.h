// Where the high-score file lives and how its bytes reach the disk.
#pragma once

#include <string>

// The high-score file's path: "C:/highScores.txt" on Windows; elsewhere
// $XDG_DATA_HOME/orvel/highScores.txt, or ~/.local/share/orvel/highScores.txt when
// XDG_DATA_HOME is unset or empty. Empty when no home folder can be found.
std::string highScoreFilePath();

// Creates the folders above path that are missing. False, with the reason, when it can't.
bool makeParentFolders(const std::string& path, std::string& error);

// Whether the file can be opened for reading.
bool canOpenForReading(const std::string& path);

// All of the file's bytes. False, with the reason, when it can't be read.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file with bytes: written to a new file in the same folder, flushed to disk and
// renamed over the old one, so the file always holds either its old or its new contents.
// False, with the reason, when any step fails; the old file is then untouched.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);
