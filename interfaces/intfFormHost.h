// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// Showing the module's forms through the host: a host without native windows, the reference
// host and test rigs register an IFormHost instance; the module hands it each form as an
// IFormView for as long as the form is shown modally.
#pragma once
#include "OrvoTypes.h"

// Kinds of control a form holds.
enum class TFormControlKind : int32_t { GroupBox = 0, Edit = 1, Button = 2, Label = 3, DatePicker = 4 };

// Modal results: none yet, OK, Cancel.
inline constexpr int32_t mrNone = 0;
inline constexpr int32_t mrOk = 1;
inline constexpr int32_t mrCancel = 2;

// Bits of TFormControlInfo::Flags.
inline constexpr int32_t kControlReadOnly = 1;     // an edit box the user cannot type into
inline constexpr int32_t kControlFocused = 2;      // has the focus when the form opens
inline constexpr int32_t kControlCentredText = 4;  // a label whose text is centred
inline constexpr int32_t kControlAlignedTop = 8;   // stacked at the top, over the parent's full width

// One control as the host reads it. Bounds are pixels at 96 dpi, relative to the parent's
// client area; captions keep their "&" accelerator marks.
struct TFormControlInfo {
    AnsiString Name;          // e.g. "btnAmount"
    AnsiString Parent;        // name of the group box holding it; empty when on the form itself
    AnsiString Text;          // caption of a button, group box or label; edit box contents; "" for a date picker
    AnsiString FontFace;      // e.g. "Tahoma"
    int32_t Kind = 0;         // a TFormControlKind
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t FontHeight = 0;   // character height in pixels at 96 dpi
    int32_t TabOrder = 0;     // position among the controls of the same parent
    int32_t ModalResult = 0;  // result a button closes the form with; mrNone for none
    int32_t Accelerator = 0;  // the letter marked with "&" (upper case), 0 for none
    int32_t Flags = 0;        // kControl... bits
};
ORVO_ASSERT_LAYOUT(TFormControlInfo, 56, 72, 4, 8);

// A form while it is shown. Every operation works on the thread that called IFormHost::ShowModal;
// once ShowModal has returned the view is closed and every operation answers as for an unknown
// control. Controls are addressed by index, 0 to GetControlCount() - 1, in the order the form
// declares them.
struct IFormView : IInterface {
    static constexpr TGUID IID = ParseGuid("{D46EAD9B-516B-4088-8AEE-8D3D07F5F764}");
    // The title bar text; a new text.
    virtual HRESULT32 ORVO_STDCALL raw_GetCaption(OrvoAnsiString* caption) = 0;
    // Client area in pixels at 96 dpi; 0 when closed.
    virtual HRESULT32 ORVO_STDCALL raw_GetClientWidth(int32_t* width) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_GetClientHeight(int32_t* height) = 0;
    // Number of controls; 0 when closed.
    virtual HRESULT32 ORVO_STDCALL raw_GetControlCount(int32_t* count) = 0;
    // Fills info for the control: the texts it held (the caller's, or null) are released and
    // replaced by new ones; *found false for an unknown index.
    virtual HRESULT32 ORVO_STDCALL raw_GetControl(int32_t index, TFormControlInfo* info, OrvoBool* found) = 0;
    // Index of the control with that name (exact case); -1 when there is none.
    virtual HRESULT32 ORVO_STDCALL raw_IndexOfControl(OrvoAnsiString name, int32_t* index) = 0;
    // Current text of the control (edit contents or caption); empty for an unknown index.
    virtual HRESULT32 ORVO_STDCALL raw_GetText(int32_t index, OrvoAnsiString* text) = 0;
    // Types text into an editable edit box, replacing its contents; *done false for any other control.
    virtual HRESULT32 ORVO_STDCALL raw_SetText(int32_t index, OrvoAnsiString text, OrvoBool* done) = 0;
    // Date-time held by a date picker; *done false (date untouched) for any other control.
    virtual HRESULT32 ORVO_STDCALL raw_GetDate(int32_t index, TDateTime* date, OrvoBool* done) = 0;
    // Picks a date-time in a date picker; *done false for any other control. A date that is no
    // number or outside the years 1 to 9999 fails (EConvertError) and the picker keeps its date.
    virtual HRESULT32 ORVO_STDCALL raw_SetDate(int32_t index, TDateTime date, OrvoBool* done) = 0;
    // Presses a button: runs its click handler, then sets the form's modal result to the
    // button's. A handler's error goes to IFormHost::ReportError, leaves the form open and
    // gives *done false; false too for anything that is not a button.
    virtual HRESULT32 ORVO_STDCALL raw_Click(int32_t index, OrvoBool* done) = 0;
    // The result the form is closing with; mrNone while it stays open.
    virtual HRESULT32 ORVO_STDCALL raw_GetModalResult(int32_t* result) = 0;

    AnsiString GetCaption() {
        AnsiString caption;
        orvo::CallOut().Check(raw_GetCaption(caption.ReleaseAndGetAddressOf()));
        return caption;
    }
    int32_t GetClientWidth() {
        int32_t width = 0;
        orvo::CallOut().Check(raw_GetClientWidth(&width));
        return width;
    }
    int32_t GetClientHeight() {
        int32_t height = 0;
        orvo::CallOut().Check(raw_GetClientHeight(&height));
        return height;
    }
    int32_t GetControlCount() {
        int32_t count = 0;
        orvo::CallOut().Check(raw_GetControlCount(&count));
        return count;
    }
    bool GetControl(int32_t index, TFormControlInfo& info) {
        OrvoBool found = 0;
        orvo::CallOut().Check(raw_GetControl(index, &info, &found));
        return found != 0;
    }
    int32_t IndexOfControl(const AnsiString& name) {
        int32_t index = -1;
        orvo::CallOut().Check(raw_IndexOfControl(name.Raw(), &index));
        return index;
    }
    AnsiString GetText(int32_t index) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetText(index, text.ReleaseAndGetAddressOf()));
        return text;
    }
    bool SetText(int32_t index, const AnsiString& text) {
        OrvoBool done = 0;
        orvo::CallOut().Check(raw_SetText(index, text.Raw(), &done));
        return done != 0;
    }
    bool GetDate(int32_t index, TDateTime& date) {
        OrvoBool done = 0;
        orvo::CallOut().Check(raw_GetDate(index, &date, &done));
        return done != 0;
    }
    bool SetDate(int32_t index, TDateTime date) {
        OrvoBool done = 0;
        orvo::CallOut().Check(raw_SetDate(index, date, &done));
        return done != 0;
    }
    bool Click(int32_t index) {
        OrvoBool done = 0;
        orvo::CallOut().Check(raw_Click(index, &done));
        return done != 0;
    }
    int32_t GetModalResult() {
        int32_t result = 0;
        orvo::CallOut().Check(raw_GetModalResult(&result));
        return result;
    }
};
template <>
struct ComImpl<IFormView> : IFormView {
    virtual AnsiString GetCaption() = 0;
    virtual int32_t GetClientWidth() = 0;
    virtual int32_t GetClientHeight() = 0;
    virtual int32_t GetControlCount() = 0;
    virtual bool GetControl(int32_t index, TFormControlInfo& info) = 0;
    virtual int32_t IndexOfControl(const AnsiString& name) = 0;
    virtual AnsiString GetText(int32_t index) = 0;
    virtual bool SetText(int32_t index, const AnsiString& text) = 0;
    virtual bool GetDate(int32_t index, TDateTime& date) = 0;
    virtual bool SetDate(int32_t index, TDateTime date) = 0;
    virtual bool Click(int32_t index) = 0;
    virtual int32_t GetModalResult() = 0;

    HRESULT32 ORVO_STDCALL raw_GetCaption(OrvoAnsiString* caption) final {
        return orvo::ComBody(caption, [&] { orvo::PutText(caption, GetCaption()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetClientWidth(int32_t* width) final {
        return orvo::ComBody(width, [&] { *width = GetClientWidth(); });
    }
    HRESULT32 ORVO_STDCALL raw_GetClientHeight(int32_t* height) final {
        return orvo::ComBody(height, [&] { *height = GetClientHeight(); });
    }
    HRESULT32 ORVO_STDCALL raw_GetControlCount(int32_t* count) final {
        return orvo::ComBody(count, [&] { *count = GetControlCount(); });
    }
    HRESULT32 ORVO_STDCALL raw_GetControl(int32_t index, TFormControlInfo* info, OrvoBool* found) final {
        return orvo::ComBody(info, found, [&] { *found = GetControl(index, *info); });
    }
    HRESULT32 ORVO_STDCALL raw_IndexOfControl(OrvoAnsiString name, int32_t* index) final {
        return orvo::ComBody(index, [&] { *index = IndexOfControl(TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetText(int32_t index, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetText(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_SetText(int32_t index, OrvoAnsiString text, OrvoBool* done) final {
        return orvo::ComBody(done, [&] { *done = SetText(index, TBorrowedText(text)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetDate(int32_t index, TDateTime* date, OrvoBool* done) final {
        return orvo::ComBody(date, done, [&] { *done = GetDate(index, *date); });
    }
    HRESULT32 ORVO_STDCALL raw_SetDate(int32_t index, TDateTime date, OrvoBool* done) final {
        return orvo::ComBody(done, [&] { *done = SetDate(index, date); });
    }
    HRESULT32 ORVO_STDCALL raw_Click(int32_t index, OrvoBool* done) final {
        return orvo::ComBody(done, [&] { *done = Click(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetModalResult(int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = GetModalResult(); });
    }
};

// Registered by the host with RegisterInstance; the module looks it up with GetInstance on every
// ShowModal, on every platform.
struct IFormHost : IInterface {
    static constexpr TGUID IID = ParseGuid("{CBA2E9E3-868B-4142-B951-BF8504F222B6}");
    // Shows the form and returns once its modal result is set, or when the host closes it
    // otherwise (taken as Cancel, like the title bar's close box). The view is lent for the call.
    virtual HRESULT32 ORVO_STDCALL raw_ShowModal(IFormView* form) = 0;
    // An error raised by a click handler while the form is shown; the form stays open.
    virtual HRESULT32 ORVO_STDCALL raw_ReportError(IFormView* form, OrvoAnsiString message) = 0;

    void ShowModal(IFormView* form) { orvo::CallOut().Check(raw_ShowModal(form)); }
    void ReportError(IFormView* form, const AnsiString& message) {
        orvo::CallOut().Check(raw_ReportError(form, message.Raw()));
    }
};
template <>
struct ComImpl<IFormHost> : IFormHost {
    virtual void ShowModal(IFormView* form) = 0;
    virtual void ReportError(IFormView* form, const AnsiString& message) = 0;

    HRESULT32 ORVO_STDCALL raw_ShowModal(IFormView* form) final { return orvo::ComBody([&] { ShowModal(form); }); }
    HRESULT32 ORVO_STDCALL raw_ReportError(IFormView* form, OrvoAnsiString message) final {
        return orvo::ComBody([&] { ReportError(form, TBorrowedText(message)); });
    }
};
