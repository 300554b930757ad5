#include "host/services/HostServices.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace orvo::host {

ComPtr<TFunctionFactory> SharedFactory(IInterface* object) {
    return MakeObject<TFunctionFactory>([shared = ComPtr<IInterface>::AddRefOf(object)] { return shared; });
}

void THostInput::SetCaption(const AnsiString& caption) {
    Note(journal_, "Input.SetCaption " + caption.str());
    caption_ = caption.str();
}

bool THostInput::Execute(const AnsiString& initial, AnsiString& entered) {
    Note(journal_, "Input.Execute " + initial.str());
    std::string text;
    if (!ask_(caption_, initial.str(), text)) return false;
    entered = AnsiString(text);
    return true;
}

void THostViewer::ShowHTML(const AnsiString& page) {
    Note(journal_, "Viewer.ShowHTML");
    if (pageFile_.empty()) {
        pages.push_back(page.str());
    } else {
        std::filesystem::create_directories(pageFile_.parent_path());
        const std::filesystem::path partial = pageFile_.string() + ".partial";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out.write(page.c_str(), std::streamsize(page.size()));
            if (!out.flush()) throw EOrvoError("cannot write " + partial.string());
        }
        std::filesystem::rename(partial, pageFile_);
    }
    ++pagesShown_;
}

void THostMenuManager::AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                   int32_t position) {
    Note(journal_, "Menu.AddMenuItem " + parent.str() + " " + caption.str() + " " + std::to_string(position));
    Item item{parent.str(), caption.str(), onClick, position};
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
    Note(journal_, "Events.Subscribe " + eventName.str());
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

bool THostAuthentication::CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt,
                                      int32_t options) {
    Note(journal_, "Auth.CheckAccess " + code.str() + " " + std::to_string(prompt) + " " + std::to_string(options));
    userName = AnsiString(userName_);
    userId = 1;
    return granted.count(code.str()) > 0;
}

void THostActCodes::AddActCode(const AnsiString& code, const AnsiString& description, int32_t a, int32_t b) {
    Note(journal_, "ActCodes.AddActCode " + code.str() + " " + description.str() + " " + std::to_string(a) + " " +
                       std::to_string(b));
    if (add_) add_(code.str(), description.str());
}

void THostActCodes::LinkActCode(const AnsiString& code, const AnsiString& linkCode) {
    Note(journal_, "ActCodes.LinkActCode " + code.str() + " " + linkCode.str());
    if (link_) link_(code.str(), linkCode.str());
}

void THostFormHost::ShowModal(IFormView* form) {
    Note(journal_, "Form.Show " + form->GetCaption().str());
    drive_(*form);
    Note(journal_, "Form.Closed " + std::to_string(form->GetModalResult()));
}

void THostFormHost::ReportError(IFormView*, const AnsiString& message) {
    Note(journal_, "Form.ReportError " + message.str());
    report_(message.str());
}

std::string RenderArgs(const TSQLArgs& args) {
    std::string out;
    for (int32_t i = 0; i < args.Count; ++i) {
        if (i) out += ", ";
        const TSQLArg& a = args.Items[i];
        switch (a.Kind) {
            case TSQLArgKind::Integer:
                out += std::to_string(a.Integer);
                break;
            case TSQLArgKind::Text:
                out.append(a.Text, size_t(a.Length));
                break;
            case TSQLArgKind::Float: {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%g", a.Float);
                out += buf;
                break;
            }
        }
    }
    return out;
}

void THostScript::Take(const std::string& statement) {
    Note(journal_, statement);
    if (failOn && failOn(statement)) throw std::runtime_error("database refused the statement");
}

int32_t THostScript::ExecSQL(const AnsiString& pattern, const TSQLArgs& args) {
    Take("Script.ExecSQL " + pattern.str() + " | " + RenderArgs(args));
    return 1;
}

AnsiString THostScript::QueryValue(const AnsiString& batch, const AnsiString& column) {
    Take("Script.QueryValue " + batch.str() + " | " + column.str());
    if (values.empty()) return {};
    AnsiString value(values.front());
    values.pop_front();
    return value;
}

AnsiString THostScript::QueryJSON(const AnsiString& pattern, const TSQLArgs& args) {
    Take("Script.QueryJSON " + pattern.str() + " | " + RenderArgs(args));
    if (jsons.empty()) return AnsiString("[]");
    AnsiString rows(jsons.front());
    jsons.pop_front();
    return rows;
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
