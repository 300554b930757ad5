// Test rig: real temporary folders, replaceable regional settings and clock, and the reference
// host's services registered in a real container, all writing to one journal so a test can
// assert the order of calls across services.
#pragma once
#include <deque>
#include <filesystem>
#include <set>
#include <string>

#include "host/THostContainer.h"
#include "host/services/HostServices.h"
#include "interfaces/intfActCodes.h"
#include "interfaces/intfAuthentication.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfEventManager.h"
#include "interfaces/intfGenericInput.h"
#include "interfaces/intfHTMLViewer.h"
#include "interfaces/intfMainMenuManager.h"
#include "platform/Platform.h"

namespace orvo::test {

// What op raised, as an error crossing the contract arrives: "<class name>: <message>"; empty
// when it raised nothing.
template <class Op>
std::string RaisedError(Op&& op) {
    try {
        op();
    } catch (const EOrvoError& e) {
        return std::string(e.ClassName()) + ": " + e.what();
    }
    return "";
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Regional settings or clock in force for the life of the object.
class TScopedRegional {
public:
    explicit TScopedRegional(const platform::TRegionalSettings& settings);
    ~TScopedRegional();

private:
    platform::TRegionalSettings saved_;
};
class TScopedClock {
public:
    explicit TScopedClock(TDateTime fixed);
    ~TScopedClock();
};

// Regional settings with a point and with a comma as decimal separator.
platform::TRegionalSettings PointRegional();
platform::TRegionalSettings CommaRegional();

using host::TJournal;

// One answer of the cashier at the numeric input popup.
struct TInputAnswer {
    bool confirmed;
    std::string text;
};

// A container holding every host service, each with the journal and registered the way the
// host registers it; the container keeps a journal of its own. A test drops a service with
// container->Unregister... to see the module go without it.
struct TTestHost {
    TTestHost();
    ~TTestHost();
    TJournal journal = host::NewJournal();
    std::deque<TInputAnswer> answers;  // taken in turn by the input popup; none left means "cancelled"
    ComPtr<host::THostContainer> container;
    ComPtr<host::THostInput> input;
    ComPtr<host::THostViewer> viewer;  // no page file: the pages stay in viewer->pages
    ComPtr<host::THostMenuManager> menus;
    ComPtr<host::THostEventManager> events;
    ComPtr<host::THostAuthentication> authentication;  // grants nothing until a test says so
    ComPtr<host::THostActCodes> actCodes;
    ComPtr<host::THostScript> script;
};

}  // namespace orvo::test
