// The module initialised against every recording double and a scripted form host, as the
// back-office program holds it.
#pragma once
#include <gtest/gtest.h>

#include "entry/ModuleLifecycle.h"
#include "tests/support/TestFormHost.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {

class TBackOfficeTestRig : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();
        host.container->RegisterInstance(IFormHost::IID, forms->AsIInterface());
        InitModule(host.container.Get());
        host.journal->clear();
    }
    void TearDown() override { FinalModule(); }

    TTestHost host;
    ComPtr<TTestFormHost> forms = MakeObject<TTestFormHost>(host.journal);
};

}  // namespace orvo::test
