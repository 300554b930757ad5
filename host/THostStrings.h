// The host's list of text lines handed to the module, such as the script list of GetChanges.
#pragma once
#include <string>
#include <vector>

#include "interfaces/OrvoTypes.h"

namespace orvo::host {

class THostStrings final : public TInterfacedObject<IStrings> {
public:
    int32_t Count() override { return int32_t(lines_.size()); }
    AnsiString Get(int32_t index) override {
        if (index < 0 || index >= Count())
            throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
        return lines_[size_t(index)];
    }
    int32_t Add(const AnsiString& line) override {
        lines_.push_back(line);
        return Count() - 1;
    }

    const std::vector<AnsiString>& Lines() const { return lines_; }

private:
    std::vector<AnsiString> lines_;
};

}  // namespace orvo::host
