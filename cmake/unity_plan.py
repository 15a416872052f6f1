#!/usr/bin/env python3
"""Plans the unity build's batches: which of a target's C++ files compile
together as one translation unit.

Files in one batch share one file scope. A name one file keeps to itself (in
its anonymous namespace, static, a constant or type of its own, a macro) is
then seen by every file after it in the batch: a neighbour that declares the
same name fails to compile, and a neighbour that only uses the name (a
constant of a header it reaches through a using-directive, an overload of a
function) may silently take the other file's. So two files never share a
batch when one keeps a name to itself that the other mentions at all.

Usage: unity_plan.py <manifest> <output.cmake> <batch size>
The manifest has a line "<folder>\t<target>\t<source>" for each C++ source of
each target; the output sets the sources' UNITY_GROUP in their target's folder
(a source file's properties belong to a folder, so a file two targets of one
folder share keeps the batch its first target gave it).
"""

import os
import re
import sys
from collections import OrderedDict

IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
TOKEN = re.compile(r"[A-Za-z_]\w*|::|->|\S")
KEYWORDS = {
    "alignas", "alignof", "auto", "bool", "char", "class", "const", "consteval", "constexpr", "constinit",
    "decltype", "delete", "double", "enum", "explicit", "extern", "final", "float", "friend", "inline", "int",
    "long", "mutable", "namespace", "noexcept", "operator", "override", "private", "protected", "public",
    "return", "short", "signed", "sizeof", "static", "static_assert", "struct", "template", "thread_local",
    "typename", "union", "unsigned", "using", "virtual", "void", "volatile", "requires", "concept", "typedef",
}


def strip(text):
    """The text without comments, string and character literals, and
    preprocessor lines; with the names of the macros whose state it leaves
    changed for the files after it (defined, or a header's undefined)."""
    text = re.sub(r"\\\n", " ", text)
    out = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
            out.append(" ")
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.compile(r'R"([^(\s]*)\(').match(text, i)
            if m:
                end = text.find(")" + m.group(1) + '"', m.end())
                i = n if end < 0 else end + len(m.group(1)) + 2
                out.append('""')
            else:
                out.append(c)
                i += 1
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
            out.append('""')
        else:
            out.append(c)
            i += 1
    lines = "".join(out).split("\n")
    code = []
    defined = set()
    undefined = set()
    for line in lines:
        stripped = line.strip()
        if stripped.startswith("#"):
            m = re.match(r"#\s*(define|undef)\s+(\w+)", stripped)
            if m and m.group(1) == "define":
                defined.add(m.group(2))
                undefined.discard(m.group(2))
            elif m:
                defined.discard(m.group(2))
                undefined.add(m.group(2))
            code.append("")
        else:
            code.append(line)
    return "\n".join(code), defined | undefined


def without_attributes(statement):
    """The statement without its attributes ("[[maybe_unused]]" and the like),
    which stand before or inside a declaration and name nothing."""
    out = []
    i = 0
    while i < len(statement):
        if statement[i] == "[" and statement[i + 1:i + 2] == ["["]:
            depth = 0
            while i < len(statement):
                depth += 1 if statement[i] == "[" else -1 if statement[i] == "]" else 0
                i += 1
                if depth == 0:
                    break
            continue
        out.append(statement[i])
        i += 1
    return out


def declared_name(statement):
    """The name a declaration at namespace level declares and what it is
    ("type", "function", "variable"), or None."""
    statement = without_attributes(statement)
    words = [t for t in statement if IDENTIFIER.fullmatch(t)]
    if not words:
        return None
    # A type of its own: class/struct/union/enum followed by a name and a body
    # or a base list.
    for k, token in enumerate(statement[:-1]):
        if token in ("class", "struct", "union", "enum"):
            rest = statement[k + 1:]
            if rest and rest[0] in ("class", "struct"):
                rest = rest[1:]
            if len(rest) >= 2 and IDENTIFIER.fullmatch(rest[0]) and rest[0] not in KEYWORDS:
                follow = rest[1] if rest[1] != "final" else (rest[2] if len(rest) > 2 else "")
                if follow in ("{", ":"):
                    return rest[0], "type"
    if statement[0] == "using" and len(statement) > 2 and statement[2] == "=":
        return statement[1], "type"
    if statement[0] == "typedef":
        candidates = [t for t in statement if IDENTIFIER.fullmatch(t) and t not in KEYWORDS]
        return (candidates[-1], "type") if candidates else None
    depth = 0
    for k, token in enumerate(statement):
        if token in ("(", "[", "<") and depth == 0 and k > 0:
            if token == "<":
                depth += 1
                continue
            # A function's name, or an array's.
            name = statement[k - 1]
            if IDENTIFIER.fullmatch(name) and name not in KEYWORDS:
                return name, "function" if token == "(" else "variable"
            return None
        if token == "<":
            depth += 1
        elif token == ">" and depth > 0:
            depth -= 1
        elif token in ("=", "{", ";") and depth == 0:
            name = statement[k - 1] if k > 0 else ""
            if IDENTIFIER.fullmatch(name) and name not in KEYWORDS:
                return name, "variable"
            return None
    return None


def unqualified(tokens):
    """The names used without a member access or a namespace's or class's
    qualification: only those can find a neighbour's file-local name. Inside
    a class's body, a name called or declared as a function is taken for the
    class's member, which its lookup finds first."""
    names = set()
    scopes = []  # True for a class's body
    start = 0  # where the statement before the next brace began
    for k, token in enumerate(tokens):
        if token in (";", "}"):
            if token == "}" and scopes:
                scopes.pop()
            start = k + 1
            continue
        if token == "{":
            head = tokens[start:k]
            scopes.append(any(t in ("class", "struct", "union") for t in head) and "enum" not in head)
            start = k + 1
            continue
        if not IDENTIFIER.fullmatch(token):
            continue
        before = tokens[k - 1] if k > 0 else ""
        if before in (".", "->"):
            continue
        if before == "::" and k > 1 and (IDENTIFIER.fullmatch(tokens[k - 2]) or tokens[k - 2] == ">"):
            continue
        if any(scopes) and k + 1 < len(tokens) and tokens[k + 1] == "(" and before != "::":
            continue
        names.add(token)
    return names


ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
_headers = {}


def header_names(path, seen):
    """Every name the project header mentions, with the headers it includes."""
    if path in seen:
        return set()
    seen.add(path)
    if path not in _headers:
        with open(path, encoding="utf-8", errors="replace") as header:
            text = header.read()
        code, _ = strip(text)
        _headers[path] = (unqualified(TOKEN.findall(code)), included(text, path))
    names, below = _headers[path]
    names = set(names)
    for header in below:
        names |= header_names(header, seen)
    return names


def included(text, path):
    """The project headers a file includes, by their paths."""
    found = []
    for name in INCLUDE.findall(text):
        for base in (os.path.dirname(path), ROOT):
            candidate = os.path.normpath(os.path.join(base, name))
            if os.path.isfile(candidate):
                found.append(candidate)
                break
    return found


def local_names(path):
    """The names the file keeps to itself, and every name it mentions (its
    own and its headers': a header included after a neighbour's file-local
    name sees that name too)."""
    with open(path, encoding="utf-8", errors="replace") as source:
        text = source.read()
    code, macros = strip(text)
    tokens = TOKEN.findall(code)
    from_headers = set()
    seen = set()
    for header in included(text, path):
        from_headers |= header_names(header, seen)
    mentioned = unqualified(tokens) | from_headers
    local = set(macros)
    # Scopes: "anon", "named" (a namespace or extern "C"), "body".
    scopes = []
    statement = []
    aliases = {}  # the names a using-declaration brings, with what they name
    enumeration = None  # the depth of an unscoped enumeration's body
    previous = ""
    for token in tokens:
        at_namespace_level = all(s != "body" for s in scopes)
        if not at_namespace_level:
            # An unscoped enumeration's values are names of the scope around it.
            if enumeration is not None and len(scopes) == enumeration and IDENTIFIER.fullmatch(token) \
                    and previous in ("{", ","):
                local.add(token)
            previous = token
            if token == "{":
                scopes.append("body")
            elif token == "}":
                scopes.pop()
                if all(s != "body" for s in scopes):
                    statement = []
                    enumeration = None
            continue
        if token == "}":
            if scopes:
                scopes.pop()
            statement = []
            continue
        if token not in ("{", ";"):
            statement.append(token)
            continue
        if token == "{" and statement and statement[0] in ("namespace", "inline") and "namespace" in statement[:2]:
            named = [t for t in statement if IDENTIFIER.fullmatch(t) and t not in ("namespace", "inline")]
            scopes.append("named" if named else "anon")
            statement = []
            continue
        if token == "{" and statement[:2] == ["extern", '""']:
            scopes.append("named")
            statement = []
            continue
        # Macro calls at namespace level (TEST_F, message maps) run into the
        # statement after them; a type's name is still found after them.
        while statement and re.fullmatch(r"[A-Z][A-Z0-9_]*", statement[0]) and "(" in statement[1:2]:
            depth = 0
            k = 1
            for k in range(1, len(statement)):
                if statement[k] == "(":
                    depth += 1
                elif statement[k] == ")":
                    depth -= 1
                    if depth == 0:
                        break
            if k + 1 >= len(statement):
                break
            statement = statement[k + 1:]
        # A using-directive reaches the files after it too, but names nothing
        # of its own: a neighbour that needs the same names says so itself. A
        # using-declaration names one.
        if statement[:2] == ["using", "namespace"]:
            statement = []
            continue
        if statement[:1] == ["using"] and "=" not in statement:
            if IDENTIFIER.fullmatch(statement[-1]) and ("anon" in scopes or not scopes):
                local.add(statement[-1])
                aliases[statement[-1]] = "".join(statement[1:])
            statement = []
            continue
        macro_call = bool(statement) and re.fullmatch(r"[A-Z][A-Z0-9_]*", statement[0]) and "(" in statement[1:2]
        declared = declared_name(statement + [token]) if statement and not macro_call else None
        if declared:
            name, kind = declared
            # Outside an anonymous namespace, a type or constant its headers
            # declare is theirs, defined here (an opaque handle's structure,
            # an extern constant); a function is the headers' unless static.
            if "anon" in scopes or "static" in statement:
                local.add(name)
            elif kind == "type" and name not in from_headers:
                local.add(name)
            elif kind == "variable" and ("constexpr" in statement or "const" in statement) \
                    and "extern" not in statement and name not in from_headers:
                local.add(name)
        if token == "{":
            scopes.append("body")
            previous = token
            if "enum" in statement and statement[statement.index("enum") + 1:][:1] not in (["class"], ["struct"]):
                enumeration = len(scopes)
        statement = []
    return local, mentioned, aliases


def clash(a, b):
    """Whether one file keeps a name to itself that the other mentions. Two
    using-declarations of one entity are no clash."""
    for first, second in ((a, b), (b, a)):
        for name in first[0] & second[1]:
            alias = first[2].get(name)
            if alias is None or second[2].get(name) != alias:
                return True
    return False


def main():
    manifest, output, size = sys.argv[1], sys.argv[2], int(sys.argv[3])
    targets = OrderedDict()
    for line in open(manifest, encoding="utf-8"):
        folder, target, source = line.rstrip("\n").split("\t")
        targets.setdefault((folder, target), []).append(source)
    names = {}
    placed = {}  # (folder, source) -> group
    lines = []
    for (folder, target), sources in targets.items():
        batches = []
        pending = [source for source in sources if (folder, source) not in placed]
        for source in pending:
            if source not in names:
                names[source] = local_names(source)
        # The files with the most clashes are placed first, while every batch
        # still has room for them; each goes to the first batch it fits.
        degree = {a: sum(clash(names[a], names[b]) for b in pending if b != a) for a in pending}
        for source in sorted(pending, key=lambda a: -degree[a]):
            for batch in batches:
                if len(batch) < size and not any(clash(names[source], names[other]) for other in batch):
                    batch.append(source)
                    break
            else:
                batches.append([source])
        for number, batch in enumerate(batches):
            group = f"{target}_{number}"
            for source in batch:
                placed[(folder, source)] = group
                lines.append(f'set_property(SOURCE "{source}" DIRECTORY "{folder}" PROPERTY UNITY_GROUP {group})')
        lines.append(f"set_property(TARGET {target} PROPERTY UNITY_BUILD_MODE GROUP)")
    text = "\n".join(lines) + "\n"
    try:
        with open(output, encoding="utf-8") as old:
            if old.read() == text:
                return
    except OSError:
        pass
    with open(output, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    main()
