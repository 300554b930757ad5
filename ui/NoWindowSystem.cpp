// Platforms without a window system of ours: a form shown without a form host closes at once.
#include "module/Log.h"
#include "ui/Presenters.h"

namespace orvo::ui {

void ShowNative(TForm& form) {
    LogInfo("[%.ShowModal] No form host and no window system: closed with Cancel", form.ClassName());
}

}  // namespace orvo::ui
