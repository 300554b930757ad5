// Attached objects are counted references the list holds for each line, and the With... chain
// hands out counted references to the same list.
#include "interfaces/intfDI.h"
#include "tests/common/ConfigListTestSupport.h"

namespace orvo::test {
namespace {

// A host's object: writes its name to the journal when its last reference goes.
class TTracedObject : public TInterfacedObject<IInterface> {
public:
    TTracedObject(std::vector<std::string>& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    ~TTracedObject() override { journal_.push_back(name_); }

private:
    std::vector<std::string>& journal_;
    std::string name_;
};

TEST(ConfigListObjects, TheListReleasesItsReferenceWhenALineOrItselfGoes) {
    std::vector<std::string> destroyed;
    auto a = MakeObject<TTracedObject>(destroyed, "a"), b = MakeObject<TTracedObject>(destroyed, "b"),
         c = MakeObject<TTracedObject>(destroyed, "c");
    {
        auto list = CreateStringConfigList();
        EXPECT_EQ(list->AddObject("x=1", a.Get()), 0);
        list->AddLine("y");
        list->AddLine("z");
        list->SetObject("Y", b.Get());
        list->SetObjectAt(2, c.Get());
        EXPECT_EQ(list->GetObject("X=1").Get(), a.Get());
        EXPECT_EQ(list->GetObjectAt(1).Get(), b.Get());
        a.Reset();  // the list's reference keeps it
        EXPECT_TRUE(destroyed.empty());
        list->Remove("x");
        EXPECT_EQ(destroyed, std::vector<std::string>{"a"});
        EXPECT_EQ(list->GetObjectAt(0).Get(), b.Get());
        list->Clear();
        list->AddLine("w");
        EXPECT_EQ(list->GetObjectAt(0).Get(), nullptr);
        list->AddObject("v", c.Get());
        c.Reset();
        EXPECT_EQ(destroyed, std::vector<std::string>{"a"}) << "Clear left the host's b alive";
    }
    EXPECT_EQ(destroyed, (std::vector<std::string>{"a", "c"}));
}

TEST(ConfigListObjects, FreeObjectsReleasesEachLinesReferenceInLineOrderAndKeepsTheLines) {
    std::vector<std::string> destroyed;
    auto list = CreateStringConfigList();
    auto shared = MakeObject<TTracedObject>(destroyed, "shared");
    list->AddObject("first", MakeObject<TTracedObject>(destroyed, "first").Get());
    list->AddObject("second", shared.Get());
    list->AddLine("bare");
    list->AddObject("third", MakeObject<TTracedObject>(destroyed, "third").Get());
    list->SetObjectAt(2, shared.Get());
    shared.Reset();

    list->FreeObjects();
    EXPECT_EQ(destroyed, (std::vector<std::string>{"first", "shared", "third"}));
    EXPECT_EQ(Lines(*list), (std::vector<std::string>{"first", "second", "bare", "third"}));
    EXPECT_EQ(list->GetObjectAt(1).Get(), nullptr);
    list->FreeObjects();
    EXPECT_EQ(destroyed.size(), 3u);
}

TEST(ConfigListObjects, WithChainReturnsTheSameListAsNewReferences) {
    const int32_t liveBefore = gLiveObjectCount.load();
    auto list = CreateStringConfigList();
    auto chained = list->WithString("s", "x")
                       ->WithInteger("i", 3)
                       ->WithFloat("f", 2.5)
                       ->WithDateTime("d", 1)
                       ->WithBoolean("b", true)
                       ->WithObject("o", nullptr)
                       ->WithLine("line");
    EXPECT_EQ(chained.Get(), list.Get());
    EXPECT_EQ(list->GetCount(), 7);
    EXPECT_EQ(list->GetString("f"), "2.500000000000000000");
    EXPECT_EQ(list->GetString("d"), "1.000000000000000000");

    // Every intermediate reference has been released; the two held keep the list alive.
    list.Reset();
    EXPECT_EQ(gLiveObjectCount.load(), liveBefore + 1);
    EXPECT_EQ(chained->GetLast(), "line");
    chained.Reset();
    EXPECT_EQ(gLiveObjectCount.load(), liveBefore);
}

TEST(ConfigListObjects, ListAnswersForItsInterfacesAndTheBaseOnly) {
    auto list = CreateStringConfigList();
    EXPECT_EQ(list.As<IInterface>().Get(), static_cast<IInterface*>(list.Get()));
    EXPECT_EQ(list.As<IStringConfigList>().Get(), list.Get());
    EXPECT_EQ(list.As<IStrings>().Get(), list->GetStrings().Get());
    EXPECT_FALSE(list.As<IDIFactory>());
}

}  // namespace
}  // namespace orvo::test
