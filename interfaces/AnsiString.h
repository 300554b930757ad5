// The contract's text (its block is told in OrvoShared.h) as a C++ value: reference-counted,
// immutable, one pointer wide, null for the empty text. The block comes from the process-wide
// heap, so whichever side drops the last reference frees it; nothing is converted.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "OrvoPlatform.h"
#include "OrvoShared.h"

class AnsiString {
public:
    AnsiString() noexcept = default;
    AnsiString(const char* text) : AnsiString(std::string_view(text ? text : "")) {}
    AnsiString(const std::string& text) : AnsiString(std::string_view(text)) {}
    AnsiString(std::string_view text) : chars_(Allocate(text)) {}
    AnsiString(const AnsiString& other) noexcept : chars_(other.chars_) { AddRef(); }
    AnsiString(AnsiString&& other) noexcept : chars_(other.chars_) { other.chars_ = nullptr; }
    ~AnsiString() { ReleaseBlock(); }

    AnsiString& operator=(const AnsiString& other) noexcept {
        AnsiString copy(other);
        std::swap(chars_, copy.chars_);
        return *this;
    }
    AnsiString& operator=(AnsiString&& other) noexcept {
        std::swap(chars_, other.chars_);
        return *this;
    }

    const char* c_str() const noexcept { return chars_ ? chars_ : ""; }
    size_t size() const noexcept { return chars_ ? size_t(Head()->length) : 0; }
    bool empty() const noexcept { return chars_ == nullptr; }
    std::string_view view() const noexcept { return {c_str(), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }

    // The text for an argument of a raw call: borrowed, no reference added.
    OrvoAnsiString Raw() const noexcept { return chars_; }
    // Gives up the reference without releasing it, for an out-argument.
    OrvoAnsiString Detach() noexcept { return std::exchange(chars_, nullptr); }
    // For an out-argument that receives a new reference: releases what is held first.
    OrvoAnsiString* ReleaseAndGetAddressOf() noexcept {
        ReleaseBlock();
        return &chars_;
    }

    friend bool operator==(const AnsiString& a, const AnsiString& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const AnsiString& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const AnsiString& a, const char* b) noexcept { return a.view() == std::string_view(b); }
    friend bool operator==(const AnsiString& a, const std::string& b) noexcept { return a.view() == b; }

private:
    struct Header {
        std::atomic<int32_t> refs;
        int32_t length;
    };
    static_assert(sizeof(Header) == 8 && alignof(Header) == 4, "the text block header is part of the binary contract");

    Header* Head() const noexcept { return reinterpret_cast<Header*>(chars_) - 1; }

    static char* Allocate(std::string_view text) {
        if (text.empty()) return nullptr;
        if (text.size() > size_t(INT32_MAX) - sizeof(Header) - 1) throw std::bad_alloc();
        const size_t bytes = sizeof(Header) + text.size() + 1;
#if defined(_WIN32)
        void* block = HeapAlloc(GetProcessHeap(), 0, bytes);
#else
        void* block = std::malloc(bytes);
#endif
        if (!block) throw std::bad_alloc();
        auto* head = new (block) Header{{1}, int32_t(text.size())};
        char* chars = reinterpret_cast<char*>(head + 1);
        std::memcpy(chars, text.data(), text.size());
        chars[text.size()] = '\0';
        return chars;
    }
    void AddRef() noexcept {
        if (chars_) Head()->refs.fetch_add(1, std::memory_order_relaxed);
    }
    void ReleaseBlock() noexcept {
        if (!chars_) return;
        Header* head = Head();
        chars_ = nullptr;
        if (head->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            head->~Header();
#if defined(_WIN32)
            HeapFree(GetProcessHeap(), 0, head);
#else
            std::free(head);
#endif
        }
    }

    char* chars_ = nullptr;
};
ORVO_ASSERT_LAYOUT(AnsiString, 4, 8, 4, 8);

// A text argument as an implementation sees it: the caller's reference, lent for the call, with
// none added or released here (a callee that keeps the text copies the AnsiString, which adds
// its own).
class TBorrowedText {
public:
    explicit TBorrowedText(OrvoAnsiString chars) noexcept { *text_.ReleaseAndGetAddressOf() = chars; }
    TBorrowedText(const TBorrowedText&) = delete;
    TBorrowedText& operator=(const TBorrowedText&) = delete;
    ~TBorrowedText() { text_.Detach(); }
    operator const AnsiString&() const noexcept { return text_; }

private:
    AnsiString text_;
};
