#!/usr/bin/env python3
"""The label user marks the tests whose result can depend on who runs them; CI runs those once
more as an ordinary user. A test that reads the user (uid, password entry), switches users or
needs root must carry it. What a test runs is read from CTest: its scripts and the helpers they
source (a helper function that does one of these taints every script that calls it), or for a
GoogleTest case the sources of its executable (from compile_commands.json).
  user_label.py BUILD_DIR SOURCE_DIR CTEST"""
import json
import os
import re
import subprocess
import sys

build, source, ctest = sys.argv[1:4]
USER_WORDS = re.compile(
    r"\b(getuid|geteuid|getpwuid|setuid|seteuid|setresuid|setfsuid|runuser|setpriv|sudo|EUID)\b"
    r"|\bid -u\b|\bsu\s+-")
SOURCED = re.compile(r'^\s*(?:source|\.)\s+"?\$\(dirname "\$0"\)/([\w./-]+)"?', re.M)


def code_lines(path):
    """(number, line) of a file's lines that are not whole-line comments."""
    with open(path, encoding="utf-8", errors="replace") as file:
        for number, line in enumerate(file, 1):
            if not line.lstrip().startswith(("#", "//")):
                yield number, line.rstrip("\n")


def tainted_words(path):
    """The user words plus the names of the sourced file's functions that use one, and the
    first top-level line of the file that uses one (or None)."""
    functions, top_level, current = {}, None, None
    for number, line in code_lines(path):
        start = re.match(r"^(\w+)\(\)\s*\{", line)
        if start:
            functions[start.group(1)] = [line]
            current = None if line.rstrip().endswith("}") else start.group(1)
        elif current and line.startswith("}"):
            current = None
        elif current:
            functions[current].append(line)
        elif top_level is None and USER_WORDS.search(line):
            top_level = f"{path}:{number}: {line.strip()}"
    words, names = USER_WORDS, set()
    while True:  # a function calling a tainted function is tainted too
        tainted = {name for name, body in functions.items() if any(words.search(l) for l in body)}
        if tainted == names:
            return words, top_level
        names = tainted
        words = re.compile(USER_WORDS.pattern + "".join(rf"|\b{name}\b" for name in names))


def why_user(files):
    """A line that makes these files' test depend on the user, or None."""
    for path in files:
        words, text = USER_WORDS, open(path, encoding="utf-8", errors="replace").read()
        for sourced in SOURCED.findall(text):
            words_there, top_level = tainted_words(os.path.join(os.path.dirname(path), sourced))
            if top_level:
                return top_level
            words = re.compile(words.pattern + "|" + words_there.pattern)
        for number, line in code_lines(path):
            if words.search(line):
                return f"{path}:{number}: {line.strip()}"
    return None


def sources_by_target():
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = json.load(file)
    targets = {}
    for entry in entries:
        found = re.search(r"CMakeFiles/([^/]+)\.dir/", entry.get("output", entry["command"]))
        if found:
            targets.setdefault(found.group(1), []).append(entry["file"])
    return targets


listing = json.loads(subprocess.run([ctest, "--test-dir", build, "--show-only=json-v1"],
                                    check=True, capture_output=True, text=True).stdout)
targets = sources_by_target()
tests_dir = os.path.realpath(os.path.join(source, "tests"))
this_check = os.path.realpath(__file__)
missing, seen = [], 0
for test in listing["tests"]:
    labels = next((p["value"] for p in test.get("properties", []) if p["name"] == "LABELS"), [])
    files = list(targets.get(os.path.basename(test.get("command", [""])[0]), []))
    for word in " ".join(test.get("command", [])).split():
        path = os.path.realpath(word.strip("'\""))
        if path.startswith(tests_dir + os.sep) and os.path.isfile(path) and path != this_check:
            files.append(path)
    reason = why_user(files)
    if reason:
        seen += 1
        if "user" not in labels:
            missing.append(f"{test['name']} lacks the label user: {reason}")

for line in missing:
    print("FAIL:", line)
if seen == 0:
    print("FAIL: no test reads the user, switches users or needs root: this check read nothing")
    sys.exit(1)
print(f"{seen} tests depend on the user, {seen - len(missing)} of them labelled user")
sys.exit(1 if missing else 0)
