#include "skin/data/kvCompressedStoredSkin.h"

#include "skin/data/kvSkinIni.h"
#include "skin/data/kvSkinPackage.h"
#include "skin/data/kvZlibStreams.h"

namespace {
std::string fileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

void TkvCompressedStoredSkin::SetFileName(const std::string& path) {
    if (designing_ && !loading()) {
        fileName_ = fileNamePart(path);
        LoadFromSkinFile(path);
    } else {
        fileName_ = path;
    }
}

void TkvCompressedStoredSkin::SetCompressedFileName(const std::string& path) {
    if (designing_ && !loading()) {
        compressedFileName_ = fileNamePart(path);
        LoadFromCompressedFile(path);
    } else {
        compressedFileName_ = path;
    }
}

bool TkvCompressedStoredSkin::LoadFromSkinFile(const std::string& path) {
    auto bytes = fw::readFile(path);
    IniText ini = IniText::parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.hasSection(section)) return false;
    compressed_.clear();
    std::optional<SkinPackage> package = buildSkinPackage(path);
    if (!package) return false;
    fw::MemoryStream raw(package->toBytes());
    fw::MemoryStream packed;
    CompressStream(raw, packed);
    packed.setPosition(0);
    compressed_ = std::move(packed);
    return true;
}

void TkvCompressedStoredSkin::LoadFromCompressedFile(const std::string& path) {
    fw::MemoryStream s(fw::readFile(path));
    LoadFromCompressedStream(s);
}

void TkvCompressedStoredSkin::LoadFromCompressedStream(fw::Stream& s) {
    compressed_.clear();
    compressed_ = fw::MemoryStream(unframeCompressedSkin(s));
}

void TkvCompressedStoredSkin::SaveToCompressedStream(fw::Stream& s) const {
    writeInt32(s, kSkinPackageVersion);
    writeInt32(s, static_cast<std::int32_t>(compressed_.size()));
    writeBytes(s, compressed_.data());
}

void TkvCompressedStoredSkin::DecompressTo(fw::Stream& dest) const {
    if (IsEmpty()) return;
    DecompressStream(dest, compressed_);
}

TkvSkinListItem::TkvSkinListItem(TkvCompressedSkinList& list, int index)
    : Name("kvSkin" + std::to_string(index)), list_(list), skin_(std::make_unique<TkvCompressedStoredSkin>()) {}

void TkvSkinListItem::syncDesignState() {
    skin_->SetDesigning(list_.Designing());
    skin_->setLoading(list_.loading());
}

void TkvSkinListItem::SetFileName(const std::string& path) {
    syncDesignState();
    skin_->SetFileName(path);
}

void TkvSkinListItem::SetCompressedFileName(const std::string& path) {
    syncDesignState();
    skin_->SetCompressedFileName(path);
}

std::vector<std::uint8_t> TkvSkinListItem::Skin() const {
    fw::MemoryStream s;
    skin_->SaveToCompressedStream(s);
    return s.release();
}

void TkvSkinListItem::SetSkin(std::vector<std::uint8_t> framed) {
    fw::MemoryStream s(std::move(framed));
    skin_->LoadFromCompressedStream(s);
}

TkvSkinListItem& TkvSkinListItems::Add() {
    items_.push_back(std::make_unique<TkvSkinListItem>(owner_, Count()));
    return *items_.back();
}
