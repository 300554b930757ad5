// The two ways a form is shown; TForm::ShowModal picks one. Each returns when the form has a
// modal result or was closed otherwise, and leaves the result in the form.
#pragma once
#include "interfaces/intfFormHost.h"
#include "ui/Form.h"

namespace orvo::ui {

// Lends the form to the host as an IFormView for the duration of host.ShowModal.
void ShowThroughFormHost(TForm& form, IFormHost& host);

// Real windows of the platform (Win32). Where there is no window system, writes one log line
// and returns at once, so the form closes with mrCancel.
void ShowNative(TForm& form);

}  // namespace orvo::ui
