// Random operation sequences on one configuration list, through its interface as the host
// would call it. Each operation either succeeds or raises exactly one of the list's errors, and
// a failed operation leaves every line and attached object as it was. Attached objects are the
// host's counted references: each goes when the list lets go of its last line, never twice, and
// none outlives the list.
#include <fuzzer/FuzzedDataProvider.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/clsStringConfigList.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Platform.h"

namespace orvo::fuzz {
namespace {

// Knows which attached objects are alive, so a double destruction or a leak shows.
class TTrackedObject : public TInterfacedObject<IInterface> {
public:
    TTrackedObject() { Live().insert(this); }
    ~TTrackedObject() override { Require(Live().erase(this) == 1, "an attached object is destroyed once"); }
    static std::set<TTrackedObject*>& Live() {
        static std::set<TTrackedObject*> live;
        return live;
    }
};

using TSnapshot = std::vector<std::pair<std::string, IInterface*>>;

TSnapshot Snapshot(IStringConfigList& list) {
    TSnapshot lines;
    for (int32_t i = 0; i < list.GetCount(); ++i) lines.emplace_back(list.GetLine(i).str(), list.GetObjectAt(i).Get());
    return lines;
}

bool IsIndexError(std::string_view message) {
    constexpr std::string_view head = "List index out of bounds (";
    if (message.substr(0, head.size()) != head || message.back() != ')') return false;
    std::string_view number = message.substr(head.size(), message.size() - head.size() - 1);
    if (!number.empty() && number[0] == '-') number.remove_prefix(1);
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsConvertError(std::string_view message) {
    for (std::string_view tail : {"' is not a valid boolean value", "' is not a valid integer value",
                                  "' is not a valid floating point value", "' is not a valid date and time"}) {
        if (message.size() > tail.size() && message[0] == '\'' && message.substr(message.size() - tail.size()) == tail)
            return true;
    }
    return false;
}

class TListDriver {
public:
    explicit TListDriver(FuzzedDataProvider& input) : in_(input) {}

    void Run() {
        while (in_.remaining_bytes() > 0) Step();
        list_->FreeObjects();
    }

private:
    std::string Text() {
        static const char* const kWords[] = {
            "Port", "PORT",       "port=1",           "A",     "a=",   "=", "", "a b", "\"q\"", "1,5", "True",
            "$FF",  "2147483648", "2026/12/07 13:45", "x=y=z", "1e400"};
        if (in_.ConsumeBool()) return kWords[in_.ConsumeIntegralInRange<size_t>(0, std::size(kWords) - 1)];
        // No NULs: an error's what() would end at one, and the readers' fuzzer covers them.
        std::string text = in_.ConsumeRandomLengthString(24);
        std::erase(text, '\0');
        return text;
    }
    int32_t Index() {
        const int32_t count = list_->GetCount();
        if (in_.ConsumeIntegralInRange(0, 15) == 0) return in_.ConsumeIntegral<int32_t>();
        return in_.ConsumeIntegralInRange<int32_t>(-2, count + 1);
    }
    double Number() {
        return in_.ConsumeBool() ? in_.ConsumeFloatingPoint<double>() : in_.ConsumeIntegral<int16_t>() / 8.0;
    }
    // The host's object, or none; the host drops its own reference once the call is done.
    ComPtr<IInterface> Object() {
        if (in_.ConsumeBool()) return nullptr;
        return MakeBaseObject<TTrackedObject>();
    }
    void Chain(const ComPtr<IStringConfigList>& returned) {
        Require(returned.Get() == list_.Get(), "the With operations return the list itself");
    }

    void Step() {
        const TSnapshot before = Snapshot(*list_);
        try {
            Apply(before);
        } catch (const EOrvoError& e) {
            const std::string_view kind = e.ClassName();
            Require(kind == "EStringListError" ? IsIndexError(e.what())
                                               : kind == "EConvertError" && IsConvertError(e.what()),
                    "one of the list's errors, with its text", e.what());
            Require(Snapshot(*list_) == before, "a failed operation leaves the list unchanged", e.what());
        }
    }

    void Apply(const TSnapshot& before);

    void SetString() {
        const std::string name = Text(), value = Text();
        const bool present = list_->HasName(name);
        const int32_t count = list_->GetCount();
        list_->SetString(name, value);
        if (value.empty()) {
            Require(list_->GetCount() == count - (present ? 1 : 0), "an empty value deletes the named line", name);
        } else if (name.find('=') == std::string::npos) {
            Require(list_->GetString(name).str() == value, "a set value reads back by name", name);
        }
    }
    void AddString() {
        const std::string name = Text(), value = Text();
        const int32_t index = list_->AddString(name, value);
        Require(index == list_->GetCount() - 1 && list_->GetLine(index).str() == name + "=" + value, "add appends");
    }
    void FindName() {
        int32_t index = -2;
        const bool found = list_->FindName(Text(), index);
        Require(found ? index >= 0 && index < list_->GetCount() : index == -1, "FindName's index matches its result");
    }
    template <class Operation>
    void Attach(Operation attach) {
        const ComPtr<IInterface> object = Object();
        attach(object.Get());
    }
    void Join() {
        const std::string separator = Text();
        std::string expected;
        for (int32_t i = 0; i < list_->GetCount(); ++i) expected += (i ? separator : "") + list_->GetLine(i).str();
        Require(list_->Join(separator).str() == expected, "Join");
    }

    FuzzedDataProvider& in_;
    ComPtr<IStringConfigList> list_ = CreateStringConfigList();
};

// Runs one operation of IStringConfigList, chosen by the input; those that must not change the
// list (readers and the five line setters) are checked for it.
void TListDriver::Apply(const TSnapshot& before) {
    constexpr bool kKeeps = false, kChanges = true;
    static constexpr struct {
        bool changes;
        void (*run)(TListDriver&);
    } kOperations[] = {
        {kKeeps, [](TListDriver& d) { d.list_->GetFirst(); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetLast(); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetBoolean(d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetDateTime(d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetFloat(d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetInteger(d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetObject(d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetString(d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetFloatAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetValueAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetIntegerAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetObjectAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetValueOrLineAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetLineAsBoolean(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetLineAsDateTime(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetLineAsFloat(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetLineAsInteger(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetLine(d.Index()); }},
        {kChanges, [](TListDriver& d) { d.list_->SetBoolean(d.Text(), d.in_.ConsumeBool()); }},
        {kChanges, [](TListDriver& d) { d.list_->SetDateTime(d.Text(), d.Number()); }},
        {kChanges, [](TListDriver& d) { d.list_->SetFloat(d.Text(), d.Number()); }},
        {kChanges, [](TListDriver& d) { d.list_->SetInteger(d.Text(), d.in_.ConsumeIntegral<int32_t>()); }},
        {kChanges, [](TListDriver& d) { d.SetString(); }},
        {kChanges, [](TListDriver& d) { d.Attach([&](IInterface* o) { d.list_->SetObject(d.Text(), o); }); }},
        {kChanges, [](TListDriver& d) { d.list_->SetFloatAt(d.Index(), d.Number()); }},
        {kChanges, [](TListDriver& d) { d.list_->SetValueAt(d.Index(), d.Text()); }},
        {kChanges, [](TListDriver& d) { d.Attach([&](IInterface* o) { d.list_->SetObjectAt(d.Index(), o); }); }},
        {kChanges, [](TListDriver& d) { d.list_->SetIntegerAt(d.Index(), d.in_.ConsumeIntegral<int32_t>()); }},
        {kKeeps, [](TListDriver& d) { d.list_->SetLineAsBoolean(d.Index(), true); }},
        {kKeeps, [](TListDriver& d) { d.list_->SetLineAsDateTime(d.Index(), d.Number()); }},
        {kKeeps, [](TListDriver& d) { d.list_->SetLineAsFloat(d.Index(), d.Number()); }},
        {kKeeps, [](TListDriver& d) { d.list_->SetLineAsInteger(d.Index(), 1); }},
        {kKeeps, [](TListDriver& d) { d.list_->SetLine(d.Index(), d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetValueFromIndex(d.Index()); }},
        {kChanges, [](TListDriver& d) { d.list_->SetValueFromIndex(d.Index(), d.Text()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetNameAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetCommaText(); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetDelimitedText(); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetText(); }},
        {kKeeps, [](TListDriver& d) { d.list_->GetCount(); }},
        {kChanges, [](TListDriver& d) { d.AddString(); }},
        {kChanges, [](TListDriver& d) { d.list_->AddInteger(d.Text(), d.in_.ConsumeIntegral<int32_t>()); }},
        {kChanges, [](TListDriver& d) { d.list_->AddFloat(d.Text(), d.Number()); }},
        {kChanges, [](TListDriver& d) { d.list_->AddDateTime(d.Text(), d.Number()); }},
        {kChanges, [](TListDriver& d) { d.list_->AddBoolean(d.Text(), d.in_.ConsumeBool()); }},
        {kChanges, [](TListDriver& d) { d.Attach([&](IInterface* o) { d.list_->AddObject(d.Text(), o); }); }},
        {kChanges, [](TListDriver& d) { d.Chain(d.list_->WithString(d.Text(), d.Text())); }},
        {kChanges, [](TListDriver& d) { d.Chain(d.list_->WithInteger(d.Text(), d.in_.ConsumeIntegral<int32_t>())); }},
        {kChanges, [](TListDriver& d) { d.Chain(d.list_->WithFloat(d.Text(), d.Number())); }},
        {kChanges, [](TListDriver& d) { d.Chain(d.list_->WithDateTime(d.Text(), d.Number())); }},
        {kChanges, [](TListDriver& d) { d.Chain(d.list_->WithBoolean(d.Text(), d.in_.ConsumeBool())); }},
        {kChanges, [](TListDriver& d) { d.Attach([&](IInterface* o) { d.Chain(d.list_->WithObject(d.Text(), o)); }); }},
        {kChanges, [](TListDriver& d) { d.list_->AddLine(d.Text()); }},
        {kChanges, [](TListDriver& d) { d.Chain(d.list_->WithLine(d.Text())); }},
        {kKeeps, [](TListDriver& d) { d.Join(); }},
        {kKeeps, [](TListDriver& d) { d.FindName(); }},
        {kKeeps, [](TListDriver& d) { d.list_->IsPairAt(d.Index()); }},
        {kKeeps, [](TListDriver& d) { d.list_->Contains(d.Text()); }},
        {kKeeps,
         [](TListDriver& d) {
             Require(d.list_->GetStrings()->Count() == d.list_->GetCount(), "the line container is the list's");
         }},
        {kKeeps, [](TListDriver& d) { d.list_->HasName(d.Text()); }},
        {kChanges, [](TListDriver& d) { d.list_->Clear(); }},
        {kChanges, [](TListDriver& d) { d.list_->FreeObjects(); }},
        {kChanges, [](TListDriver& d) { d.list_->Remove(d.Text()); }},
    };
    const auto& operation = kOperations[in_.ConsumeIntegralInRange<size_t>(0, std::size(kOperations) - 1)];
    operation.run(*this);
    if (!operation.changes) Require(Snapshot(*list_) == before, "a reading operation leaves the list unchanged");
}

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    FuzzedDataProvider input(data, size);
    platform::TRegionalSettings regional;
    regional.DecimalSeparator = input.ConsumeBool() ? ',' : '.';
    platform::SetRegional(regional);
    TListDriver(input).Run();
    Require(TTrackedObject::Live().empty(), "no attached object outlives the list");
    return 0;
}
