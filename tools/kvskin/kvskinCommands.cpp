#include "tools/kvskin/kvskinCommands.h"

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

#include "skin/data/kvCompressedStoredSkin.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinIni.h"
#include "skin/data/kvSkinPackage.h"
#include "skin/data/kvZlibStreams.h"

namespace kvskin {

namespace {

const char kUsage[] =
    "usage: kvskin pack SKIN.INI OUT\n"
    "       kvskin unpack FILE DIR\n"
    "       kvskin info FILE\n";

// A package file is the framed layout; a bare zlib stream (the form property) is accepted too.
void loadStored(const std::string& path, TkvCompressedStoredSkin& stored) {
    auto bytes = fw::readFile(path);
    if (bytes.size() >= 2 && bytes[0] == 0x78) {
        stored.SetCompressedData(std::move(bytes));
    } else {
        fw::MemoryStream s(std::move(bytes));
        stored.LoadFromCompressedStream(s);
    }
    if (stored.IsEmpty()) throw std::runtime_error(path + ": no skin data (empty or of a newer version)");
}

SkinPackage loadPackage(const std::string& path) {
    TkvCompressedStoredSkin stored;
    loadStored(path, stored);
    fw::MemoryStream raw;
    stored.DecompressTo(raw);
    raw.setPosition(0);
    std::optional<SkinPackage> p = ReadSkinPackage(raw);
    if (!p) throw std::runtime_error(path + ": package of a newer version");
    return *p;
}

// A picture name from the description may only name a file inside the output folder.
bool safeName(const std::string& name) {
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos) return false;
    return name != "." && name != "..";
}

}  // namespace

void pack(const std::string& descriptionPath, const std::string& outPath) {
    TkvCompressedStoredSkin stored;
    if (!stored.LoadFromSkinFile(descriptionPath))
        throw std::runtime_error(descriptionPath +
                                 ": not a skin description (needs [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] "
                                 "and [SKINCONTROLS])");
    fw::MemoryStream out;
    stored.SaveToCompressedStream(out);
    WriteFileBytes(outPath, out.data());
}

void unpack(const std::string& packagePath, const std::string& dir, std::ostream& log) {
    SkinPackage p = loadPackage(packagePath);
    IniText ini = IniText::Parse(p.text);
    std::filesystem::create_directories(dir);
    std::set<std::string> written;
    auto put = [&](const BmpImage& img, std::string name, const std::string& fallback) {
        if (img.Empty()) return;
        if (!safeName(name)) {
            if (!name.empty())
                log << "picture name \"" << name << "\" is not a plain file name; using " << fallback << "\n";
            name = fallback;
        }
        if (!written.insert(name).second) return;  // one file named twice in [PICTURES]: the same picture
        WriteFileBytes((std::filesystem::path(dir) / name).string(), img.ToBytes());
    };
    auto name = [&ini](const std::string& key) {
        auto v = ini.Value("PICTURES", key);
        return v ? std::string(*v) : std::string();
    };
    put(p.picture, name("picture"), "picture.bmp");
    put(p.inactivePicture, name("inactivepicture"), "inactivepicture.bmp");
    put(p.mask, name("mask"), "mask.bmp");
    for (std::size_t i = 0; i < p.activePictures.size(); ++i)
        put(p.activePictures[i], name(std::to_string(i)), "active" + std::to_string(i) + ".bmp");
    WriteFileBytes((std::filesystem::path(dir) / "skin.ini").string(),
                   std::span(reinterpret_cast<const std::uint8_t*>(p.text.data()), p.text.size()));
}

void info(const std::string& packagePath, std::ostream& out) {
    SkinPackage p = loadPackage(packagePath);
    out << "version " << p.version << "\n";
    auto describe = [&out](const char* what, const BmpImage& img) {
        out << what << ": ";
        if (img.Empty()) out << "empty\n";
        else out << img.width << " x " << img.AbsHeight() << ", " << img.bitCount << " bpp\n";
    };
    describe("picture", p.picture);
    describe("inactivepicture", p.inactivePicture);
    describe("mask", p.mask);
    out << "active pictures: " << p.activePictures.size() << "\n";
    for (std::size_t i = 0; i < p.activePictures.size(); ++i)
        describe(("  " + std::to_string(i)).c_str(), p.activePictures[i]);
    out << "description: " << SplitLines(p.text).size() << " lines\n";

    TkvCompressedStoredSkin stored;
    loadStored(packagePath, stored);
    TkvSkinData model(nullptr, nullptr);
    model.LoadStoredSkin(stored);
    auto byClass = [&out](const char* what, const auto& list) {
        std::map<std::string, int> counts;
        for (const auto& d : list) ++counts[d->ClassName()];
        out << what << ": " << list.size() << "\n";
        for (const auto& [cls, n] : counts) out << "  " << cls << " " << n << "\n";
    };
    byClass("objects", model.ObjectDescriptions());
    byClass("controls", model.ControlDescriptions());
}

int run(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc < 2) {
        err << kUsage;
        return 2;
    }
    std::string cmd = argv[1];
    try {
        if (cmd == "pack" && argc == 4) {
            pack(argv[2], argv[3]);
        } else if (cmd == "unpack" && argc == 4) {
            unpack(argv[2], argv[3], err);
        } else if (cmd == "info" && argc == 3) {
            info(argv[2], out);
        } else {
            err << kUsage;
            return 2;
        }
    } catch (const std::exception& e) {
        err << "kvskin: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace kvskin
