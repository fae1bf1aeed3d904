#!/usr/bin/python3
"""Fails when a window text in ui/ or app/ is an English literal that never
reaches Qt's translation: every string literal that reads as words must sit
in tr(), QT_TR_NOOP(), QT_TRANSLATE_NOOP() or translate(). Fails too while a
translation in ui/translations has an unfinished entry.

usage: check_translatable.py [SOURCE_ROOT]   (default: the checkout above)

A literal reads as words unless it is one of these non-words: without two
letters in a row; an identifier, object name, setting key or path (no space,
starting in lower case, CamelCase, an environment
variable, or holding / _ \\, or a colon or dot before a letter); a date picture; the first argument of
a call that names an object; or one of ALLOWED below.
"""
import pathlib
import re
import sys

# Texts that look like words but are not shown as text: fonts, Qt style and
# D-Bus names, format pictures, the measuring strings of the clock.
ALLOWED = {
    "Arial", "MS Sans Serif", "Fusion", "Notify", "Tickwell", "MM", "MMM", "MMMM",
    "ddd yyyy-mm-dd", "ddd mm/dd/yy", "ddd yy/mm/dd", "ddd dd/mm/yy", " Wed 88/88/88 ",
    " Wed 8888-88-88 ", "Wed", "-9999 days",
    "Startup",  # the autostart folder's special name
}
# The program's --help is read by the manual page builder and by scripts, and
# is printed before any translation is loaded: it stays English.
SKIPPED_FILES = {"app/CommandLine.cpp"}

WRAPPED = re.compile(
    r'\b(?:tr|QT_TR_NOOP|QT_TR_N_NOOP|QT_TRANSLATE_NOOP|TW_TRANSLATE_NOOP|translate)\s*\(\s*'
    r'(?:"(?:[^"\\]|\\.)*"\s*,\s*)?$')
NAMING_CALL = re.compile(r'\b(?:setObjectName|NewAction|MenuItem|button|qgetenv|qEnvironmentVariable\w*|'
                         r'setProperty|property)\s*\(\s*(?:QStringLiteral\s*\(\s*|QLatin1String\s*\(\s*)?$')
NON_WORDS = [
    re.compile(r"[a-z][^\s]*"),
    re.compile(r"(?=\S*(?:[a-z0-9][A-Z]|[A-Z]{2}[a-z]))[A-Za-z0-9%]+"),
    re.compile(r"[A-Z][A-Z0-9]*_[A-Z0-9_]+"),
    re.compile(r"[A-Za-z]+%\d"),
    re.compile(r"[^\s]*(?:[/_\\]|:\S|\.[A-Za-z])[^\s]*"),
    # date and time pictures of FormatDateTime
    re.compile(r"(?:d{1,4}|m{1,5}|yy(?:yy)?|h{1,2}|n{1,2}|s{1,2}|ampm|[ ,./:\-])+"),
]


def literal_runs(src):
    """(line, start, text, end) for each run of adjacent string literals outside
    comments, character literals and #include lines."""
    runs, i, line, n = [], 0, 1, len(src)
    while i < n:
        c = src[i]
        if c == "\n":
            line += 1
            i += 1
        elif src.startswith("//", i) or src.startswith("#include", i):
            i = src.find("\n", i) if "\n" in src[i:] else n
        elif src.startswith("/*", i):
            j = src.index("*/", i)
            line += src.count("\n", i, j)
            i = j + 2
        elif c in "'\"":
            j = i + 1
            while src[j] != c:
                j += 2 if src[j] == "\\" else 1
            if c == '"':
                text = src[i + 1:j]
                prev = runs[-1] if runs else None
                if prev and src[prev[3]:i].strip() == "":
                    runs[-1] = (prev[0], prev[1], prev[2] + text, j + 1)
                else:
                    runs.append((line, i, text, j + 1))
            line += src.count("\n", i, j)
            i = j + 1
        else:
            i += 1
    return runs


def needs_translation(src, start, text):
    if not re.search(r"[A-Za-z]{2}", text) or text in ALLOWED:
        return False
    if any(p.fullmatch(text) for p in NON_WORDS):
        return False
    before = src[max(0, start - 200):start]
    return not WRAPPED.search(before) and not NAMING_CALL.search(before)


def unwrapped(root):
    for folder in ("ui", "app"):
        for path in sorted((root / folder).glob("*.[ch]*")):
            rel = path.relative_to(root).as_posix()
            if rel in SKIPPED_FILES:
                continue
            src = path.read_text(encoding="utf-8")
            for line, start, text, _ in literal_runs(src):
                if needs_translation(src, start, text):
                    yield f"{rel}:{line}: \"{text}\""


def unfinished(root):
    """Entries of the translations that lupdate marked unfinished or vanished."""
    for path in sorted((root / "ui" / "translations").glob("*.ts")):
        for line, text in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if re.search(r'<translation[^>]*type="(?:unfinished|vanished|obsolete)"', text):
                yield f"{path.relative_to(root).as_posix()}:{line}: unfinished translation"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    found = list(unwrapped(root)) + list(unfinished(root))
    for entry in found:
        print(entry)
    if found:
        print(f"{len(found)} window text(s) not marked for translation or not translated",
              file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
