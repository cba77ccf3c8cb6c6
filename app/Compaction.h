// The compaction command without the platform: the text rules, the connection strings, the steps of
// CompactDatabaseFile and of the button handler, behind two small interfaces (file operations and the
// engine call) so that every path can be driven with fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "skin/dialogs/kvMessageTypes.h"

// Texts the user sees.
inline constexpr std::u16string_view kConfirmCompactText = u"压缩数据库操作可能会需要很长时间，期间请不要关闭本程序";
inline constexpr std::u16string_view kCompactSucceededText = u"压缩数据库成功";
inline constexpr std::u16string_view kCompactFailedText =
    u"压缩失败，可能是您的计算机中没有安装 ADO 引擎，或者是数据库文件正被其它程序打开";

inline constexpr std::u16string_view kTempFilePrefix = u"~ACP";
// Prefix of the compacted copy written beside the database before it replaces it.
inline constexpr std::u16string_view kReplacementPrefix = u"~KVC";

// Removes leading and trailing characters with codes up to and including the space.
std::u16string TrimText(std::u16string_view text);

// One value of a connection string, as the engine will read it back exactly: as it is when that is safe,
// otherwise in double quotes with inner double quotes doubled. A value with ';' or a quote, or with blanks
// at either end, would otherwise be cut short or trimmed, and a password holding one could never be used.
std::u16string ConnectionValue(std::u16string_view value);

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Jet OLEDB:Database Password=%s;" with both values
// inserted through ConnectionValue.
std::u16string BuildConnectionString(std::u16string_view path, std::u16string_view password);

// Appends a backslash unless the text already ends with one.
std::u16string WithTrailingBackslash(std::u16string text);

// File operations the compaction needs. Each returns false (or an empty name) on failure.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // The platform's temporary directory, ending with a backslash (GetTempDirectory).
    virtual std::u16string TempDirectory() = 0;
    // Creates an empty file with a unique name in `folder` starting with `prefix`; returns its full name.
    virtual std::u16string ReserveTempFile(const std::u16string& folder, std::u16string_view prefix) = 0;
    virtual bool RemoveFile(const std::u16string& path) = 0;
    // Copies `from` onto `to`, overwriting it.
    virtual bool CopyOver(const std::u16string& from, const std::u16string& to) = 0;
    // Forces the file's contents to the disk.
    virtual bool FlushFile(const std::u16string& path) = 0;
    // The file `path` finally names, links followed: the compacted copy is written beside it and replaces it, so
    // that a link keeps leading to the database. "" when there is no such file.
    virtual std::u16string RealFile(const std::u16string& path) = 0;
    // Puts `replacement` in place of the real file `target` in one step, keeping the file's attributes, access
    // rights and creation time: afterwards `target` is either the replacement or exactly what it was.
    virtual bool PutInPlace(const std::u16string& replacement, const std::u16string& target) = 0;
};

// The engine did not answer or reported an error. `reason()` is the text the user is shown under the failure
// box's own text: the engine's own description where it gave one.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& ascii) : std::runtime_error(ascii), reason_(ascii.begin(), ascii.end()) {}
    EngineError(const std::string& ascii, std::u16string reason)
        : std::runtime_error(ascii), reason_(std::move(reason)) {}
    const std::u16string& reason() const { return reason_; }

private:
    std::u16string reason_;
};

// One engine object. compactDatabase calls "CompactDatabase"(source, destination) and returns the call's
// value converted to an integer (an empty value is 0); it throws EngineError when the call fails.
class DatabaseEngine {
public:
    virtual ~DatabaseEngine() = default;
    virtual std::int32_t CompactDatabase(const std::u16string& source, const std::u16string& destination) = 0;
};

// Creates the engine object; throws EngineError when it cannot.
using EngineFactory = std::function<std::unique_ptr<DatabaseEngine>()>;

// Why a compaction failed, in words the user can act on, for the line under the failure box's own text.
inline constexpr std::u16string_view kNoTempFileReason = u"The temporary folder cannot be written.";
inline constexpr std::u16string_view kNotReplacedReason =
    u"The compacted copy could not replace the database file; the database is unchanged.";
inline constexpr std::u16string_view kNotFoundReason = u"The database file does not exist.";

// Compacts the database `fileName` in place. True exactly when the compacted copy has replaced the database;
// otherwise the database is as it was, and `reason` (when given) says why. The temporary files are gone
// afterwards on every path.
bool CompactDatabaseFile(const std::u16string& fileName, const std::u16string& password, FileOperations& files,
                         const EngineFactory& createEngine, std::u16string* reason = nullptr);

// The failure box's text: the program's own, and the reason on a line of its own under it.
std::u16string CompactFailedText(std::u16string_view reason);

// What the compact button needs from the window.
struct CompactCommandHost {
    std::function<std::u16string()> fileNameText;  // text of the file-name field
    std::function<std::u16string()> passwordText;  // text of the password field
    std::function<int(std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons, int helpContext)>
        showMessageBox;
    // Compacts; on failure it may set `reason`, shown under the failure text.
    std::function<bool(const std::u16string& fileName, const std::u16string& password, std::u16string& reason)>
        compactDatabaseFile;
};

// The compact button: empty trimmed name -> nothing; confirmation; compaction; result box.
void RunCompactCommand(const CompactCommandHost& host);
