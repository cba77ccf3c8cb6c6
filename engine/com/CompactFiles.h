// The file side of the engine stand-in: reads the source database, has the portable core compact it and
// writes the destination so that it appears complete or not at all.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "engine/com/ConnectionString.h"

namespace kvcom {

// A failed compaction: an HRESULT for the caller and a readable description.
class CompactError : public std::runtime_error {
public:
    CompactError(HRESULT hr, const std::string& message) : std::runtime_error(message), hr_(hr) {}
    HRESULT hresult() const { return hr_; }

private:
    HRESULT hr_;
};

// Compacts the database named by `source` into the new file named by `destination` (both OLE DB connection
// strings). Throws CompactError when a connection string is unusable, the source is missing, open in another
// program or not a readable database, the destination already exists, or writing fails. On failure no
// destination file is left behind.
void compactDatabaseFiles(const std::wstring& source, const std::wstring& destination);

}  // namespace kvcom
