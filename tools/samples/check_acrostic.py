#!/usr/bin/env python3
"""Checks that a sample puzzle's JSON is a genuine acrostic of its recipe.

For each recipe (default: every recipes/*.json beside this script) the puzzle JSON
Puzzles/src/<output>.json must hold the recipe's quotation in its diagram, every diagram letter
must belong to exactly one answer, the answers must spell the recipe's words, and their first
letters, in clue order, must spell the recipe's title. Exits 1 on the first broken puzzle.

Usage: check_acrostic.py [RECIPE.json ...]
"""
import collections
import glob
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


class Broken(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Broken(message)


def check(recipe, puzzle):
    rows = puzzle["diagramRows"]
    width = puzzle["columnCount"]
    fixed_set = set(puzzle["fixedChars"])
    expect(puzzle["rowCount"] == len(rows), "rowCount differs from the number of rows")
    expect(all(len(r) == width for r in rows), "a diagram row is not columnCount wide")

    letters = [None]  # letters[i] is the solution at square i; square numbers count from 1
    fixed_in_order = ""
    for row in rows:
        for ch in row:
            if ch in fixed_set:
                fixed_in_order += ch
            elif ch not in " \0":
                expect("A" <= ch <= "Z", f"diagram letter {ch!r} is not an upper-case letter")
                letters.append(ch)
    n = len(letters) - 1
    expect(puzzle["letterCount"] == n, f"letterCount {puzzle['letterCount']} but the diagram has {n}")
    expect(puzzle["fixedChars"] == fixed_in_order,
           "fixedChars must list the fixed squares in reading order (that is what a save writes)")

    # The diagram read row after row, gaps ignored, is the quotation.
    quote = recipe["quotation"].upper()
    expect("".join(rows).replace(" ", "") == quote.replace(" ", ""), "the diagram does not spell the quotation")
    # ... and every word gap of the quotation is a black square (or falls at a row break).
    gaps = 0
    flat = "".join(rows)
    for i in range(1, len(flat)):
        if flat[i] == " " and flat[i - 1] != " ":
            gaps += 1
    row_breaks = sum(1 for a, b in zip(rows, rows[1:]) if a[-1] != " " and b[0] != " ")
    expect(gaps + row_breaks >= quote.count(" "), "word gaps of the quotation are missing")

    clues = puzzle["clues"]
    expect(puzzle["clueCount"] == len(clues) == len(recipe["clues"]), "clue counts disagree")
    seen = collections.Counter()
    initials = ""
    for k, (clue, (text, word)) in enumerate(zip(clues, recipe["clues"])):
        answer = clue["answer"]
        expect(answer, f"clue {k} has an empty answer")
        expect(all(1 <= i <= n for i in answer), f"clue {k} names a square outside 1..{n}")
        seen.update(answer)
        spelled = "".join(letters[i] for i in answer)
        expect(spelled == word.upper(), f"clue {k} spells {spelled}, recipe says {word}")
        expect(clue["text"] == text, f"clue {k} text differs from the recipe")
        expect(clue["entered"] == " " * len(answer), f"clue {k} carries progress; samples ship blank")
        initials += spelled[0]
    twice = [i for i, c in seen.items() if c > 1]
    unused = [i for i in range(1, n + 1) if i not in seen]
    expect(not twice, f"squares used by two answers: {twice}")
    expect(not unused, f"squares used by no answer: {unused}")
    title = recipe["title"].replace(" ", "").upper()
    expect(initials == title, f"first letters spell {initials}, not {title}")

    answer_letters = collections.Counter("".join(w.upper() for _, w in recipe["clues"]))
    quote_letters = collections.Counter(ch for ch in quote if "A" <= ch <= "Z")
    expect(answer_letters == quote_letters, "answer letters and quotation letters differ as multisets")

    expect(len(puzzle["headerStrings"]) == 3, "there must be three header strings")
    expect(puzzle["version"] == recipe.get("version", 2), "version differs from the recipe")
    expect(puzzle["solutionScrambled"] == (1 if recipe.get("locked") else 0), "lock flag differs from the recipe")
    if recipe.get("locked"):
        key = puzzle["keyNumber"]
        expect(len(key) == 4 and key.isdigit(), "a locked puzzle needs a four-digit key number")
    for name in ("moreInfo", "solverInfo"):
        note = puzzle.get(name)
        expect((note is not None) == (name in recipe), f"{name} presence differs from the recipe")
        if note is not None:
            body = note["lines"] if name == "moreInfo" else note["text"]
            expect(body, f"{name} is empty, which a save would drop")
    if puzzle["version"] == 1:
        expect(puzzle["solverInfo"] is None and not puzzle["authorAddress"],
               "a version 1 file has no solvers' note and no author address")

    words_in_quote = {w.strip(",.;:!?'") for w in quote.split()}
    reused = [w for _, w in recipe["clues"] if w.upper() in words_in_quote]
    return n, len(clues), reused


def main():
    recipes = sys.argv[1:] or sorted(glob.glob(os.path.join(HERE, "recipes", "*.json")))
    status = 0
    for path in recipes:
        with open(path, encoding="utf-8") as f:
            recipe = json.load(f)
        puzzle_path = os.path.join(ROOT, "Puzzles", "src", recipe["output"] + ".json")
        try:
            with open(puzzle_path, encoding="utf-8") as f:
                puzzle = json.load(f)
            n, clues, reused = check(recipe, puzzle)
        except (Broken, OSError, KeyError, ValueError) as e:
            print(f"{puzzle_path}: {e}")
            status = 1
            continue
        note = f" (answers also in the quotation: {', '.join(reused)})" if reused else ""
        print(f"{os.path.relpath(puzzle_path, ROOT)}: {n} letters, {clues} clues, "
              f"spells {recipe['title']}{note}")
    return status


if __name__ == "__main__":
    sys.exit(main())
