// The form model: a window written once, as data plus the form class's logic, and shown by
// one of two presenters (the host's IFormHost, or real Win32 windows). Form classes declare
// their controls in their constructor, one line per row of the layout table, and never see a
// window handle.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"
#include "interfaces/intfFormHost.h"

namespace orvo::ui {

// A font by face and character height in pixels at 96 dpi.
struct TFont {
    std::string Face;
    int32_t Height = 0;
};

// Position and size in pixels at 96 dpi, relative to the parent's client area.
struct TBounds {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

enum class TBorderStyle {
    Sizeable,  // ordinary resizable window with a title bar
    Dialog,    // fixed dialog frame
};

struct TBorderIcons {
    bool SystemMenu = true, Minimize = true, Maximize = true;
};

enum class TFormPosition {
    MainFormCenter,  // centred over the application's main window, or the screen when there is none
    ScreenCenter,
};

// Everything about a form but its controls.
struct TFormStyle {
    std::string Caption;
    int32_t ClientWidth = 0, ClientHeight = 0;
    TFont Font;  // for every control that names no font of its own
    TBorderStyle BorderStyle = TBorderStyle::Sizeable;
    TBorderIcons BorderIcons;
    TFormPosition Position = TFormPosition::MainFormCenter;
};

struct TControl {
    TFormControlKind Kind;
    std::string Name;
    TControl* Parent = nullptr;  // the group box holding it; null on the form itself
    TBounds Bounds;
    bool AlignedTop = false;  // stacked at the top of the parent over its full width
    std::string Text;         // caption of buttons, group boxes and labels; contents of edit boxes
    TFont Font;
    bool ReadOnly = false;
    bool CentredText = false;
    int32_t MaxLength = 0;  // edit boxes: the most characters the user can type; 0 for no limit
    int32_t TabOrder = 0;
    int32_t ModalResult = mrNone;  // a button closes the form with this result after its click handler
    std::function<void()> OnClick;
    TDateTime Date = 0;  // date pickers only

    // The letter after a single "&" in the caption, upper case; 0 when none, and for edit boxes
    // and date pickers, whose text is no caption.
    char Accelerator() const;
};

// Changes the form logic makes while a presenter shows the form.
class TFormPresenter {
public:
    virtual void CaptionChanged() = 0;
    virtual void TextChanged(const TControl& control) = 0;
    virtual void DateChanged(const TControl& control) = 0;

protected:
    ~TFormPresenter() = default;
};

class TForm;

// Sets the columns of one declared control; each call returns the declaration for the next.
class TControlDeclaration {
public:
    TControlDeclaration(TForm& form, TControl& control) : form_(form), control_(control) {}
    TControlDeclaration& At(int32_t left, int32_t top, int32_t width, int32_t height);
    // Stacked below the earlier top-aligned controls of the same parent, over its full width.
    TControlDeclaration& TopRow(int32_t height);
    TControlDeclaration& Caption(std::string text);
    TControlDeclaration& Font(TFont font);
    TControlDeclaration& ReadOnly();
    TControlDeclaration& CentredText();
    TControlDeclaration& MaxLength(int32_t characters);
    TControlDeclaration& TabOrder(int32_t order);
    TControlDeclaration& ModalResult(int32_t result);
    TControlDeclaration& OnClick(std::function<void()> handler);
    // Has the focus when the form opens.
    TControlDeclaration& Focused();
    operator TControl&() const { return control_; }

private:
    TForm& form_;
    TControl& control_;
};

class TForm {
public:
    // className names the form in log lines ("TfrmExtraPayments").
    TForm(std::string className, TFormStyle style);
    virtual ~TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    // Shows the form until a button's modal result or the close box ends it; returns that
    // result (mrCancel for the close box). The caller chooses the presenter: formHost when the
    // host lends one; with null, real windows on Windows, else none and the result is mrCancel.
    // Raises EOrvoError when the form is shown already, and the presenter's errors.
    int32_t ShowModal(IFormHost* formHost);

    const std::string& ClassName() const { return className_; }
    const TFormStyle& Style() const { return style_; }
    const std::deque<TControl>& Controls() const { return controls_; }
    // The control with that name, or at that index in declaration order; null when none.
    TControl* FindControl(std::string_view name);
    TControl* ControlAt(int32_t index);
    // The control that has the focus when the form opens; null for none.
    const TControl* FocusedControl() const { return focused_; }
    int32_t ModalResult() const { return modalResult_; }

    void SetCaption(std::string caption);
    // Sets a control's text or date and shows it in the open window, if any.
    void SetText(TControl& control, std::string text);
    void SetDate(TControl& control, TDateTime date);

    // For presenters. The one presenter showing the form receives the changes above (null
    // when it stops showing it).
    void AttachPresenter(TFormPresenter* presenter) { presenter_ = presenter; }
    // What the user typed or picked; the window already shows it. A date outside the years 1 to
    // 9999 (or not a number) raises EConvertError and the control keeps its date.
    void UserEdited(TControl& control, std::string text);
    void UserPickedDate(TControl& control, TDateTime date);
    // A press of a button: its click handler, then its modal result. An error of the handler
    // reaches the caller and the modal result stays as it was, so the form stays open.
    void Press(TControl& button);
    // The title bar's close box: the form closes with mrCancel.
    void Close() { modalResult_ = mrCancel; }

protected:
    // Declarations, in tab order within each parent unless a TabOrder says otherwise.
    TControlDeclaration GroupBox(std::string name, TControl* parent = nullptr);
    TControlDeclaration Edit(std::string name, TControl* parent = nullptr);
    TControlDeclaration Button(std::string name, TControl* parent = nullptr);
    TControlDeclaration Label(std::string name, TControl* parent = nullptr);
    TControlDeclaration DatePicker(std::string name, TControl* parent = nullptr);

private:
    friend class TControlDeclaration;
    TControlDeclaration Declare(TFormControlKind kind, std::string name, TControl* parent);
    int32_t ParentClientWidth(const TControl& control) const;
    int32_t NextTopRow(const TControl& control) const;

    std::string className_;
    TFormStyle style_;
    std::deque<TControl> controls_;  // a deque keeps each control where the declarations point
    const TControl* focused_ = nullptr;
    int32_t modalResult_ = mrNone;
    bool showing_ = false;
    TFormPresenter* presenter_ = nullptr;
};

}  // namespace orvo::ui
