// Small helpers shared by the configuration list tests.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clsStringConfigList.h"

namespace orvo::test {

// The list's lines, one per entry, for comparing whole lists at once.
inline std::vector<std::string> Lines(IStringConfigList& list) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetLine(i).str());
    return lines;
}

inline ComPtr<IStringConfigList> ListOf(std::initializer_list<const char*> lines) {
    auto list = CreateStringConfigList();
    for (const char* line : lines) list->AddLine(line);
    return list;
}

// Runs op, expects the error's class name and message, and that the list did not change.
template <class Op>
void ExpectFailsUnchanged(const char* className, IStringConfigList& list, Op op, const std::string& message) {
    const auto before = Lines(list);
    try {
        op();
        ADD_FAILURE() << "expected: " << message;
    } catch (const EOrvoError& e) {
        EXPECT_STREQ(e.ClassName(), className);
        EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_EQ(Lines(list), before);
}

}  // namespace orvo::test
