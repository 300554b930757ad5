// A record of the calls a host's services take, in order. Services given the same journal write
// to one list, so a rig can assert the order of calls across them; a host that wants no record
// gives none (null) and nothing is kept.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace orvo::host {

using TJournal = std::shared_ptr<std::vector<std::string>>;

inline TJournal NewJournal() { return std::make_shared<std::vector<std::string>>(); }

// Appends entry when there is a journal.
inline void Note(const TJournal& journal, std::string entry) {
    if (journal) journal->push_back(std::move(entry));
}

}  // namespace orvo::host
