#!/usr/bin/env python3
"""Turns an acrostic recipe (quotation, width, answer words and clues, texts) into the puzzle JSON
that `qwl make` reads and `qwl dump` prints.

The recipe names answers as words; this script lays the quotation out in the diagram and gives
every answer letter the number of a diagram square holding that letter, drawing from the free
squares with a fixed random seed so the result is reproducible.

Usage: compose_acrostic.py RECIPE.json OUT.json
"""
import json
import random
import sys

ALPHABET = " " + "".join(chr(c) for c in range(ord("A"), ord("Z") + 1))


def label(k):
    text = chr(65 + k % 26)
    return chr(64 + k // 26) + text if k >= 26 else text


def layout(quotation, width):
    """Flows the quotation through rows of `width` squares. Words may run on into the next row,
    as in a printed acrostic; a word gap that would open a row is dropped so no row starts black."""
    rows, row = [], ""
    for ch in quotation:
        if ch == " " and row == "":
            continue
        row += ch
        if len(row) == width:
            rows.append(row)
            row = ""
    if row.strip():
        rows.append(row.ljust(width))
    # A trailing gap at a row end is just a black square; nothing to fix there.
    return rows


def compose(recipe):
    quotation = recipe["quotation"].upper()
    width = recipe["width"]
    punctuation = recipe.get("punctuation", "")
    rows = layout(quotation, width)
    for row in rows:
        for ch in row:
            if ch != " " and ch not in punctuation and not ("A" <= ch <= "Z"):
                raise SystemExit(f"character {ch!r} is neither a letter nor listed punctuation")
    squares = [ch for row in rows for ch in row if ch != " " and ch not in punctuation]
    fixed = "".join(ch for row in rows for ch in row if ch in punctuation)

    free = {}
    for index, ch in enumerate(squares, start=1):
        free.setdefault(ch, []).append(index)
    rng = random.Random(recipe.get("seed", 1))
    for indices in free.values():
        rng.shuffle(indices)

    clues = []
    for k, (text, word) in enumerate(recipe["clues"]):
        answer = []
        for ch in word.upper():
            if not free.get(ch):
                raise SystemExit(f"answer {word} needs a letter {ch} the quotation no longer has")
            answer.append(free[ch].pop())
        clues.append({"label": label(k), "text": text, "answer": answer, "entered": " " * len(answer)})
    left = "".join(sorted(ch for ch, indices in free.items() for _ in indices))
    if left:
        raise SystemExit(f"letters of the quotation used by no answer: {left}")

    def note(note_source, kind):
        if note_source is None:
            return None
        out = {
            "caption": note_source["caption"],
            "color": note_source.get("color", 0x00FFFFFF),
            "fontName": note_source.get("fontName", "Liberation Serif"),
            "fontHeight": note_source.get("fontHeight", -16),
            "fontColor": note_source.get("fontColor", 0),
            "bold": note_source.get("bold", False),
            "italic": note_source.get("italic", False),
            "underline": False,
            "strikeOut": False,
        }
        if kind == "lines":
            out["lines"] = note_source["lines"]
        else:
            out["text"] = "\r\n".join(note_source["lines"])
        return out

    version = recipe.get("version", 2)
    return {
        "version": version,
        "maskSeed": recipe["maskSeed"],
        "solutionScrambled": 1 if recipe.get("locked") else 0,
        "rowCount": len(rows),
        "columnCount": width,
        "clueCount": len(clues),
        "letterCount": len(squares),
        "fixedChars": fixed,
        "diagramRows": rows,
        "keyNumber": recipe.get("keyNumber", ""),
        "headerStrings": recipe["headerStrings"],
        "anyCharAllowed": 0,
        "extraLetters": "",
        "authorAddress": recipe.get("authorAddress", "") if version == 2 else "",
        "upperCaseOnly": True,
        "typingAlphabet": ALPHABET,
        "clues": clues,
        "moreInfo": note(recipe.get("moreInfo"), "lines"),
        "solverInfo": note(recipe.get("solverInfo"), "text") if version == 2 else None,
    }


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        recipe = json.load(f)
    puzzle = compose(recipe)
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        json.dump(puzzle, f, indent=2, ensure_ascii=False)
        f.write("\n")


if __name__ == "__main__":
    main()
