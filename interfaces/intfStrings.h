// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// An ordered list of text lines that one side owns and the other fills or reads: the host's
// script list of GetChanges, a configuration list's own lines.
#pragma once
#include "OrvoTypes.h"

struct IStrings : IInterface {
    static constexpr TGUID IID = ParseGuid("{6B1D3E52-2F0C-4C8B-A7E4-3A51C2D09F17}");
    // Number of lines.
    virtual HRESULT32 ORVO_STDCALL raw_GetCount(int32_t* count) = 0;
    // Line index (0 first), a new text; fails (EStringListError) when out of range.
    virtual HRESULT32 ORVO_STDCALL raw_Get(int32_t index, OrvoAnsiString* line) = 0;
    // Appends a copy of line (borrowed); its index.
    virtual HRESULT32 ORVO_STDCALL raw_Add(OrvoAnsiString line, int32_t* index) = 0;

    int32_t Count() {
        int32_t count = 0;
        orvo::CallOut().Check(raw_GetCount(&count));
        return count;
    }
    AnsiString Get(int32_t index) {
        AnsiString line;
        orvo::CallOut().Check(raw_Get(index, line.ReleaseAndGetAddressOf()));
        return line;
    }
    int32_t Add(const AnsiString& line) {
        int32_t index = 0;
        orvo::CallOut().Check(raw_Add(line.Raw(), &index));
        return index;
    }
};
template <>
struct ComImpl<IStrings> : IStrings {
    virtual int32_t Count() = 0;
    virtual AnsiString Get(int32_t index) = 0;
    virtual int32_t Add(const AnsiString& line) = 0;

    HRESULT32 ORVO_STDCALL raw_GetCount(int32_t* count) final {
        return orvo::ComBody(count, [&] { *count = Count(); });
    }
    HRESULT32 ORVO_STDCALL raw_Get(int32_t index, OrvoAnsiString* line) final {
        return orvo::ComBody(line, [&] { orvo::PutText(line, Get(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_Add(OrvoAnsiString line, int32_t* index) final {
        return orvo::ComBody(index, [&] { *index = Add(TBorrowedText(line)); });
    }
};
