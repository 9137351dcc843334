#!/usr/bin/env python3
"""Regenerates the fuzzer's seed corpus: valid version 1 and 2 files made with `qwl make`, and a few
damaged variants of them (converted line endings, wrong magic, too-new version, a bad number,
truncation). Usage: make_corpus.py QWL_BINARY"""
import json, os, subprocess, sys, tempfile

qwl = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus")
os.makedirs(out, exist_ok=True)

full = {
    "maskSeed": 250, "solutionScrambled": 1,
    "fixedChars": ",'", "diagramRows": ["Tea, tim", "e's  fun"],
    "keyNumber": "0815", "headerStrings": ["Small acrostic", "", "by nobody"],
    "anyCharAllowed": 0, "extraLetters": "éü", "authorAddress": "someone@example.org",
    "clues": [
        {"text": "Drink", "answer": [1, 2, 3], "entered": "Te"},
        {"text": "Clock", "answer": [4, 5, 6, 7, 8], "entered": " i e "},
        {"text": "Enjoyment", "answer": [9, 10, 11]},
        {"text": "Nothing", "answer": []},
    ],
    "moreInfo": {"caption": "More", "color": 16777215, "fontName": "Arial", "fontHeight": -13,
                 "fontColor": 0, "bold": True, "italic": False, "underline": False, "strikeOut": False,
                 "lines": ["First line", "", "Third"]},
    "solverInfo": {"caption": "Solved", "color": -2147483643, "fontName": "Times", "fontHeight": -15,
                   "fontColor": 255, "bold": False, "italic": True, "underline": True, "strikeOut": True,
                   "text": "Well done\r\nreally"},
}
v1 = {k: v for k, v in full.items() if k not in ("solverInfo", "extraLetters", "authorAddress")}
v1["diagramRows"] = ["TEA TIME"]
v1["fixedChars"] = ""
v1["clues"] = [{"text": "Drink", "answer": [1, 2, 3], "entered": "TEA"},
               {"text": "Clock", "answer": [7, 4, 6, 5], "entered": "M"}]
bare = {k: v for k, v in v1.items() if k != "moreInfo"}

def make(name, data, *flags):
    with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
        json.dump(data, f)
    path = os.path.join(out, name)
    subprocess.run([qwl, "make", f.name, path, *flags], check=True)
    os.unlink(f.name)
    return open(path, "rb").read()

def save(name, data):
    open(os.path.join(out, name), "wb").write(data)

v2 = make("v2_full.qwl", full)
make("v1_note.qwl", v1, "--version1")
make("v1_bare.qwl", bare, "--version1")
make("v2_bare.qwl", bare)

save("crlf.qwl", v2.replace(b"\n", b"\r\n"))
magic_last = 1 + 4 + 19  # last character of "Quotewell Puzzle v.2"
patched = bytearray(v2); patched[magic_last] ^= ord("2") ^ ord("3"); save("version3.qwl", bytes(patched))
patched = bytearray(v2); patched[5] ^= ord("Q") ^ ord("q"); save("magic_case.qwl", bytes(patched))
save("truncated.qwl", v2[: len(v2) // 2])

# A letter of the first answer line turned into "x": walk the masked strings to find it.
seed, pos, counter = v2[0], 1, v2[0]
def masked():
    global pos, counter
    n = int.from_bytes(v2[pos:pos + 4], "little", signed=True); pos += 4
    start, text = pos, bytearray()
    for b in v2[pos:pos + max(n, 0)]:
        counter = (counter + 1) % 256; text.append(b ^ counter)
    pos += max(n, 0)
    return start, bytes(text), counter
masked(); counter = (counter + 1) % 256; pos += 1  # magic, scrambled flag
pos += 12; masked(); masked(); masked(); masked()  # counts, fixed chars, two rows, first clue text
start, line, end_counter = masked()
mask = (end_counter - len(line) + 1) % 256  # mask of the line's first character
patched = bytearray(v2); patched[start] = ord("x") ^ mask; save("bad_number.qwl", bytes(patched))
