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
    AnsiString Name;      // e.g. "btnAmount"
    AnsiString Parent;    // name of the group box holding it; empty when on the form itself
    AnsiString Text;      // caption of a button, group box or label; edit box contents; "" for a date picker
    AnsiString FontFace;  // e.g. "Tahoma"
    int32_t Kind = 0;     // a TFormControlKind
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    int32_t FontHeight = 0;   // character height in pixels at 96 dpi
    int32_t TabOrder = 0;     // position among the controls of the same parent
    int32_t ModalResult = 0;  // result a button closes the form with; mrNone for none
    int32_t Accelerator = 0;  // the letter marked with "&" (upper case), 0 for none
    int32_t Flags = 0;        // kControl... bits
};
ORVO_ASSERT_LAYOUT(TFormControlInfo, 56, 72, 4, 8);

// A form while it is shown. Every operation works on the thread that called IFormHost::ShowModal;
// once ShowModal has returned the view is closed and every operation fails as for an unknown
// control. Controls are addressed by index, 0 to GetControlCount() - 1, in the order the form
// declares them.
struct IFormView : IInterface {
    static constexpr TGUID IID = ParseGuid("{D46EAD9B-516B-4088-8AEE-8D3D07F5F764}");
    // The title bar text; a copy the caller owns.
    virtual AnsiString ORVO_STDCALL GetCaption() = 0;
    // Client area in pixels at 96 dpi; 0 when closed.
    virtual int32_t ORVO_STDCALL GetClientWidth() = 0;
    virtual int32_t ORVO_STDCALL GetClientHeight() = 0;
    // Number of controls; 0 when closed.
    virtual int32_t ORVO_STDCALL GetControlCount() = 0;
    // Fills info (the caller's struct, its texts replaced) for the control; false for an unknown index.
    virtual bool ORVO_STDCALL GetControl(int32_t index, TFormControlInfo& info) = 0;
    // Index of the control with that name (exact case); -1 when there is none.
    virtual int32_t ORVO_STDCALL IndexOfControl(const AnsiString& name) = 0;
    // Current text of the control (edit contents or caption); empty for an unknown index.
    virtual AnsiString ORVO_STDCALL GetText(int32_t index) = 0;
    // Types text into an editable edit box, replacing its contents; false for any other control.
    virtual bool ORVO_STDCALL SetText(int32_t index, const AnsiString& text) = 0;
    // Date-time held by a date picker; false (date untouched) for any other control.
    virtual bool ORVO_STDCALL GetDate(int32_t index, TDateTime& date) = 0;
    // Picks a date-time in a date picker; false for any other control.
    virtual bool ORVO_STDCALL SetDate(int32_t index, TDateTime date) = 0;
    // Presses a button: runs its click handler, then sets the form's modal result to the
    // button's. A handler's error goes to IFormHost::ReportError, leaves the form open and
    // returns false; false too for anything that is not a button.
    virtual bool ORVO_STDCALL Click(int32_t index) = 0;
    // The result the form is closing with; mrNone while it stays open.
    virtual int32_t ORVO_STDCALL GetModalResult() = 0;
};

// Registered by the host with RegisterInstance; the module looks it up with GetInstance on every
// ShowModal, on every platform.
struct IFormHost : IInterface {
    static constexpr TGUID IID = ParseGuid("{CBA2E9E3-868B-4142-B951-BF8504F222B6}");
    // Shows the form and returns once its modal result is set, or when the host closes it
    // otherwise (taken as Cancel, like the title bar's close box). The view is lent for the call.
    virtual void ORVO_STDCALL ShowModal(IFormView* form) = 0;
    // An error raised by a click handler while the form is shown; the form stays open.
    virtual void ORVO_STDCALL ReportError(IFormView* form, const AnsiString& message) = 0;
};
