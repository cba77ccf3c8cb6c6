#pragma once
// Byte-level check of a compacted copy against its source: every page carried over must arrive unchanged
// except in the fields the renumbering is meant to rewrite (page numbers, row pointers, table ids, row counts
// and usage maps). Any other difference means a stray write, and the copy must not be used. Pages filled afresh
// (rows, long values, indexes) have no source page to match: the structural and content checks cover them.
#include "engine/core/Compactor.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace jet {

class ChangeMask;

// The check run a stretch of pages at a time, so that it can follow another pass over the copy and find its
// pages still cached. Which bytes may differ is taken from the source's survey, each field carried to the page
// the numbering gives its page: the copy has no say in where it may differ. Throws JetError as
// checkOnlyReferencesChanged does.
class CopyCheck {
public:
    CopyCheck(const PageStore& source, const Survey& before, const PageStore& copy);
    ~CopyCheck();
    CopyCheck(const CopyCheck&) = delete;
    CopyCheck& operator=(const CopyCheck&) = delete;

    void checkUpToCopyPage(std::uint32_t copyPage);  // every kept page that lands at or before it
    void finish();                                   // every page left, and the blank pages
    const PageNumbering& numbering() const { return numbering_; }

private:
    const PageStore& source_;
    const PageStore& copy_;
    const PageNumbering numbering_;
    std::unique_ptr<ChangeMask> mask_;
    std::vector<std::uint8_t> allowed_;  // the mask of the page being compared
    std::uint32_t next_ = 0;             // the first source page not checked yet
};

// Throws JetError naming the first page and offset that changed where nothing may change.
void checkOnlyReferencesChanged(const PageStore& source, const Survey& before, const PageStore& copy);

}  // namespace jet
