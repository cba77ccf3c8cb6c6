#include "app/Compaction.h"

#include "framework/Paths.h"

std::u16string TrimText(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= u' ') ++first;
    while (last > first && text[last - 1] <= u' ') --last;
    return std::u16string(text.substr(first, last - first));
}

std::u16string ConnectionValue(std::u16string_view value) {
    const bool edgeBlank = !value.empty() && (value.front() <= u' ' || value.back() <= u' ');
    const bool startsQuoted = !value.empty() && (value.front() == u'"' || value.front() == u'\'');
    if (!edgeBlank && !startsQuoted && value.find_first_of(u";\"") == std::u16string_view::npos) {
        return std::u16string(value);
    }
    std::u16string quoted = u"\"";
    for (char16_t c : value) {
        if (c == u'"') quoted += u'"';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

std::u16string BuildConnectionString(std::u16string_view path, std::u16string_view password) {
    std::u16string s = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
    s += ConnectionValue(path);
    s += u";Jet OLEDB:Database Password=";
    s += ConnectionValue(password);
    s += u";";
    return s;
}

std::u16string WithTrailingBackslash(std::u16string text) {
    if (text.empty() || text.back() != u'\\') text += u'\\';
    return text;
}

namespace {

// Puts the compacted file in place of the database without ever leaving a half-written database: the copy
// goes beside the database first, is flushed, and only then swapped in by one replace operation. A database reached
// through a link is replaced where it really is, so that the link still leads to it.
bool replaceDatabase(const std::u16string& compacted, const std::u16string& fileName, FileOperations& files,
                     std::u16string& reason) {
    const std::u16string real = files.RealFile(fileName);
    reason = real.empty() ? kNotFoundReason : kNotReplacedReason;
    if (real.empty()) return false;
    const std::u16string side = files.ReserveTempFile(fw::folderOf(real), kReplacementPrefix);
    if (side.empty()) return false;
    if (files.CopyOver(compacted, side) && files.FlushFile(side) && files.PutInPlace(side, real)) return true;
    files.RemoveFile(side);
    return false;
}

}  // namespace

bool CompactDatabaseFile(const std::u16string& fileName, const std::u16string& password, FileOperations& files,
                         const EngineFactory& createEngine, std::u16string* reason) {
    bool result = false;
    std::u16string why;
    // The platform reserves a unique name; the engine must create the file itself, so it is freed at once.
    const std::u16string temp = files.ReserveTempFile(files.TempDirectory(), kTempFilePrefix);
    if (!files.RemoveFile(temp)) {
        if (reason) *reason = kNoTempFileReason;
        return false;
    }
    try {
        std::unique_ptr<DatabaseEngine> engine = createEngine();
        if (!engine) throw EngineError("no engine object");
        const std::u16string destination = BuildConnectionString(temp, password);
        const std::u16string source = BuildConnectionString(fileName, password);
        const std::int32_t code = engine->CompactDatabase(source, destination);
        if (code < 0) throw EngineError("the engine returned a failure code");
        result = replaceDatabase(temp, fileName, files, why);
    } catch (const EngineError& e) {
        why = e.reason();
    } catch (...) {
        // Every failure becomes the Boolean result.
    }
    // Whatever the engine or the copy left under the temporary name is removed.
    files.RemoveFile(temp);
    if (!result && reason) *reason = why;
    return result;
}

std::u16string CompactFailedText(std::u16string_view reason) {
    std::u16string text(kCompactFailedText);
    if (!reason.empty()) {
        text += u"\n";
        text += reason;
    }
    return text;
}

void RunCompactCommand(const CompactCommandHost& host) {
    if (TrimText(host.fileNameText()).empty()) return;
    if (host.showMessageBox(kConfirmCompactText, TkvMessageKind::mtWarning, ButtonBit(mbOK) | ButtonBit(mbCancel), 0) !=
        mrOk) {
        return;
    }
    const std::u16string password = host.passwordText();
    const std::u16string fileName = host.fileNameText();  // as typed, not trimmed
    std::u16string reason;
    if (host.compactDatabaseFile(fileName, password, reason)) {
        host.showMessageBox(kCompactSucceededText, TkvMessageKind::mtInformation, ButtonBit(mbOK), 0);
    } else {
        host.showMessageBox(CompactFailedText(reason), TkvMessageKind::mtError, ButtonBit(mbOK), 0);
    }
}
