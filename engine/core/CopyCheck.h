#pragma once
// Byte-level check of a compacted copy against its source: every kept page must arrive unchanged except in
// the fields the renumbering is meant to rewrite (page numbers, row pointers, table ids, index entries and
// usage maps). Any other difference means a stray write, and the copy must not be used.
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

namespace jet {

// Throws JetError naming the first page and offset that changed where nothing may change.
void checkOnlyReferencesChanged(const PageStore& source, const Survey& before, const PageStore& copy,
                                const Survey& after);

}  // namespace jet
