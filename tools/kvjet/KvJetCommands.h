#pragma once
// The commands of kvjet, callable from tests: each returns the process exit status and writes to out/err.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kvjet {

// kvjet compact SRC DST [--password P] | check FILE | info FILE
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Compacts src into dst: the result is written under a temporary name beside dst and renamed over it only
// once it is complete, so a failure never leaves a partial destination. Throws on failure.
void compactFile(const std::filesystem::path& src, const std::filesystem::path& dst, const std::u16string& password);

}  // namespace kvjet
