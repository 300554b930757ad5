// Attached objects are borrowed until FreeObjects, and the With... chain hands out counted
// references to the same list.
#include "interfaces/intfDI.h"
#include "tests/common/ConfigListTestSupport.h"

namespace orvo::test {
namespace {

// Writes its name to the journal when destroyed.
class TTracedObject : public TObject {
public:
    TTracedObject(std::vector<std::string>& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    ~TTracedObject() override { journal_.push_back(name_); }

private:
    std::vector<std::string>& journal_;
    std::string name_;
};

TEST(ConfigListObjects, AttachedObjectsOutliveClearRemoveAndTheList) {
    std::vector<std::string> destroyed;
    TTracedObject a(destroyed, "a"), b(destroyed, "b"), c(destroyed, "c");
    {
        auto list = CreateStringConfigList();
        EXPECT_EQ(list->AddObject("x=1", &a), 0);
        list->AddLine("y");
        list->AddLine("z");
        list->SetObject("Y", &b);
        list->SetObjectAt(2, &c);
        EXPECT_EQ(list->GetObject("X=1"), &a);
        EXPECT_EQ(list->GetObjectAt(1), &b);
        list->Remove("x");
        EXPECT_EQ(list->GetObjectAt(0), &b);
        list->Clear();
        list->AddLine("w");
        EXPECT_EQ(list->GetObjectAt(0), nullptr);
        list->AddObject("v", &c);
    }
    EXPECT_TRUE(destroyed.empty());
}

TEST(ConfigListObjects, FreeObjectsDestroysEachObjectOnceInLineOrderAndKeepsTheLines) {
    std::vector<std::string> destroyed;
    auto list = CreateStringConfigList();
    auto* shared = new TTracedObject(destroyed, "shared");
    list->AddObject("first", new TTracedObject(destroyed, "first"));
    list->AddObject("second", shared);
    list->AddLine("bare");
    list->AddObject("third", new TTracedObject(destroyed, "third"));
    list->SetObjectAt(2, shared);

    list->FreeObjects();
    EXPECT_EQ(destroyed, (std::vector<std::string>{"first", "shared", "third"}));
    EXPECT_EQ(Lines(*list), (std::vector<std::string>{"first", "second", "bare", "third"}));
    EXPECT_EQ(list->GetObjectAt(1), nullptr);
    list->FreeObjects();
    EXPECT_EQ(destroyed.size(), 3u);
}

TEST(ConfigListObjects, WithChainReturnsTheSameListAsNewReferences) {
    const int32_t liveBefore = gLiveObjectCount.load();
    auto list = CreateStringConfigList();
    TTracedObject* none = nullptr;
    auto chained = ComPtr<IStringConfigList>::Adopt(
        ComPtr<IStringConfigList>::Adopt(
            ComPtr<IStringConfigList>::Adopt(
                ComPtr<IStringConfigList>::Adopt(
                    ComPtr<IStringConfigList>::Adopt(
                        ComPtr<IStringConfigList>::Adopt(
                            ComPtr<IStringConfigList>::Adopt(list->WithString("s", "x"))->WithInteger("i", 3))
                            ->WithFloat("f", 2.5))
                        ->WithDateTime("d", 1))
                    ->WithBoolean("b", true))
                ->WithObject("o", none))
            ->WithLine("line"));
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

TEST(ConfigListObjects, ListAnswersForItsInterfaceAndTheBaseOnly) {
    auto list = CreateStringConfigList();
    EXPECT_EQ(list.As<IInterface>().Get(), static_cast<IInterface*>(list.Get()));
    EXPECT_EQ(list.As<IStringConfigList>().Get(), list.Get());
    EXPECT_FALSE(list.As<IDIFactory>());
}

}  // namespace
}  // namespace orvo::test
