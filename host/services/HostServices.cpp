#include "host/services/HostServices.h"

#include <fstream>

namespace orvo::host {

bool THostInput::Execute(const AnsiString& initial, AnsiString& entered) {
    std::string text;
    if (!ask_(caption_, initial.str(), text)) return false;
    entered = AnsiString(text);
    return true;
}

void THostViewer::ShowHTML(const AnsiString& page) {
    std::filesystem::create_directories(pageFile_.parent_path());
    // Written beside and then renamed over, so a reader never sees half a page.
    const std::filesystem::path partial = pageFile_.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(page.c_str(), std::streamsize(page.size()));
        if (!out.flush()) throw EOrvoError("cannot write " + partial.string());
    }
    std::filesystem::rename(partial, pageFile_);
    ++pagesShown_;
}

void THostMenuManager::AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                   int32_t position) {
    Item item{parent.str(), caption.str(), onClick};
    if (position < 0 || size_t(position) >= items_.size())
        items_.push_back(std::move(item));
    else
        items_.insert(items_.begin() + position, std::move(item));
}

bool THostMenuManager::Click(const std::string& parent, const std::string& caption) {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if (it->parent != parent || it->caption != caption) continue;
        if (!it->onClick.IsSet()) return false;
        const TMenuClickEvent handler = it->onClick;  // the list may grow while the handler runs
        handler(nullptr);
        return true;
    }
    return false;
}

void THostEventManager::Subscribe(const AnsiString& eventName, TEventHandler handler) {
    subscriptions_.emplace_back(eventName.str(), handler);
}

int THostEventManager::Raise(const std::string& eventName) {
    const AnsiString name(eventName);
    int ran = 0;
    for (const auto subscribed = subscriptions_; const auto& [event, handler] : subscribed) {
        if (event != eventName || !handler.IsSet()) continue;
        handler(name, nullptr, nullptr);
        ++ran;
    }
    return ran;
}

bool THostAuthentication::CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t, int32_t) {
    userName = AnsiString(userName_);
    userId = 1;
    return granted_.count(code.str()) > 0;
}

bool ClickButton(IFormView& form, const std::string& name) {
    const int32_t index = form.IndexOfControl(AnsiString(name));
    return index >= 0 && form.Click(index);
}

bool TypeText(IFormView& form, const std::string& name, const std::string& text) {
    const int32_t index = form.IndexOfControl(AnsiString(name));
    return index >= 0 && form.SetText(index, AnsiString(text));
}

std::string TextOf(IFormView& form, const std::string& name) {
    const int32_t index = form.IndexOfControl(AnsiString(name));
    return index >= 0 ? form.GetText(index).str() : std::string();
}

}  // namespace orvo::host
