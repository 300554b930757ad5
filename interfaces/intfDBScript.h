// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's database script service, obtained with Resolve: one object per operation.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "OrvoTypes.h"

// One argument of a statement pattern, filled in order into "%d", "%s" and "%f".
enum class TSQLArgKind : int32_t { Integer = 0, Text = 1, Float = 2 };

struct TSQLArg {
    TSQLArgKind Kind;
    int32_t Length;        // bytes of Text; 0 for the other kinds
    union {
        int64_t Integer;
        double Float;
        const char* Text;  // not terminated; valid for the duration of the call
    };
};
ORVO_ASSERT_LAYOUT(TSQLArg, 16, 16, 8, 8);

struct TSQLArgs {
    const TSQLArg* Items;
    int32_t Count;
};
ORVO_ASSERT_LAYOUT(TSQLArgs, 8, 16, 4, 8);

struct IDBScript : IInterface {
    static constexpr TGUID IID = ParseGuid("{039CED77-F302-4546-B669-6D45B2E9AE94}");
    // Fills the pattern from args and runs it; *result is the host's and never interpreted.
    // Fails when the statement fails.
    virtual HRESULT32 ORVO_STDCALL raw_ExecSQL(OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) = 0;
    // Runs a complete batch; *value: the named column of the first row of its result as text.
    virtual HRESULT32 ORVO_STDCALL raw_QueryValue(OrvoAnsiString batch, OrvoAnsiString column,
                                                  OrvoAnsiString* value) = 0;
    // Fills and runs the pattern; *json: the whole result as a JSON array of row objects.
    virtual HRESULT32 ORVO_STDCALL raw_QueryJSON(OrvoAnsiString pattern, const TSQLArgs* args,
                                                 OrvoAnsiString* json) = 0;

    int32_t ExecSQL(const AnsiString& pattern, const TSQLArgs& args) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_ExecSQL(pattern.Raw(), &args, &result));
        return result;
    }
    AnsiString QueryValue(const AnsiString& batch, const AnsiString& column) {
        AnsiString value;
        orvo::CallOut().Check(raw_QueryValue(batch.Raw(), column.Raw(), value.ReleaseAndGetAddressOf()));
        return value;
    }
    AnsiString QueryJSON(const AnsiString& pattern, const TSQLArgs& args) {
        AnsiString json;
        orvo::CallOut().Check(raw_QueryJSON(pattern.Raw(), &args, json.ReleaseAndGetAddressOf()));
        return json;
    }
};
template <>
struct ComImpl<IDBScript> : IDBScript {
    virtual int32_t ExecSQL(const AnsiString& pattern, const TSQLArgs& args) = 0;
    virtual AnsiString QueryValue(const AnsiString& batch, const AnsiString& column) = 0;
    virtual AnsiString QueryJSON(const AnsiString& pattern, const TSQLArgs& args) = 0;

    HRESULT32 ORVO_STDCALL raw_ExecSQL(OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = ExecSQL(TBorrowedText(pattern), SQLArgsOf(args)); });
    }
    HRESULT32 ORVO_STDCALL raw_QueryValue(OrvoAnsiString batch, OrvoAnsiString column, OrvoAnsiString* value) final {
        return orvo::ComBody(value,
            [&] { orvo::PutText(value, QueryValue(TBorrowedText(batch), TBorrowedText(column))); });
    }
    HRESULT32 ORVO_STDCALL raw_QueryJSON(OrvoAnsiString pattern, const TSQLArgs* args, OrvoAnsiString* json) final {
        return orvo::ComBody(json, [&] { orvo::PutText(json, QueryJSON(TBorrowedText(pattern), SQLArgsOf(args))); });
    }

private:
    static TSQLArgs SQLArgsOf(const TSQLArgs* lent) { return lent ? *lent : TSQLArgs{nullptr, 0}; }
};

// Building argument lists at the call site: Script->ExecSQL(pattern, SQLArgs(id, quoted, 2.5)).
// The texts must outlive the call, which they do as arguments of the same full expression.
inline TSQLArg SQLArg(int32_t v) {
    TSQLArg a{TSQLArgKind::Integer, 0, {}};
    a.Integer = v;
    return a;
}
inline TSQLArg SQLArg(int64_t v) {
    TSQLArg a{TSQLArgKind::Integer, 0, {}};
    a.Integer = v;
    return a;
}
inline TSQLArg SQLArg(double v) {
    TSQLArg a{TSQLArgKind::Float, 0, {}};
    a.Float = v;
    return a;
}
inline TSQLArg SQLArg(std::string_view v) {
    TSQLArg a{TSQLArgKind::Text, int32_t(v.size()), {}};
    a.Text = v.data();
    return a;
}
inline TSQLArg SQLArg(const AnsiString& v) { return SQLArg(v.view()); }
inline TSQLArg SQLArg(const std::string& v) { return SQLArg(std::string_view(v)); }
inline TSQLArg SQLArg(const char* v) { return SQLArg(std::string_view(v)); }

template <size_t N>
struct TSQLArgList {
    TSQLArg Items[N ? N : 1];
    operator TSQLArgs() const { return TSQLArgs{Items, int32_t(N)}; }
};

template <class... Args>
TSQLArgList<sizeof...(Args)> SQLArgs(const Args&... args) {
    return TSQLArgList<sizeof...(Args)>{{SQLArg(args)...}};
}

// Text as an SQL literal: enclosed in single quotes, inner single quotes doubled.
inline std::string QuotedSQL(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    out += '\'';
    return out;
}
