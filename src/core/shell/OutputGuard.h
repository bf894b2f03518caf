// Where a job may write: only beside its first input, and never over a file
// it reads. Every job asks here before it creates an output.
#pragma once

#include <initializer_list>
#include <string>

namespace morvane {

// The name an inserter gives its output: the input path less its last four
// characters, then suffix. Characters are counted as LastCharsStart does, so
// a name in UTF-8 is never cut inside a character.
std::string ModifiedName(const std::string& path, const std::string& suffix);
// The last three characters of path: the extension of "game.nes".
std::string LastThreeChars(const std::string& path);
// "game.nes" with suffix "Modified" gives "game_Modified.nes"; throws JobError
// (invalid call) for a path shorter than four characters.
std::string SuffixedName(const std::string& path, const std::string& suffix);

// Where a partial output is kept, beside the complete one it must not
// replace: "dir/game_Modified.nes" gives "dir/game_Modified (incomplete).nes",
// "dir/game.asm.txt" gives "dir/game.asm (incomplete).txt" (the mark goes
// before the name's last dot, or at its end when it has none).
std::string IncompleteName(const std::string& path);

// Why output may not be written by a job that reads inputs, or "" when it may
// (also while an input is missing: reading it fails first, and says so).
// The output must lie in the folder of the first input and must not be the
// same file as any input (whatever the spelling, and through links), nor may
// the name of its partial result (IncompleteName) be one. Empty
// entries stand for inputs the job did not ask for and are skipped.
std::string OutputProblem(const std::string& output, std::initializer_list<std::string> inputs);

// Throws JobError::Minor(title, the problem, output) when OutputProblem finds one.
void RefuseOverwrite(const std::string& title, const std::string& output,
                     std::initializer_list<std::string> inputs);

}  // namespace morvane
