// The host side's service container: registrations by interface and by name, with an optional
// journal of every container call so tests can assert the module's order of calls.
#pragma once
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "host/THostJournal.h"
#include "interfaces/intfDI.h"

namespace orvo::host {

// "{9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}"
std::string GuidToString(const TGUID& guid);

class THostContainer : public TInterfacedObject<IDIContainer> {
public:
    // With a journal, every call is noted in it; without, nothing is kept.
    explicit THostContainer(TJournal journal = nullptr) : journal_(std::move(journal)) {}

    void RegisterInstance(const TGUID& iid, IInterface* obj) override;
    void RegisterFactory(const TGUID& iid, IDIFactory* factory) override;
    void RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) override;
    void UnregisterInstance(const TGUID& iid) override;
    void UnregisterFactory(const TGUID& iid) override;
    void UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) override;
    bool GetInstance(const TGUID& iid, void** obj) override;
    bool Resolve(const TGUID& iid, void** obj) override;
    bool ResolveNamed(const TGUID& iid, const AnsiString& name, void** obj) override;

    // Every call so far, in order: "<operation> <IID>[ <name>]"; empty without a journal.
    std::vector<std::string> Journal() const;
    void ClearJournal();
    // Number of registrations of each kind held now.
    size_t RegistrationCount() const;
    // Drops every registration (the host's own services included).
    void Clear();

private:
    struct GuidLess {
        bool operator()(const TGUID& a, const TGUID& b) const;
    };
    using NamedKey = std::pair<TGUID, std::string>;
    struct NamedLess {
        bool operator()(const NamedKey& a, const NamedKey& b) const;
    };

    void Record(const char* operation, const TGUID& iid, std::string_view name = {});
    static bool Deliver(const ComPtr<IInterface>& object, const TGUID& iid, void** obj);

    mutable std::mutex mutex_;
    TJournal journal_;
    std::map<TGUID, ComPtr<IInterface>, GuidLess> instances_;
    std::map<TGUID, ComPtr<IDIFactory>, GuidLess> factories_;
    std::map<NamedKey, ComPtr<IDIFactory>, NamedLess> namedFactories_;
};

}  // namespace orvo::host
