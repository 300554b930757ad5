#!/usr/bin/env python3
"""Makes every face of the binary contract from its one declaration, Orvo.idl (the form of that
file is told at its top). Standard library only.

    generate.py            writes the faces that differ from a fresh generation
    generate.py --check    writes nothing; lists the faces that differ and fails if any does
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


# ---- The declaration ---------------------------------------------------------------------------

class Param:
    def __init__(self, direction, type_, name, initial, when_true, nonnull, pointer):
        self.direction, self.type, self.name = direction, type_, name
        self.initial, self.when_true, self.nonnull, self.pointer = initial, when_true, nonnull, pointer


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


SCALARS = {"int32", "int64", "double", "TDateTime", "Currency", "bool", "pointer", "guid", "text", "chars", "any"}
DIRECTIONS = {"in", "out", "borrowed", "new", "inout"}


def parse_params(text, where, known):
    params = []
    for part in [p.strip() for p in text.split(",") if p.strip()]:
        m = re.fullmatch(r"(\w+) (\w+)([*&]?) (\w+)(?: = (-?\d+))?( when true)?", part)
        if not m:
            raise Fail(f"{where}: cannot read the parameter '{part}'")
        direction, type_, mark, name, initial, when_true = m.groups()
        if direction not in DIRECTIONS:
            raise Fail(f"{where}: '{direction}' is no direction ({', '.join(sorted(DIRECTIONS))})")
        if type_ not in SCALARS and type_ not in known:
            raise Fail(f"{where}: unknown type '{type_}'")
        kind = "scalar" if type_ in SCALARS else known[type_]
        lent = type_ == "text" or kind == "interface" or type_ == "any"
        if lent and direction not in ("borrowed", "new"):
            raise Fail(f"{where}: {type_} {name} crosses as borrowed or new, not {direction}")
        if not lent and direction == "new" or (direction == "borrowed" and not lent and mark != "*"):
            raise Fail(f"{where}: {type_} {name} is a value: in, out or inout")
        params.append(Param(direction, type_, name, initial, bool(when_true), mark == "&", mark == "*"))
    return params


def parse(path):
    items, comment, file, known = [], [], None, {}
    lines = open(path, encoding="utf-8").read().split("\n")
    for line in lines:  # every name may be used before its declaration
        m = re.match(r"(interface|method|record|enum) (\w+)", line)
        if m:
            known[m.group(2)] = m.group(1)
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
            file = {"name": words[1], "includes": [], "head": None}
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
                params = parse_params(mm.group(2), f"{item.name}::{mm.group(1)}", known)
                item.methods.append(Method(mm.group(1), params, method_comment, attrs))
                method_comment = []
            if len({m.name for m in item.methods}) != len(item.methods):
                raise Fail(f"{where}: {item.name} declares a method twice")
            items.append(item)
            comment = []
        elif words[0] == "method":
            m = re.fullmatch(r"method (\w+)\((.*)\)", line)
            item = Item("method", m.group(1), comment, file)
            item.params = parse_params(m.group(2), m.group(1), known)
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
        elif words[0] in ("enum", "flags", "constants"):
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
    return items


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
    prefix = item.prefixes[-1] if item.kind != "constants" else ""
    return [(f"{prefix}{n.upper()}" if prefix else n, v, note) for n, v, note in item.values]


def bound_method_fields(item, c):
    """A bound method as the C and plain C++ faces lay it out: the function, then its data."""
    return wrap("int32_t(ORVO_STDCALL* Code)(", ["void* data"] + cpp_raw_params(item.params, c), ");", "    ") + \
        ["    void* Data;"]


def comment_lines(comment, indent, style="//"):
    if style == "//":
        return [f"{indent}// {c}".rstrip() for c in comment]
    if not comment:
        return []
    out = [f"{indent}/* {comment[0]}"] + [f"{indent} * {c}".rstrip() for c in comment[1:]]
    return out[:-1] + [out[-1] + " */"]


# ---- C++ types ---------------------------------------------------------------------------------

CPP_VALUE = {"int32": "int32_t", "int64": "int64_t", "double": "double", "TDateTime": "TDateTime",
             "Currency": "Currency", "bool": "OrvoBool", "pointer": "void*", "text": "OrvoAnsiString",
             "chars": "const char*"}


def cpp_raw_type(p, c=False):
    t = p.type
    if t == "guid":
        return "const TGUID*" if c else "const TGUID&"
    if t == "any":
        return "void**"
    base = CPP_VALUE.get(t, t)
    if p.direction == "borrowed":
        return f"const {t}*" if p.pointer else (f"{t}*" if t != "text" else base)
    if p.direction == "new":
        return f"{base}*" if t == "text" else f"{t}**"
    if p.direction in ("out", "inout"):
        return f"{base}*"
    return base


def cpp_raw_params(params, c=False):
    return [f"{cpp_raw_type(p, c)} {p.name}" for p in params]


def cpp_wrapper_type(p):
    t = p.type
    if t == "guid":
        return "const TGUID&"
    if t == "any":
        return "void**"
    if p.direction == "borrowed":
        if t == "text":
            return "const AnsiString&"
        if p.pointer:
            return f"const {t}&"
        return f"{t}&" if p.nonnull else f"{t}*"
    if p.direction == "in":
        return "bool" if t == "bool" else CPP_VALUE.get(t, t)
    if p.direction == "new":
        if t != "text":
            raise Fail(f"{p.name}: a new object is the result or nothing")
        return "AnsiString&"
    if t == "bool":
        raise Fail(f"{p.name}: a Boolean out-value is the result or nothing")
    return f"{CPP_VALUE.get(t, t)}&"


def cpp_result_type(p):
    if p is None:
        return "void"
    if p.type == "text":
        return "AnsiString"
    if p.type == "bool":
        return "bool"
    if p.direction == "new":
        return f"ComPtr<{p.type}>"
    return CPP_VALUE.get(p.type, p.type)


def cpp_wrapper_params(m):
    return [f"{cpp_wrapper_type(p)} {p.name}" for p in m.params if p is not m.result]


def cpp_result_local(p):
    if p.type == "text":
        return f"AnsiString {p.name};"
    if p.direction == "new":
        return f"ComPtr<{p.type}> {p.name};"
    if p.type in CPP_VALUE or p.type == "bool":
        return f"{CPP_VALUE.get(p.type)} {p.name} = {p.initial or 0};"
    return f"{p.type} {p.name};"


def cpp_wrapper(m):
    """The throwing wrapper a C++ caller uses."""
    res = m.result
    args = []
    locals_, after = [], []
    for p in m.params:
        if p is res:
            args.append(f"{p.name}.ReleaseAndGetAddressOf()" if p.direction == "new" else f"&{p.name}")
        elif p.direction == "borrowed":
            args.append(f"{p.name}.Raw()" if p.type == "text" else (f"&{p.name}" if p.pointer or p.nonnull else p.name))
        elif p.direction == "new" and p.type == "text":
            if p.when_true:
                locals_.append(f"AnsiString {p.name}Value;")
                after.append(f"if ({res.name}) {p.name} = {p.name}Value;")
                args.append(f"{p.name}Value.ReleaseAndGetAddressOf()")
            else:
                args.append(f"{p.name}.ReleaseAndGetAddressOf()")
        elif p.direction in ("out", "inout"):
            args.append(f"&{p.name}")
        else:
            args.append(p.name)
    head, params = f"{cpp_result_type(res)} {m.wrapper}(", cpp_wrapper_params(m)
    call = f"orvo::CallOut().Check(raw_{m.name}("
    if res is None:
        one = f"    {head}{', '.join(params)}) {{ {call}{', '.join(args)})); }}"
        if len(one) <= WIDTH:
            return [one]
    else:
        locals_.append(cpp_result_local(res))
        after.append(f"return {res.name} != 0;" if res.type == "bool" else f"return {res.name};")
    return wrap(head, params, ") {", "    ") + ["        " + x for x in locals_] + \
        wrap(call, args, "));", "        ") + ["        " + x for x in after] + ["    }"]


def cpp_adapter(m):
    """The raw method of ComImpl<I>: the C++ implementation's method inside ComBody."""
    raw = cpp_raw_params(m.params)
    if m.hook:
        unnamed = [cpp_raw_type(p) for p in m.params]
        return wrap(f"HRESULT32 ORVO_STDCALL raw_{m.name}(", unnamed, ") final { return ORVO_S_OK; }", "    ")
    res = m.result
    # With a text handed back beside the result, every value handed back waits for the call.
    deferred = any(p.direction == "new" and p.type == "text" and p is not res for p in m.params)
    args, locals_, puts = [], [], []
    for p in m.params:
        if p is res:
            continue
        if p.direction == "borrowed":
            if p.type == "text":
                args.append(f"TBorrowedText({p.name})")
            elif p.pointer:
                args.append(f"{p.type[1:]}Of({p.name})")
            else:
                args.append(f"*{p.name}" if p.nonnull else p.name)
        elif p.direction == "in":
            args.append(f"{p.name} != 0" if p.type == "bool" else p.name)
        elif p.direction == "new" and p.type == "text" or deferred and p.direction == "out":
            value = f"{p.name}Value"
            if p.type == "text":
                locals_.append(f"AnsiString {value};")
                puts.append(f"orvo::PutText({p.name}, {f'answer ? {value} : AnsiString()' if p.when_true else value});")
            else:
                locals_.append(f"{CPP_VALUE.get(p.type, p.type)} {value} = 0;")
                puts.append(f"*{p.name} = {value};")
            args.append(value)
        elif p.direction in ("out", "inout"):
            args.append(f"*{p.name}")
        else:
            args.append(p.name)
    call = f"{m.wrapper}({', '.join(args)})"

    def store(value):
        if res is None:
            return f"{value};"
        if res.direction == "new":
            return f"orvo::{'PutText' if res.type == 'text' else 'PutObject'}({res.name}, {value});"
        return f"*{res.name} = {value};"

    head = wrap(f"HRESULT32 ORVO_STDCALL raw_{m.name}(", raw, ") final {", "    ")
    # Every pointer the body writes through or reads is checked before any effect.
    checked = "".join(f"{p.name}, " for p in m.params
                      if p.direction in ("out", "new", "inout") or (p.direction == "borrowed" and p.nonnull))
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


def cpp_record(item):
    owning = any(f[0] == "text" for f in item.fields if f[0] != "union")
    out = comment_lines(item.comment, "") + [f"struct {item.name} {{"]

    def field(t, name, note, indent):
        ctype = {"text": "AnsiString"}.get(t) or (f"const {t[:-1]}*" if t.endswith("*") else CPP_VALUE.get(t, t))
        init = " = 0" if owning and t != "text" else ""
        return f"{indent}{ctype} {name}{init};", note

    rows = record_rows(item, field, lambda name: "    };")
    return out + aligned(rows) + ["};", f"ORVO_ASSERT_LAYOUT({item.name}, {', '.join(item.layout)});"]


def cpp_interface(item):
    out = comment_lines(item.comment, "")
    out += [f"struct {item.name} : IInterface {{",
            f'    static constexpr TGUID IID = ParseGuid("{item.guid}");']
    for n, m in enumerate(item.methods, 1):
        comment = m.comment
        if item.numbered and comment:
            comment = [f"{n}. {comment[0]}"] + [" " * len(f"{n}. ") + c for c in comment[1:]]
        out += comment_lines(comment, "    ")
        out += wrap(f"virtual HRESULT32 ORVO_STDCALL raw_{m.name}(", cpp_raw_params(m.params), ") = 0;", "    ")
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
    lent = sorted({p.type for m in item.methods for p in m.params if p.direction == "borrowed" and p.pointer})
    if lent:
        out += ["", "private:"]
        for t in lent:
            zero = ", ".join("nullptr" if f[0].endswith("*") else "0" for f in RECORDS[t].fields)
            out.append(f"    static {t} {t[1:]}Of(const {t}* lent) {{ return lent ? *lent : {t}{{{zero}}}; }}")
    return out + ["};"]


def cpp_values(item):
    out = comment_lines(item.comment, "")
    if item.kind == "enum":
        values = ", ".join(f"{n} = {v}" for n, v, _ in item.values)
        return out + [f"enum class {item.name} : int32_t {{ {values} }};"]
    prefix = item.prefixes[0] if item.kind == "flags" else ""
    return out + aligned([(f"inline constexpr int32_t {prefix}{n} = {v};", note) for n, v, note in item.values])


RECORDS = {}


def cpp_headers(items):
    RECORDS.update({i.name: i for i in items if i.kind == "record"})
    files = {}
    for item in items:
        if item.file is None:
            continue
        files.setdefault(item.file["name"], (item.file, []))[1].append(item)
    result = {}
    for name, (file, members) in files.items():
        if all(getattr(i, "base", False) for i in members):
            continue
        out = comment_lines(file["head"] or [], "") + ["#pragma once"]
        system = [i for i in file["includes"] if i.startswith("<")]
        local = ['"OrvoTypes.h"'] + [i for i in file["includes"] if not i.startswith("<")]
        if system:
            out += [f"#include {i}" for i in system] + [""]
        out += [f"#include {i}" for i in local]
        forward = sorted({p.type for i in members if i.kind == "method" for p in i.params
                          if p.type in {x.name for x in members if x.kind == "interface"}})
        if forward:
            out += [""] + [f"struct {f};" for f in forward]
        group = None
        for item in members:
            kind = item.kind
            if not (kind == "method" and group == "method" and not item.comment):
                out.append("")
            group = kind
            if kind == "interface":
                out += cpp_interface(item)
            elif kind == "method":
                out += comment_lines(item.comment, "")
                params = [f"{cpp_raw_type(p)} {p.name}" for p in item.params]
                out += wrap(f"using {item.name} = TMethod<void(", params, ")>;", "")
                out.append(f"ORVO_ASSERT_LAYOUT({item.name}, 8, 16, 4, 8);  "
                           "// also instantiates it before the interface names it")
            elif kind == "record":
                out += cpp_record(item)
            elif kind in ("enum", "flags", "constants"):
                out += cpp_values(item)
            elif kind == "cpp":
                out += item.body
        result[name] = f"// {NOTICE}\n" + "\n".join(out) + "\n"
    return result


# ---- C -----------------------------------------------------------------------------------------

def c_guid(guid):
    g = guid.strip("{}").replace("-", "")
    d4 = ", ".join(f"0x{g[16 + 2 * i:18 + 2 * i]}" for i in range(8))
    return f"{{0x{g[0:8]}, 0x{g[8:12]}, 0x{g[12:16]}, {{{d4}}}}}"


def c_record_field(t, name, note, indent, enums):
    ctype = "int32_t" if t not in CPP_VALUE and not t.endswith("*") else CPP_VALUE.get(t) or f"const {t[:-1]}*"
    if t in enums and not note:
        note = f"{enums[t]}..."
    return f"{indent}{ctype} {name};", note


def c_types(items):
    enums = {i.name: i.prefixes[-1] for i in items if i.kind == "enum"}
    out = []
    for item in items:
        if item.kind == "method":
            out += [""] + comment_lines(item.comment, "", "/*")
            out += [f"typedef struct {item.name} {{"] + bound_method_fields(item, True) + [f"}} {item.name};"]
        elif item.kind == "record":
            out += [""] + comment_lines(item.comment, "", "/*") + [f"typedef struct {item.name} {{"]
            rows = record_rows(item, lambda *f: c_record_field(*f, enums), lambda name: f"    }} {name};")
            out += aligned(rows, " /* {} */") + [f"}} {item.name};"]
        elif item.kind in ("enum", "flags", "constants"):
            names = value_names(item)
            out += [""] + comment_lines(item.comment, "", "/*") + ["enum {"]
            out += aligned([(f"    {n} = {v}{',' if k < len(names) - 1 else ''}", note)
                              for k, (n, v, note) in enumerate(names)], " /* {} */")
            out.append("};")
    return out


def c_interface(item):
    out = ["", f"/* {item.summary} {item.guid} */",
           f"ORVO_IID IID_{item.name} = {c_guid(item.guid)};",
           f"typedef struct {item.name}Vtbl {{", f"    ORVO_IINTERFACE_SLOTS({item.name})"]
    for m in item.methods:
        out += comment_lines(m.comment, "    ", "/*")
        out += wrap(f"int32_t(ORVO_STDCALL* {m.name})(", [f"{item.name}* This"] + cpp_raw_params(m.params, True),
                    ");", "    ")
    return out + [f"}} {item.name}Vtbl;", f"struct {item.name} {{", f"    const {item.name}Vtbl* lpVtbl;", "};"]


def c_face(items, template):
    interfaces = [i for i in items if i.kind == "interface"]
    forward = []
    for i in interfaces:
        forward += [f"struct {i.name};", f"typedef struct {i.name} {i.name};"]
    body = []
    for i in interfaces:
        body += c_interface(i)
    return fill(template, {"FORWARD": forward, "TYPES": c_types(items), "INTERFACES": body})


def fill(template, parts):
    text = open(os.path.join(HERE, template), encoding="utf-8").read()
    for key, lines in parts.items():
        marker = f"@{key}@"
        if marker not in text:
            raise Fail(f"{template} has no {marker}")
        text = text.replace(marker, "\n".join(lines).strip("\n"))
    return text.replace("@NOTICE@", NOTICE)


# ---- Plain C++ (any compiler, no standard library) ----------------------------------------------

def hpp_face(items):
    interfaces = [i for i in items if i.kind == "interface"]
    out = [f"struct {i.name};" for i in interfaces if not i.base]
    for item in items:
        if item.kind == "method":
            out += [""] + comment_lines(item.comment, "") + [f"struct {item.name} {{"]
            out += bound_method_fields(item, False) + ["};"]
    for i in interfaces:
        out += [""] + comment_lines(i.comment or [i.summary], "")
        out += [f"struct {i.name}{'' if i.base else ' : IInterface'} {{",
                f"    static constexpr const TGUID& IID = orvo_c::IID_{i.name};"]
        if i.base:
            out += ["    virtual int32_t ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) = 0;",
                    "    virtual int32_t ORVO_STDCALL AddRef() = 0;",
                    "    virtual int32_t ORVO_STDCALL Release() = 0;"]
        for m in i.methods:
            out += comment_lines(m.comment, "    ")
            out += wrap(f"virtual int32_t ORVO_STDCALL {m.name}(", cpp_raw_params(m.params), ") = 0;", "    ")
        out.append("};")
    shared = [i.name for i in items if i.kind == "record"]
    return fill("OrvoContract.hpp.in", {"USING": [f"using orvo_c::{n};" for n in shared], "DECLARATIONS": out})


# ---- Object Pascal ------------------------------------------------------------------------------

PAS_VALUE = {"int32": "Integer", "int64": "Int64", "double": "Double", "TDateTime": "TDateTime",
             "Currency": "Currency", "bool": "LongBool", "pointer": "Pointer", "text": "TOrvoText",
             "chars": "PAnsiChar", "guid": "TGUID"}
PAS_RESERVED = {"object", "type", "string", "file", "label", "set", "array", "record", "result", "self", "in",
                "out", "of", "to", "do", "with", "class", "property", "procedure", "function"}


def pas_name(name):
    cap = name[0].upper() + name[1:]
    return "A" + cap if name.lower() in PAS_RESERVED else cap


def pas_type(t):
    if t.endswith("*"):
        return "P" + t[1:-1]
    return PAS_VALUE.get(t, t)


def pas_param(p, known):
    n = pas_name(p.name)
    t = p.type
    if t == "guid":
        return f"{{$IFDEF FPC}}constref{{$ELSE}}const{{$ENDIF}} {n}: TGUID"
    if t == "any":
        return f"out {n}"
    kind = known.get(t)
    if kind == "method" and p.direction == "in":
        return f"{n}Code, {n}Data: Pointer"
    if kind == "method":
        return f"out {n}: TOrvoMethod"
    if p.direction == "borrowed":
        if kind == "interface":
            return f"const {n}: {t}"
        if p.pointer:
            return f"{n}: {pas_type(t + '*')}"
        return f"{n}: {PAS_VALUE[t]}"
    if p.direction == "in":
        return f"{n}: {PAS_VALUE.get(t, t)}"
    if p.direction == "inout":
        return f"var {n}: {t}"
    return f"out {n}: {PAS_VALUE.get(t, t)}"


def pas_as_result(p, known):
    """Values, texts and Booleans come back as the function's result; objects and bound methods
    as out parameters (an interface result is a temporary the callee overwrites uncleared)."""
    return p is not None and known.get(p.type) not in ("interface", "method") and p.type != "any"


def pas_method(m, known, indent):
    res = m.result if pas_as_result(m.result, known) else None
    params = [pas_param(p, known) for p in m.params if p is not res]
    params = "(" + "; ".join(params) + ")" if params else ""
    if res:
        return f"{indent}function {m.name}{params}: {PAS_VALUE.get(res.type, res.type)}; safecall;"
    return f"{indent}procedure {m.name}{params}; safecall;"


def pas_note(note, items):
    """A field's note naming the Pascal constants where it names an enum or flags by their C++
    names ("a TFormControlKind", "kControl... bits"): this face declares only the constants."""
    for item in items:
        if item.kind == "enum":
            note = re.sub(rf"\b(an? )?{item.prefixes[0]}\b", f"one of the {item.prefixes[-1]}... constants", note)
        elif item.kind == "flags":
            note = re.sub(rf"\b{item.prefixes[0]}\.\.\.", f"{item.prefixes[-1]}...", note)
    return note


def pas_face(items):
    known = {i.name: i.kind for i in items if i.kind in ("interface", "method", "record", "enum")}
    types, consts, helpers_decl, helpers_impl = [], [], [], []
    for item in items:
        if item.kind == "interface" and not item.base:
            types.append(f"  {item.name} = interface;")
    for item in items:
        if item.kind == "record":
            types += [""] + comment_lines(item.comment, "  ")
            pointer = "P" + item.name[1:]
            types += [f"  {pointer} = ^{item.name};", f"  {item.name} = record"]
            for f in item.fields:
                if f[0] == "union":
                    types.append("    case Integer of")
                    for k, (t, n, note) in enumerate(f[1][1]):
                        note = f" {{ {note} }}" if note else ""
                        types.append(f"      {k}: ({n}: {pas_type(t) if t in PAS_VALUE else t});{note}")
                else:
                    t, n, note = f
                    note = pas_note(note, items)
                    ptype = pas_type(t) if t in PAS_VALUE or t.endswith("*") else "Integer"
                    types.append(f"    {n}: {ptype};" + (f" {{ {note} }}" if note else ""))
            types.append("  end;")
        elif item.kind == "method":
            params = [pas_param(p, known).replace("Code, ", "").replace("Code: Pointer", "") for p in item.params]
            types += [""] + comment_lines(item.comment, "  ")
            types.append(f"  {item.name} = procedure({'; '.join(params)}) of object; safecall;")
            short = item.name[1:]
            helpers_decl += [f"function Bind{short}(const Handler: {item.name}): TOrvoMethod;",
                             f"function {short}Of(Code, Data: Pointer): {item.name};"]
            helpers_impl += ["", f"function Bind{short}(const Handler: {item.name}): TOrvoMethod;", "begin",
                             "  Result.Code := TMethod(Handler).Code;", "  Result.Data := TMethod(Handler).Data;",
                             "end;", "", f"function {short}Of(Code, Data: Pointer): {item.name};", "begin",
                             "  TMethod(Result).Code := Code;", "  TMethod(Result).Data := Data;", "end;"]
        elif item.kind in ("enum", "flags", "constants"):
            consts += [""] + comment_lines(item.comment, "  ")
            consts += [f"  {name} = {v};" + (f" {{ {note} }}" if note else "") for name, v, note in value_names(item)]
    for item in items:
        if item.kind != "interface" or item.base:
            continue
        types += [""] + comment_lines(item.comment or [item.summary], "  ")
        types += [f"  {item.name} = interface(IInterface)", f"    ['{item.guid}']"]
        for m in item.methods:
            types += comment_lines(m.comment, "    ")
            types.append(pas_method(m, known, "    "))
        types.append("  end;")
    return fill("OrvoContract.pas.in", {"CONSTANTS": consts, "TYPES": types, "HELPERS": helpers_decl,
                                        "HELPERS_IMPLEMENTATION": helpers_impl})


# ---- Main ----------------------------------------------------------------------------------------

def generate():
    items = parse(os.path.join(HERE, "Orvo.idl"))
    faces = cpp_headers(items)
    faces["OrvoContract.h"] = c_face(items, "OrvoContract.h.in")
    faces["OrvoContract.hpp"] = hpp_face(items)
    faces["OrvoContract.pas"] = pas_face(items)
    return faces


def main():
    check = "--check" in sys.argv[1:]
    try:
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
