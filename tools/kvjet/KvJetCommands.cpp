#include "tools/kvjet/KvJetCommands.h"

#include "engine/core/Checker.h"
#include "engine/core/JetEngine.h"
#include "engine/core/PageStore.h"
#include "engine/core/RowPacker.h"
#include "engine/core/Survey.h"
#include "engine/core/Text.h"
#include "tools/kvjet/FileStreams.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <system_error>

namespace kvjet {
namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw jet::JetError("cannot open " + shown(p));
    std::vector<std::uint8_t> bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (in.bad()) throw jet::JetError("cannot read " + shown(p));
    return bytes;
}

// UTF-8 command-line text to UTF-16; malformed sequences are refused rather than guessed.
std::u16string widen(const std::string& s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        std::uint32_t cp;
        std::size_t n;
        if (c < 0x80) {
            cp = c;
            n = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            n = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            n = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            n = 4;
        } else throw jet::JetError("the password is not valid UTF-8");
        if (i + n > s.size()) throw jet::JetError("the password is not valid UTF-8");
        for (std::size_t k = 1; k < n; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) throw jet::JetError("the password is not valid UTF-8");
            cp = cp << 6 | (s[i + k] & 0x3F);
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
        i += n;
    }
    return out;
}

// Command-line text is UTF-8 on every platform (the Windows entry point converts it).
std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

int usage(std::ostream& err) {
    err << "usage: kvjet compact SRC DST [--password P]\n"
           "       kvjet check FILE\n"
           "       kvjet info FILE\n";
    return 2;
}

int info(const std::filesystem::path& file, std::ostream& out) {
    auto bytes = readFile(file);
    jet::PageStore store(bytes);
    jet::Survey s = jet::surveyDatabase(store);
    out << "format " << jet::formatName(store.header()) << "\n";
    out << "pages " << store.pageCount() << " (page size " << store.pageSize() << "), unreached " << s.unreachedPages()
        << ", long-value pages " << s.longValuePages.size() << "\n";
    for (const auto& t : s.tables) {
        // The fewest pages that can hold the rows: their bytes over a page's room, and a row pointer's rows a page.
        const std::uint64_t room = store.pageSize() - jet::dataPageHeader(store.format());
        const std::uint64_t fewest = std::max((t.liveRowBytes + room - 1) / room,
                                              (t.liveRows + jet::kMaxRowsPerPage - 1) / jet::kMaxRowsPerPage);
        out << "table " << jet::asciiName(t.name) << " id " << t.def.page << " rows " << t.liveRows << " data pages "
            << t.dataPages.size() << " (fewest " << fewest << ") deleted rows " << t.deletedRows
            << " deleted long-value rows " << t.deletedLongValueRows << (t.keyOrder.empty() ? "" : " key order")
            << " indexes " << t.indexes.size() << " (";
        for (const auto& ix : t.indexes) out << ix.leafEntries << (ix.idKeyed ? "*" : "") << " ";
        out << "entries)\n";
    }
    return 0;
}

}  // namespace

void compactFile(const std::filesystem::path& src, const std::filesystem::path& dst, const std::u16string& password) {
    FileInput source(src);
    std::random_device rd;
    std::filesystem::path tmp = dst;
    tmp += ".kvjet-" + std::to_string(rd()) + ".tmp";
    std::error_code ec;
    try {
        FileOutput out(tmp);
        jet::compactDatabase(source, password, out, jet::kCachedPages);
        out.close();
    } catch (...) {
        std::filesystem::remove(tmp, ec);
        throw;
    }
    std::filesystem::rename(tmp, dst, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        throw jet::JetError("cannot replace " + shown(dst));
    }
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.size() >= 3 && args[0] == "compact") {
            std::u16string password;
            if (args.size() == 5 && args[3] == "--password") password = widen(args[4]);
            else if (args.size() != 3) return usage(err);
            const auto src = pathOf(args[1]), dst = pathOf(args[2]);
            if (std::filesystem::exists(dst) && std::filesystem::equivalent(src, dst)) {
                err << "kvjet: source and destination are the same file\n";
                return 1;
            }
            compactFile(src, dst, password);
            return 0;
        }
        if (args.size() == 2 && args[0] == "check") {
            auto bytes = readFile(pathOf(args[1]));
            auto problems = jet::checkDatabase(bytes);
            for (const auto& p : problems) out << p << "\n";
            if (problems.empty()) out << "sound\n";
            return problems.empty() ? 0 : 1;
        }
        if (args.size() == 2 && args[0] == "info") return info(pathOf(args[1]), out);
        return usage(err);
    } catch (const std::exception& e) {
        err << "kvjet: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace kvjet
