#!/usr/bin/env python3
"""Makes every face of the binary contract from its one declaration, Orvo.idl (the form of that
file is told at its top). Standard library only.

    generate.py            writes the faces that differ from a fresh generation
    generate.py --check    writes nothing; lists the faces that differ and fails if any does
    generate.py --layout FILE   writes the layout checks of tests/interfaces to FILE

The generator is tables and emitters: TYPES spells each type in every face, PASSING says how a
type crosses in each direction, and one walk over the declaration hands each item to every face's
emitter. A new type is a row; a new face is an emitter.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)  # interfaces/
WIDTH = 120
NOTICE = "Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file."


class Fail(Exception):
    pass


# ---- Types: one row each, its spelling in every face ---------------------------------------------

class Type:
    """A type as the faces spell it: raw (the C and raw C++ slots), cpp (C++ that owns its value:
    records, wrappers), pas (Object Pascal); its layout as a record field (size and alignment on
    32-bit Windows, then on 64-bit targets). kind picks its passing rules."""

    def __init__(self, kind, raw, layout, cpp=None, pas=None, item=None):
        self.kind, self.raw, self.cpp, self.pas, self.item = kind, raw, cpp or raw, pas or raw, item
        self.layout = layout


POINTER = (4, 8, 4, 8)
TYPES = {
    "int32": Type("value", "int32_t", (4, 4, 4, 4), pas="Integer"),
    "int64": Type("value", "int64_t", (8, 8, 8, 8), pas="Int64"),
    "double": Type("value", "double", (8, 8, 8, 8), pas="Double"),
    "TDateTime": Type("value", "TDateTime", (8, 8, 8, 8)),
    "Currency": Type("value", "Currency", (8, 8, 8, 8)),
    "bool": Type("bool", "OrvoBool", (4, 4, 4, 4), pas="LongBool"),
    "pointer": Type("value", "void*", POINTER, pas="Pointer"),
    "text": Type("text", "OrvoAnsiString", POINTER, "AnsiString", "TOrvoText"),
    "chars": Type("value", "const char*", POINTER, pas="PAnsiChar"),
    "guid": Type("guid", "TGUID", (16, 16, 4, 4)),
    "any": Type("any", "void", None),
}


def declared_type(item):
    """The row of a type the declaration names: its own name everywhere; an enum is a 32-bit integer
    in Pascal."""
    layout = {"record": tuple(map(int, getattr(item, "layout", ()))), "enum": (4, 4, 4, 4), "method": (8, 16, 4, 8)}
    return Type(item.kind, item.name, layout.get(item.kind, POINTER), pas="Integer" if item.kind == "enum" else None,
                item=item)


class Passing:
    """How a parameter of one kind crosses in one direction, in every face. Templates take n (the
    name), t (the type's raw spelling), cpp (its C++ spelling), pas, N (the Pascal name), short (the
    name without its leading T). wrap None: only as the method's result. result None: never the
    result."""

    def __init__(self, raw, wrap, arg, adapt, pas, c=None, result=None):
        self.raw, self.c, self.wrap, self.arg, self.adapt, self.pas = raw, c or raw, wrap, arg, adapt, pas
        self.result = result


class Result:
    """The method's result: the C++ wrapper's type, its local, the raw call's argument for it and
    what the wrapper returns; how the adapter stores it; whether Pascal gives it as the function's
    result (else an out parameter)."""

    def __init__(self, type_, local, arg, returned, store, pas_function):
        self.type, self.local, self.arg, self.returned = type_, local, arg, returned
        self.store, self.pas_function = store, pas_function


VALUE_RESULT = Result("{cpp}", "{cpp} {n} = {init};", "&{n}", "{n}", "*{n} = {v};", True)

# (kind, direction): raw C++ slot, C++ wrapper parameter, the wrapper's argument to the slot, the
# adapter's argument to the implementation (None: a value the adapter hands back after the call),
# Pascal parameter, C slot where it differs, and the rule as the result.
PASSING = {
    ("value", "in"): Passing("{t}", "{cpp}", "{n}", "{n}", "{N}: {pas}"),
    ("value", "out"): Passing("{t}*", "{cpp}&", "&{n}", "*{n}", "out {N}: {pas}", result=VALUE_RESULT),
    ("bool", "in"): Passing("{t}", "bool", "{n}", "{n} != 0", "{N}: {pas}"),
    ("bool", "out"): Passing("{t}*", None, "&{n}", "*{n}", "out {N}: {pas}",
                             result=Result("bool", "{t} {n} = {init};", "&{n}", "{n} != 0", "*{n} = {v};", True)),
    ("text", "borrowed"): Passing("{t}", "const AnsiString&", "{n}.Raw()", "TBorrowedText({n})", "{N}: {pas}"),
    ("text", "new"): Passing("{t}*", "AnsiString&", "{n}.ReleaseAndGetAddressOf()", None, "out {N}: {pas}",
                             result=Result("AnsiString", "AnsiString {n};", "{n}.ReleaseAndGetAddressOf()", "{n}",
                                           "orvo::PutText({n}, {v});", True)),
    ("interface", "borrowed"): Passing("{t}*", "{t}*", "{n}", "{n}", "const {N}: {t}"),
    ("interface", "borrowed&"): Passing("{t}*", "{t}&", "&{n}", "*{n}", "const {N}: {t}"),
    ("interface", "new"): Passing("{t}**", None, "{n}.ReleaseAndGetAddressOf()", "{n}", "out {N}: {t}",
                                  result=Result("ComPtr<{t}>", "ComPtr<{t}> {n};", "{n}.ReleaseAndGetAddressOf()",
                                                "{n}", "orvo::PutObject({n}, {v});", False)),
    ("any", "new"): Passing("{t}**", "{t}**", "{n}", "{n}", "out {N}"),
    ("guid", "in"): Passing("const {t}&", "const {t}&", "{n}", "{n}",
                            "{{$IFDEF FPC}}constref{{$ELSE}}const{{$ENDIF}} {N}: {t}", c="const {t}*"),
    ("record", "borrowed*"): Passing("const {t}*", "const {t}&", "&{n}", "{short}Of({n})", "{N}: P{short}"),
    ("record", "inout"): Passing("{t}*", "{t}&", "&{n}", "*{n}", "var {N}: {t}"),
    ("method", "in"): Passing("{t}", "{t}", "{n}", "{n}", "{N}Code, {N}Data: Pointer"),
    ("method", "out"): Passing("{t}*", "{t}&", "&{n}", "*{n}", "out {N}: TOrvoMethod",
                               result=Result("{t}", "{t} {n};", "&{n}", "{n}", "*{n} = {v};", False)),
}


# ---- The declaration ---------------------------------------------------------------------------

class Param:
    def __init__(self, where, direction, type_, name, initial, when_true, mark):
        self.where, self.direction, self.type, self.name = where, direction, type_, name
        self.initial, self.when_true, self.mark = initial, when_true, mark
        self.row = self.rule = None  # set once every name is known
        # A pointer the adapter checks before any effect: one it writes through, or a lent object never null.
        self.checked = direction + mark in ("out", "new", "inout", "borrowed&")

    def spell(self, text, **more):
        row = self.row
        fields = dict(n=self.name, N=pas_name(self.name), t=row.raw, cpp=row.cpp, pas=row.pas, short=self.type[1:],
                      init=self.initial or 0)
        return text.format(**dict(fields, **more))


class Method:
    def __init__(self, name, params, comment, attrs):
        self.name, self.params, self.comment = name, params, comment
        self.wrapper = attrs.get("wrapper", name)
        self.hook = "hook" in attrs
        outs = [p for p in params if p.direction in ("out", "new", "inout")]
        self.result = outs[-1] if outs and outs[-1] is params[-1] and outs[-1].direction != "inout" else None


class Item:
    def __init__(self, kind, name, comment, file):
        self.kind, self.name, self.comment, self.file = kind, name, comment, file


DIRECTIONS = {"in", "out", "borrowed", "new", "inout"}


def parse_params(text, where):
    params = []
    for part in [p.strip() for p in text.split(",") if p.strip()]:
        m = re.fullmatch(r"(\w+) (\w+)([*&]?) (\w+)(?: = (-?\d+))?( when true)?", part)
        if not m:
            raise Fail(f"{where}: cannot read the parameter '{part}'")
        direction, type_, mark, name, initial, when_true = m.groups()
        if direction not in DIRECTIONS:
            raise Fail(f"{where}: '{direction}' is no direction ({', '.join(sorted(DIRECTIONS))})")
        params.append(Param(where, direction, type_, name, initial, bool(when_true), mark))
    return params


def resolve(params, types):
    """Gives each parameter its type's row and its passing rule; a pair without a rule is refused."""
    for p in params:
        if p.type not in types:
            raise Fail(f"{p.where}: unknown type '{p.type}'")
        p.row = types[p.type]
        p.rule = PASSING.get((p.row.kind, p.direction + p.mark))
        if p.rule is None:
            passings = sorted(d for k, d in PASSING if k == p.row.kind)
            raise Fail(f"{p.where}: {p.type} {p.name} crosses as {' or '.join(passings)}, not {p.direction + p.mark}")


def parse(path):
    items, comment, file = [], [], None
    lines = open(path, encoding="utf-8").read().split("\n")
    i = 0

    def block_until_end(start):
        nonlocal i
        body, depth = [], 0
        while i < len(lines) and (lines[i].strip() != "end" or depth):
            depth += lines[i].strip().startswith("union ") - (lines[i].strip() == "end")
            body.append(lines[i])
            i += 1
        if i == len(lines):
            raise Fail(f"Orvo.idl:{start}: no 'end'")
        i += 1
        return body

    while i < len(lines):
        raw = lines[i]
        line = raw.strip()
        where = f"Orvo.idl:{i + 1}"
        i += 1
        if not line or line.startswith("#"):
            if not line and comment and file and file.get("head") is None:
                file["head"], comment = comment, []
            continue
        if line.startswith("//"):
            comment.append(line[3:] if line.startswith("// ") else line[2:])
            continue
        words = line.split()
        if words[0] == "file":
            file = {"name": words[1], "includes": [], "head": None, "alone": "[alone]" in words}
            comment = []
        elif words[0] == "include":
            file["includes"].append(words[1])
        elif line == "%{cpp":
            body = []
            while lines[i].strip() != "%}":
                body.append(lines[i])
                i += 1
            i += 1
            items.append(Item("cpp", "", comment, file))
            items[-1].body, comment = body, []
        elif words[0] == "interface":
            m = re.fullmatch(r'interface (\w+) (\{[0-9A-F-]{36}\}) "((?:[^"\\]|\\.)*)"((?: \[\w+\])*)', line)
            if not m:
                raise Fail(f"{where}: cannot read '{line}'")
            item = Item("interface", m.group(1), comment, file)
            item.guid, item.summary = m.group(2), m.group(3).replace('\\"', '"')
            item.base = "[base]" in m.group(4)
            item.numbered = "[numbered]" in m.group(4)
            item.methods, method_comment = [], []
            for body_line in block_until_end(i):
                body_line = body_line.strip()
                if body_line.startswith("//"):
                    method_comment.append(body_line[3:])
                    continue
                mm = re.fullmatch(r"(\w+)\((.*)\)((?: \[[\w=]+\])*)", body_line)
                if not mm:
                    raise Fail(f"{where}: cannot read the method '{body_line}' of {item.name}")
                attrs = dict((a.split("=") + [""])[:2] for a in re.findall(r"\[([\w=]+)\]", mm.group(3)))
                params = parse_params(mm.group(2), f"{item.name}::{mm.group(1)}")
                item.methods.append(Method(mm.group(1), params, method_comment, attrs))
                method_comment = []
            if len({m.name for m in item.methods}) != len(item.methods):
                raise Fail(f"{where}: {item.name} declares a method twice")
            items.append(item)
            comment = []
        elif words[0] == "method":
            m = re.fullmatch(r"method (\w+)\((.*)\)", line)
            item = Item("method", m.group(1), comment, file)
            item.params = parse_params(m.group(2), m.group(1))
            items.append(item)
            comment = []
        elif words[0] == "record":
            item = Item("record", words[1], comment, file)
            item.layout = words[2:6]
            item.fields, union = [], None
            for body_line in block_until_end(i):
                body_line, _, note = body_line.strip().partition("//")
                fm = body_line.split()
                if not fm:
                    continue
                if fm[0] == "union":
                    union = (fm[1], [])
                    item.fields.append(("union", union))
                elif fm[0] == "end":
                    union = None
                else:
                    field = (fm[0], fm[1], note.strip())
                    (union[1] if union else item.fields).append(field)
            items.append(item)
            comment = []
        elif line == "text":
            items.append(Item("text", "", comment, file))
            items[-1].body, comment = block_until_end(i), []
        elif words[0] in ("enum", "flags", "constants", "codes"):
            item = Item(words[0], words[1] if len(words) > 1 else "", comment, file)
            item.prefixes = words[1:]
            item.values = []
            for body_line in block_until_end(i):
                body_line, _, note = body_line.strip().partition("//")
                name, _, value = body_line.partition("=")
                item.values.append((name.strip(), value.strip(), note.strip()))
            items.append(item)
            comment = []
        else:
            raise Fail(f"{where}: cannot read '{line}'")
    # Every name may be used before its declaration: the types are known once all are read.
    types = dict(TYPES, **{i.name: declared_type(i) for i in items if i.kind in ("interface", "method", "record", "enum")})
    for item in items:
        for params in [m.params for m in getattr(item, "methods", [])] + [getattr(item, "params", [])]:
            resolve(params, types)
        for res in [m.result for m in getattr(item, "methods", []) if m.result and not m.result.rule.result]:
            raise Fail(f"{res.where}: {res.type} {res.name} cannot be the result: put another out value last")
        if item.kind == "record":
            record_offsets(item, types)  # the declared size and alignment are what the fields make
    return items, types


# ---- Writing helpers ---------------------------------------------------------------------------

def wrap(head, args, tail, indent):
    """head + args joined by ", " + tail; past the width, the arguments continue under the first."""
    one = head + ", ".join(args) + tail
    if len(indent) + len(one) <= WIDTH or not args:
        return [indent + one]
    out, line = [], indent + head
    column = len(line)
    for n, arg in enumerate(args):
        piece = arg + (", " if n < len(args) - 1 else tail)
        if len(line) + len(piece.rstrip()) > WIDTH and line.strip() and len(line) > column:
            out.append(line.rstrip())
            line = " " * column
        line += piece
    out.append(line)
    return out


def aligned(rows, note="  // {}"):
    """Code lines with their trailing comments in one column."""
    width = max([len(code) for code, text in rows if text] or [0])
    return [code + (" " * (width - len(code)) + note.format(text) if text else "") for code, text in rows]


def record_rows(item, field, union_end):
    """The fields of a record as (code, note) rows, a union's members indented within it."""
    rows = []
    for f in item.fields:
        if f[0] == "union":
            rows += [("    union {", "")] + [field(*g, "        ") for g in f[1][1]] + [(union_end(f[1][0]), "")]
        else:
            rows.append(field(*f, "    "))
    return rows


def value_names(item):
    """The C and Pascal names of an enum's or flags' values (prefix and capitals); constants as declared."""
    prefix = item.prefixes[-1] if item.prefixes else ""
    return [(f"{prefix}{n.upper()}" if prefix else n, v, note) for n, v, note in item.values]


def comment_lines(comment, indent, style="//"):
    if style == "//":
        return [f"{indent}// {c}".rstrip() for c in comment]
    if not comment:
        return []
    out = [f"{indent}/* {comment[0]}"] + [f"{indent} * {c}".rstrip() for c in comment[1:]]
    return out[:-1] + [out[-1] + " */"]


def raw_params(params, c=False):
    """The parameters of a raw slot as the C face (c) or the C++ faces declare them."""
    return [f"{p.spell(p.rule.c if c else p.rule.raw)} {p.name}" for p in params]


def bound_method_fields(item, c):
    """A bound method as the C and plain C++ faces lay it out: the function, then its data."""
    return wrap("int32_t(ORVO_STDCALL* Code)(", ["void* data"] + raw_params(item.params, c), ");", "    ") + \
        ["    void* Data;"]


def field_type(types, t, face):
    """A record field's type in a face ("c", "cpp" or "pas"); "T*" points to a record, read only."""
    if t.endswith("*"):
        return "P" + t[1:-1] if face == "pas" else f"const {t[:-1]}*"
    row = types[t]
    return row.pas if face == "pas" else row.cpp if face == "cpp" else row.raw


def code_values(item, cast):
    """The HRESULTs as (name, value, note), a failure's value as the 32-bit integer it is."""
    return [(n, cast.format(v + "u") if int(v, 0) >= 0x80000000 else v, note) for n, v, note in value_names(item)]


def fill(template, parts):
    text = open(os.path.join(HERE, template), encoding="utf-8").read()
    for key, lines in parts.items():
        marker = f"@{key}@"
        if marker not in text:
            raise Fail(f"{template} has no {marker}")
        text = text.replace(marker, "\n".join(lines).strip("\n"))
    return text.replace("@NOTICE@", NOTICE)


class Face:
    """An emitter: the walk over the declaration hands it each item in order; finish gives its files.
    An item of a kind the face does not show is passed over."""

    def __init__(self, types, items):
        self.types, self.items = types, items  # every declared type's row; the whole declaration, to look up

    def item(self, item):
        getattr(self, "on_" + {"flags": "values", "constants": "values", "enum": "values"}.get(item.kind, item.kind),
                lambda _: None)(item)

    def constants_note(self, note, enums=True):
        """A field's note naming the face's constants where it names flags (and, with enums, an
        enum) by their C++ names ("kControl... bits", "a TFormControlKind"), for a face that
        declares only the constants."""
        for item in self.items:
            if item.kind == "enum" and enums:
                note = re.sub(rf"\b(an? )?{item.prefixes[0]}\b", f"one of the {item.prefixes[-1]}... constants", note)
            elif item.kind == "flags":
                note = re.sub(rf"\b{item.prefixes[0]}\.\.\.", f"{item.prefixes[-1]}...", note)
        return note


# ---- C++: the module's headers intf*.h -----------------------------------------------------------

def cpp_wrapper(m):
    """The throwing wrapper a C++ caller uses."""
    res = m.result
    args, locals_, after = [], [], []
    for p in m.params:
        if p is res:
            args.append(p.spell(res.rule.result.arg))
        elif p.when_true:  # a text handed back only with a true result: left as it was otherwise
            locals_.append(f"AnsiString {p.name}Value;")
            after.append(f"if ({res.name}) {p.name} = {p.name}Value;")
            args.append(f"{p.name}Value.ReleaseAndGetAddressOf()")
        else:
            args.append(p.spell(p.rule.arg))
    head, params = f"{cpp_result_type(res)} {m.wrapper}(", cpp_wrapper_params(m)
    call = f"orvo::CallOut().Check(raw_{m.name}("
    if res is None:
        one = f"    {head}{', '.join(params)}) {{ {call}{', '.join(args)})); }}"
        if len(one) <= WIDTH:
            return [one]
    else:
        locals_.append(res.spell(res.rule.result.local))
        after.append(f"return {res.spell(res.rule.result.returned)};")
    return wrap(head, params, ") {", "    ") + ["        " + x for x in locals_] + \
        wrap(call, args, "));", "        ") + ["        " + x for x in after] + ["    }"]


def cpp_result_type(p):
    return "void" if p is None else p.spell(p.rule.result.type)


def cpp_wrapper_params(m):
    out = []
    for p in m.params:
        if p is m.result:
            continue
        if p.rule.wrap is None:
            raise Fail(f"{p.where}: {p.type} {p.name} ({p.direction}) is the result or nothing")
        out.append(f"{p.spell(p.rule.wrap)} {p.name}")
    return out


def cpp_adapter(m):
    """The raw method of ComImpl<I>: the C++ implementation's method inside ComBody."""
    raw = raw_params(m.params)
    if m.hook:
        unnamed = [p.spell(p.rule.raw) for p in m.params]
        return wrap(f"HRESULT32 ORVO_STDCALL raw_{m.name}(", unnamed, ") final { return ORVO_S_OK; }", "    ")
    res = m.result
    # With a value handed back beside the result, every value handed back waits for the call.
    deferred = any(p.rule.adapt is None and p is not res for p in m.params)
    args, locals_, puts = [], [], []
    for p in m.params:
        if p is res:
            continue
        if p.rule.adapt is None or deferred and p.direction == "out":
            value = f"{p.name}Value"
            locals_.append(p.spell(p.rule.result.local, n=value, init=0))
            put = f"answer ? {value} : AnsiString()" if p.when_true else value
            puts.append(p.spell(p.rule.result.store, v=put))
            args.append(value)
        else:
            args.append(p.spell(p.rule.adapt))
    call = f"{m.wrapper}({', '.join(args)})"

    def store(value):
        return f"{value};" if res is None else res.spell(res.rule.result.store, v=value)

    head = wrap(f"HRESULT32 ORVO_STDCALL raw_{m.name}(", raw, ") final {", "    ")
    # Every pointer the body writes through or reads is checked before any effect.
    checked = "".join(f"{p.name}, " for p in m.params if p.checked)
    if deferred:
        body = locals_ + [f"const auto answer = {call};"] + puts + [store("answer")]
        return head + [f"        return orvo::ComBody({checked}[&] {{"] + ["            " + b for b in body] + \
            ["        });", "    }"]
    line = f"        return orvo::ComBody({checked}[&] {{ {store(call)} }});"
    single = f"{head[0]} {line.strip()} }}"
    if len(head) == 1 and len(single) <= WIDTH:
        return [single]
    if len(line) > WIDTH:
        line = f"        return orvo::ComBody({checked.rstrip()}\n            [&] {{ {store(call)} }});"
    return head + [line, "    }"]


def cpp_record(item, types):
    owning = any(f[0] == "text" for f in item.fields if f[0] != "union")

    def field(t, name, note, indent):
        init = " = 0" if owning and t != "text" else ""
        return f"{indent}{field_type(types, t, 'cpp')} {name}{init};", note

    rows = record_rows(item, field, lambda name: "    };")
    return comment_lines(item.comment, "") + [f"struct {item.name} {{"] + aligned(rows) + \
        ["};", f"ORVO_ASSERT_LAYOUT({item.name}, {', '.join(item.layout)});"]


def cpp_interface(item):
    out = comment_lines(item.comment, "")
    out += [f"struct {item.name} : IInterface {{",
            f'    static constexpr TGUID IID = ParseGuid("{item.guid}");']
    for n, m in enumerate(item.methods, 1):
        comment = m.comment
        if item.numbered and comment:
            comment = [f"{n}. {comment[0]}"] + [" " * len(f"{n}. ") + c for c in comment[1:]]
        out += comment_lines(comment, "    ")
        out += wrap(f"virtual HRESULT32 ORVO_STDCALL raw_{m.name}(", raw_params(m.params), ") = 0;", "    ")
    wrappers = [m for m in item.methods if not m.hook]
    if wrappers:
        out.append("")
        for m in wrappers:
            out += cpp_wrapper(m)
    out.append("};")
    if not item.methods:
        return out
    out += ["template <>", f"struct ComImpl<{item.name}> : {item.name} {{"]
    for m in wrappers:
        out += wrap(f"virtual {cpp_result_type(m.result)} {m.wrapper}(", cpp_wrapper_params(m), ") = 0;", "    ")
    out.append("")
    for m in item.methods:
        out += cpp_adapter(m)
    # A record lent by pointer reaches the implementation as a value, a null one as a zeroed value.
    lent = {p.type: p.row.item for m in item.methods for p in m.params if p.direction + p.mark == "borrowed*"}
    if lent:
        out += ["", "private:"]
        for t, record in sorted(lent.items()):
            zero = ", ".join("nullptr" if f[0].endswith("*") else "0" for f in record.fields)
            out.append(f"    static {t} {t[1:]}Of(const {t}* lent) {{ return lent ? *lent : {t}{{{zero}}}; }}")
    return out + ["};"]


def cpp_values(item):
    out = comment_lines(item.comment, "")
    if item.kind == "enum":
        values = ", ".join(f"{n} = {v}" for n, v, _ in item.values)
        return out + [f"enum class {item.name} : int32_t {{ {values} }};"]
    prefix = item.prefixes[0] if item.kind == "flags" else ""
    return out + aligned([(f"inline constexpr int32_t {prefix}{n} = {v};", note) for n, v, note in item.values])


class CppHeaders(Face):
    """The module's C++ headers, one per 'file' of the declaration: raw slots, throwing wrappers,
    implementer adapters."""

    def __init__(self, *declaration):
        super().__init__(*declaration)
        self.files = {}  # name: (file, [(item, lines)])

    def add(self, item, lines):
        if item.file is not None:
            self.files.setdefault(item.file["name"], (item.file, []))[1].append((item, lines))

    def on_interface(self, item):
        if not item.base:
            self.add(item, cpp_interface(item))

    def on_method(self, item):
        params = raw_params(item.params)
        self.add(item, comment_lines(item.comment, "") + wrap(f"using {item.name} = TMethod<void(", params, ")>;", "") +
                 [f"ORVO_ASSERT_LAYOUT({item.name}, 8, 16, 4, 8);  // also instantiates it before the interface names it"])

    def on_record(self, item):
        self.add(item, cpp_record(item, self.types))

    def on_values(self, item):
        self.add(item, cpp_values(item))

    def on_cpp(self, item):
        self.add(item, item.body)

    def on_codes(self, item):
        self.add(item, comment_lines(item.comment, "") + aligned(
            [(f"inline constexpr HRESULT32 {n} = {v};", note) for n, v, note in code_values(item, "int32_t({})")]))

    def on_text(self, item):
        self.add(item, comment_lines(item.comment, "") + [f"typedef char* {TYPES['text'].raw};", "", 'extern "C" {'] +
                 item.body + ["}"])

    def finish(self):
        result = {}
        for name, (file, members) in self.files.items():
            out = comment_lines(file["head"] or [], "") + ["#pragma once"]
            system = [i for i in file["includes"] if i.startswith("<")]
            local = ([] if file["alone"] else ['"OrvoTypes.h"']) + [i for i in file["includes"] if not i.startswith("<")]
            if system:
                out += [f"#include {i}" for i in system] + [""]
            out += [f"#include {i}" for i in local]
            interfaces = {i.name for i, _ in members if i.kind == "interface"}
            forward = sorted({p.type for i, _ in members if i.kind == "method" for p in i.params if p.type in interfaces})
            if forward:
                out += [""] + [f"struct {f};" for f in forward]
            group = None
            for item, lines in members:
                if not (item.kind == "method" and group == "method" and not item.comment):
                    out.append("")
                group = item.kind
                out += lines
            result[name] = f"// {NOTICE}\n" + "\n".join(out) + "\n"
        return result


# ---- C -----------------------------------------------------------------------------------------

def c_guid(guid):
    g = guid.strip("{}").replace("-", "")
    d4 = ", ".join(f"0x{g[16 + 2 * i:18 + 2 * i]}" for i in range(8))
    return f"{{0x{g[0:8]}, 0x{g[8:12]}, 0x{g[12:16]}, {{{d4}}}}}"


class CFace(Face):
    """OrvoContract.h: the contract in C99."""

    def __init__(self, *declaration):
        super().__init__(*declaration)
        self.forward, self.types_, self.interfaces, self.codes, self.text = [], [], [], [], []

    def on_method(self, item):
        self.types_ += [""] + comment_lines(item.comment, "", "/*")
        self.types_ += [f"typedef struct {item.name} {{"] + bound_method_fields(item, True) + [f"}} {item.name};"]

    def on_record(self, item):
        def field(t, name, note, indent):
            row = self.types.get(t)
            if row and row.kind == "enum" and not note:
                note = f"{row.item.prefixes[-1]}..."
            # The C face declares its enums' types, so only the flags' names change.
            return f"{indent}{field_type(self.types, t, 'c')} {name};", self.constants_note(note or "", enums=False)

        rows = record_rows(item, field, lambda name: f"    }} {name};")
        self.types_ += [""] + comment_lines(item.comment, "", "/*") + [f"typedef struct {item.name} {{"]
        self.types_ += aligned(rows, " /* {} */") + [f"}} {item.name};"]

    def on_values(self, item):
        names = value_names(item)
        self.types_ += [""] + comment_lines(item.comment, "", "/*")
        if item.kind == "enum":  # the type of a field holding one of the values
            self.types_.append(f"typedef int32_t {item.name};")
        self.types_ += ["enum {"] + aligned([(f"    {n} = {v}{',' if k < len(names) - 1 else ''}", note)
                                             for k, (n, v, note) in enumerate(names)], " /* {} */") + ["};"]

    def on_codes(self, item):
        names = code_values(item, "(int32_t){}")
        self.codes += comment_lines(item.comment, "", "/*") + ["enum {"] + \
            [f"    {n} = {v}{',' if k < len(names) - 1 else ''}" for k, (n, v, _) in enumerate(names)] + ["};"]

    def on_text(self, item):
        self.text += comment_lines(item.comment, "", "/*") + [f"typedef char* {TYPES['text'].raw};", ""] + item.body

    def on_interface(self, item):
        self.forward += [f"struct {item.name};", f"typedef struct {item.name} {item.name};"]
        self.interfaces += ["", f"/* {item.summary} {item.guid} */",
                            f"ORVO_IID IID_{item.name} = {c_guid(item.guid)};",
                            f"typedef struct {item.name}Vtbl {{", f"    ORVO_IINTERFACE_SLOTS({item.name})"]
        for m in item.methods:
            self.interfaces += comment_lines(m.comment, "    ", "/*")
            self.interfaces += wrap(f"int32_t(ORVO_STDCALL* {m.name})(",
                                    [f"{item.name}* This"] + raw_params(m.params, True), ");", "    ")
        self.interfaces += [f"}} {item.name}Vtbl;", f"struct {item.name} {{", f"    const {item.name}Vtbl* lpVtbl;", "};"]

    def finish(self):
        return {"OrvoContract.h": fill("OrvoContract.h.in", {"CODES": self.codes, "TEXT": self.text,
                                                              "FORWARD": self.forward, "TYPES": self.types_,
                                                              "INTERFACES": self.interfaces})}


# ---- Plain C++ (any compiler, no standard library) ----------------------------------------------

class HppFace(Face):
    """OrvoContract.hpp: abstract structs of the slots, the C face's types and identifiers."""

    def __init__(self, *declaration):
        super().__init__(*declaration)
        self.forward, self.methods, self.interfaces, self.using = [], [], [], []

    def on_record(self, item):
        self.using.append(f"using orvo_c::{item.name};")

    def on_method(self, item):
        self.methods += [""] + comment_lines(item.comment, "") + [f"struct {item.name} {{"]
        self.methods += bound_method_fields(item, False) + ["};"]

    def on_interface(self, i):
        if not i.base:
            self.forward.append(f"struct {i.name};")
        out = [""] + comment_lines(i.comment or [i.summary], "")
        out += [f"struct {i.name}{'' if i.base else ' : IInterface'} {{",
                f"    static constexpr const TGUID& IID = orvo_c::IID_{i.name};"]
        if i.base:
            out += ["    virtual int32_t ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) = 0;",
                    "    virtual int32_t ORVO_STDCALL AddRef() = 0;",
                    "    virtual int32_t ORVO_STDCALL Release() = 0;"]
        for m in i.methods:
            out += comment_lines(m.comment, "    ")
            out += wrap(f"virtual int32_t ORVO_STDCALL {m.name}(", raw_params(m.params), ") = 0;", "    ")
        self.interfaces += out + ["};"]

    def finish(self):
        return {"OrvoContract.hpp": fill("OrvoContract.hpp.in", {
            "USING": self.using, "DECLARATIONS": self.forward + self.methods + self.interfaces})}


# ---- Object Pascal ------------------------------------------------------------------------------

PAS_RESERVED = {"object", "type", "string", "file", "label", "set", "array", "record", "result", "self", "in",
                "out", "of", "to", "do", "with", "class", "property", "procedure", "function"}


def pas_name(name):
    cap = name[0].upper() + name[1:]
    return "A" + cap if name.lower() in PAS_RESERVED else cap


def pas_params(params):
    return [p.spell(p.rule.pas) for p in params]


def pas_method(m, indent):
    """Values, texts and Booleans come back as the function's result; objects and bound methods
    as out parameters (an interface result is a temporary the callee overwrites uncleared)."""
    res = m.result if m.result is not None and m.result.rule.result.pas_function else None
    params = pas_params([p for p in m.params if p is not res])
    params = "(" + "; ".join(params) + ")" if params else ""
    if res:
        return f"{indent}function {m.name}{params}: {res.row.pas}; safecall;"
    return f"{indent}procedure {m.name}{params}; safecall;"


class PascalFace(Face):
    """OrvoContract.pas: the contract as an Object Pascal unit."""

    def __init__(self, *declaration):
        super().__init__(*declaration)
        self.forward, self.types_, self.interfaces, self.consts = [], [], [], []
        self.helpers, self.helpers_impl, self.text = [], [], []

    def on_text(self, item):
        doc = [f"  {{ {item.comment[0]}"] + [f"    {c}".rstrip() for c in item.comment[1:]]
        self.text += doc[:-1] + [doc[-1] + " }"]

    def on_record(self, item):
        self.types_ += [""] + comment_lines(item.comment, "  ")
        self.types_ += [f"  P{item.name[1:]} = ^{item.name};", f"  {item.name} = record"]
        for f in item.fields:
            if f[0] == "union":
                self.types_.append("    case Integer of")
                for k, (t, n, note) in enumerate(f[1][1]):
                    note = f" {{ {note} }}" if note else ""
                    self.types_.append(f"      {k}: ({n}: {field_type(self.types, t, 'pas')});{note}")
            else:
                t, n, note = f
                note = self.constants_note(note)
                self.types_.append(f"    {n}: {field_type(self.types, t, 'pas')};" + (f" {{ {note} }}" if note else ""))
        self.types_.append("  end;")

    def on_method(self, item):
        self.types_ += [""] + comment_lines(item.comment, "  ")
        self.types_.append(f"  {item.name} = procedure({'; '.join(pas_params(item.params))}) of object; safecall;")
        short = item.name[1:]
        self.helpers += [f"function Bind{short}(const Handler: {item.name}): TOrvoMethod;",
                         f"function {short}Of(Code, Data: Pointer): {item.name};"]
        self.helpers_impl += ["", f"function Bind{short}(const Handler: {item.name}): TOrvoMethod;", "begin",
                              "  Result.Code := TMethod(Handler).Code;", "  Result.Data := TMethod(Handler).Data;",
                              "end;", "", f"function {short}Of(Code, Data: Pointer): {item.name};", "begin",
                              "  TMethod(Result).Code := Code;", "  TMethod(Result).Data := Data;", "end;"]

    def on_values(self, item):
        self.consts += [""] + comment_lines(item.comment, "  ")
        self.consts += [f"  {name} = {v};" + (f" {{ {note} }}" if note else "") for name, v, note in value_names(item)]

    def on_interface(self, item):
        if item.base:
            return
        self.forward.append(f"  {item.name} = interface;")
        self.interfaces += [""] + comment_lines(item.comment or [item.summary], "  ")
        self.interfaces += [f"  {item.name} = interface(IInterface)", f"    ['{item.guid}']"]
        for m in item.methods:
            self.interfaces += comment_lines(m.comment, "    ")
            self.interfaces.append(pas_method(m, "    "))
        self.interfaces.append("  end;")

    def finish(self):
        return {"OrvoContract.pas": fill("OrvoContract.pas.in", {
            "TEXT": self.text, "CONSTANTS": self.consts, "TYPES": self.forward + self.types_ + self.interfaces,
            "HELPERS": self.helpers, "HELPERS_IMPLEMENTATION": self.helpers_impl})}


# ---- Layout checks (tests/interfaces) -------------------------------------------------------------

def record_offsets(item, types):
    """Each field's offsets on 32-bit Windows and on 64-bit targets as C lays the record out, as
    (C path, C++ name, offsets); the declared size and alignment must come out."""
    rows, offset, align = [], [0, 0], [1, 1]
    for f in item.fields:
        union = f[0] == "union"
        members = [(f"{f[1][0]}.{g[1]}" if union else g[1], g[1], POINTER if g[0].endswith("*") else types[g[0]].layout)
                   for g in (f[1][1] if union else [f])]
        start = []
        for b in (0, 1):
            a = max(m[2][2 + b] for m in members)
            start.append(-(-offset[b] // a) * a)
            offset[b] = start[b] + -(-max(m[2][b] for m in members) // a) * a
            align[b] = max(align[b], a)
        rows += [(c, cpp, start) for c, cpp, _ in members]
    size = [-(-offset[b] // align[b]) * align[b] for b in (0, 1)]
    if [str(n) for n in size + align] != item.layout:
        raise Fail(f"record {item.name}: its fields make {' '.join(map(str, size + align))}, "
                   f"not the declared {' '.join(item.layout)}")
    return rows


class LayoutChecks(Face):
    """The layout every face must have, as X-macro lines the C and C++ checks of tests/interfaces
    define: records (size, alignment, field offsets), values, bound methods, tables, then what
    takes the types (the bound methods' functions, the slots in order)."""

    def __init__(self, *declaration):
        super().__init__(*declaration)
        self.types_, self.calls = [], []

    def on_record(self, item):
        self.types_.append(f"ORVO_RECORD({item.name}, {', '.join(item.layout)})")
        self.types_ += [f"ORVO_FIELD({item.name}, {c}, {cpp}, {o[0]}, {o[1]})"
                        for c, cpp, o in record_offsets(item, self.types)]

    def on_values(self, item):
        cpp = {"enum": f"int32_t({item.name}::{{}})", "flags": "".join(item.prefixes[:1]) + "{}",
               "constants": "::{}"}[item.kind]
        self.types_ += [f"ORVO_VALUE({c}, {cpp.format(n)}, {v})"
                        for (c, v, _), (n, _, _) in zip(value_names(item), item.values)]

    def on_codes(self, item):
        self.types_ += [f"ORVO_VALUE({n}, ::{n}, {int(v, 0) - (1 << 32) if int(v, 0) >= 1 << 31 else v})"
                        for n, v, _ in value_names(item)]

    def on_method(self, item):
        self.types_.append(f"ORVO_BOUND({item.name})")
        self.calls.append(f"ORVO_FUNCTION({item.name})")

    def on_interface(self, item):
        self.types_.append(f"ORVO_INTERFACE({item.name}, {3 + len(item.methods)})")
        self.calls += [f"ORVO_SLOT({item.name}, {m.name}, {k})" for k, m in enumerate(item.methods, 3)]

    def finish(self):
        return {"ContractLayout.inc": f"// {NOTICE}\n" + "\n".join(self.types_ + self.calls) + "\n"}


# ---- Main ----------------------------------------------------------------------------------------

FACES = [CppHeaders, CFace, HppFace, PascalFace]


def generate(emitters=FACES):
    items, types = parse(os.path.join(HERE, "Orvo.idl"))
    faces = [face(types, items) for face in emitters]
    for item in items:
        for face in faces:
            face.item(item)
    files = {}
    for face in faces:
        files.update(face.finish())
    return files


def main():
    check = "--check" in sys.argv[1:]
    try:
        if sys.argv[1:2] == ["--layout"]:  # the layout checks, into the build's file named
            with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as f:
                f.write(generate([LayoutChecks])["ContractLayout.inc"])
            return 0
        faces = generate()
    except Fail as e:
        print(f"generate.py: {e}", file=sys.stderr)
        return 2
    differing = []
    for name, text in sorted(faces.items()):
        path = os.path.join(OUT, name)
        old = open(path, encoding="utf-8").read() if os.path.exists(path) else None
        if old == text:
            continue
        differing.append(name)
        if not check:
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write(text)
    if check and differing:
        print("interfaces/: these faces differ from a fresh generation from contract/Orvo.idl (edit the "
              "declaration and run python3 interfaces/contract/generate.py): " + ", ".join(differing),
              file=sys.stderr)
        return 1
    for name in differing:
        print(f"generated interfaces/{name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
