#include "host/THostContainer.h"

#include <cstdio>
#include <cstring>

namespace orvo::host {

std::string GuidToString(const TGUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(g.D1), unsigned(g.D2),
                  unsigned(g.D3), g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6], g.D4[7]);
    return buf;
}

bool THostContainer::GuidLess::operator()(const TGUID& a, const TGUID& b) const {
    return std::memcmp(&a, &b, sizeof(TGUID)) < 0;
}

bool THostContainer::NamedLess::operator()(const NamedKey& a, const NamedKey& b) const {
    const int c = std::memcmp(&a.first, &b.first, sizeof(TGUID));
    return c != 0 ? c < 0 : a.second < b.second;
}

void THostContainer::Record(const char* operation, const TGUID& iid, std::string_view name) {
    if (!journal_) return;
    std::string entry = std::string(operation) + " " + GuidToString(iid);
    if (!name.empty()) entry += " " + std::string(name);
    journal_->push_back(std::move(entry));
}

bool THostContainer::Deliver(const ComPtr<IInterface>& object, const TGUID& iid, void** obj) {
    if (!obj) return false;
    *obj = nullptr;
    return object && object->QueryInterface(iid, obj) == ORVO_S_OK;
}

void THostContainer::RegisterInstance(const TGUID& iid, IInterface* obj) {
    ComPtr<IInterface> replaced;
    std::lock_guard lock(mutex_);
    Record("RegisterInstance", iid);
    replaced = std::exchange(instances_[iid], ComPtr<IInterface>::AddRefOf(obj));
}

void THostContainer::RegisterFactory(const TGUID& iid, IDIFactory* factory) {
    ComPtr<IDIFactory> replaced;
    std::lock_guard lock(mutex_);
    Record("RegisterFactory", iid);
    replaced = std::exchange(factories_[iid], ComPtr<IDIFactory>::AddRefOf(factory));
}

void THostContainer::RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) {
    ComPtr<IDIFactory> replaced;
    std::lock_guard lock(mutex_);
    Record("RegisterNamedFactory", iid, name.view());
    replaced = std::exchange(namedFactories_[{iid, name.str()}], ComPtr<IDIFactory>::AddRefOf(factory));
}

// The dropped object is released after the lock: its destructor may call back into the host.
void THostContainer::UnregisterInstance(const TGUID& iid) {
    ComPtr<IInterface> dropped;
    std::lock_guard lock(mutex_);
    Record("UnregisterInstance", iid);
    if (auto it = instances_.find(iid); it != instances_.end()) {
        dropped = std::move(it->second);
        instances_.erase(it);
    }
}

void THostContainer::UnregisterFactory(const TGUID& iid) {
    ComPtr<IDIFactory> dropped;
    std::lock_guard lock(mutex_);
    Record("UnregisterFactory", iid);
    if (auto it = factories_.find(iid); it != factories_.end()) {
        dropped = std::move(it->second);
        factories_.erase(it);
    }
}

void THostContainer::UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) {
    ComPtr<IDIFactory> dropped;
    std::lock_guard lock(mutex_);
    Record("UnregisterNamedFactory", iid, name.view());
    if (auto it = namedFactories_.find({iid, name.str()}); it != namedFactories_.end()) {
        dropped = std::move(it->second);
        namedFactories_.erase(it);
    }
}

bool THostContainer::GetInstance(const TGUID& iid, void** obj) {
    ComPtr<IInterface> found;
    {
        std::lock_guard lock(mutex_);
        Record("GetInstance", iid);
        if (auto it = instances_.find(iid); it != instances_.end()) found = it->second;
    }
    return Deliver(found, iid, obj);
}

bool THostContainer::Resolve(const TGUID& iid, void** obj) {
    ComPtr<IDIFactory> factory;
    {
        std::lock_guard lock(mutex_);
        Record("Resolve", iid);
        if (auto it = factories_.find(iid); it != factories_.end()) factory = it->second;
    }
    if (obj) *obj = nullptr;
    return factory && Deliver(factory->CreateObject(), iid, obj);
}

bool THostContainer::ResolveNamed(const TGUID& iid, const AnsiString& name, void** obj) {
    ComPtr<IDIFactory> factory;
    {
        std::lock_guard lock(mutex_);
        Record("ResolveNamed", iid, name.view());
        if (auto it = namedFactories_.find({iid, name.str()}); it != namedFactories_.end()) factory = it->second;
    }
    if (obj) *obj = nullptr;
    return factory && Deliver(factory->CreateObject(), iid, obj);
}

std::vector<std::string> THostContainer::Journal() const {
    std::lock_guard lock(mutex_);
    return journal_ ? *journal_ : std::vector<std::string>();
}

void THostContainer::ClearJournal() {
    std::lock_guard lock(mutex_);
    if (journal_) journal_->clear();
}

size_t THostContainer::RegistrationCount() const {
    std::lock_guard lock(mutex_);
    return instances_.size() + factories_.size() + namedFactories_.size();
}

void THostContainer::Clear() {
    decltype(instances_) instances;
    decltype(factories_) factories;
    decltype(namedFactories_) named;
    std::lock_guard lock(mutex_);
    instances.swap(instances_);
    factories.swap(factories_);
    named.swap(namedFactories_);
}

}  // namespace orvo::host
