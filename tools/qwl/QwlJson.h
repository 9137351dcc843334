#pragma once
// The JSON form of a puzzle used by the qwl tool: what `dump` prints and `make` reads.

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "puzzle/Puzzle.h"

namespace qw {

using Json = nlohmann::ordered_json;

// A problem with the JSON given to `make`; the text says which field is wrong.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The loaded puzzle with every string decoded from Windows-1252. `version` and `fixedChars` are
// what the file held; they are not part of the model.
Json DumpJson(const Puzzle& puzzle, int version, const std::string& fixedChars);

// A consistent puzzle (BuildPuzzle done, TypingAlphabet computed) from JSON of the dump's shape;
// derived fields are ignored. Throws InputError.
Puzzle PuzzleFromJson(const Json& json);

// Reads JSON text; bad JSON becomes an InputError.
Json ParseJson(const std::string& text);

}  // namespace qw
