// Stored skins: a compressed skin package held by a component of a form, and a list of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "skin/data/kvStreams.h"

class TkvCompressedStoredSkin : public fw::Component {
public:
    explicit TkvCompressedStoredSkin(fw::Component* owner = nullptr) : fw::Component(owner) {}

    std::string Description;

    const std::string& FileName() const { return fileName_; }
    const std::string& CompressedFileName() const { return compressedFileName_; }
    // While designing (and not while a form is read) these keep only the file-name part and load the file;
    // otherwise they only store the text.
    void SetFileName(const std::string& path);
    void SetCompressedFileName(const std::string& path);

    // The raw zlib stream, as the form description stores it.
    const std::vector<std::uint8_t>& CompressedData() const { return compressed_.data(); }
    void SetCompressedData(std::vector<std::uint8_t> bytes) { compressed_ = fw::MemoryStream(std::move(bytes)); }

    // Builds the package from a skin description file and the BMP files beside it. Returns false, changing
    // nothing, when the description lacks a required section. A missing picture throws StreamError with the
    // compressed data cleared.
    bool LoadFromSkinFile(const std::string& path);
    void LoadFromCompressedFile(const std::string& path);
    // Takes the framed layout from the stream, starting at its position 0.
    void LoadFromCompressedStream(fw::Stream& s);
    // Writes 3, the length of the compressed data, then the data, at the stream's position.
    void SaveToCompressedStream(fw::Stream& s) const;
    bool IsEmpty() const { return compressed_.size() == 0; }
    // Inflates the compressed data, appending the package bytes to dest.
    void DecompressTo(fw::Stream& dest) const;

    bool Designing() const { return designing_; }
    void SetDesigning(bool v) { designing_ = v; }

private:
    std::string fileName_;
    std::string compressedFileName_;
    mutable fw::MemoryStream compressed_;  // rewound by inflation, never changed by it
    bool designing_ = false;
};

class TkvCompressedSkinList;

class TkvSkinListItem {
public:
    TkvSkinListItem(TkvCompressedSkinList& list, int index);

    std::string Name;
    std::string Description;
    const std::string& DisplayName() const { return Name; }

    const std::string& FileName() const { return skin_->FileName(); }
    const std::string& CompressedFileName() const { return skin_->CompressedFileName(); }
    void SetFileName(const std::string& path);
    void SetCompressedFileName(const std::string& path);

    // The binary property `Skin`: the framed layout of the item's stored skin.
    std::vector<std::uint8_t> Skin() const;
    void SetSkin(std::vector<std::uint8_t> framed);

    TkvCompressedStoredSkin& StoredSkin() { return *skin_; }
    const TkvCompressedStoredSkin& StoredSkin() const { return *skin_; }

private:
    void syncDesignState();
    TkvCompressedSkinList& list_;
    std::unique_ptr<TkvCompressedStoredSkin> skin_;
};

class TkvSkinListItems {
public:
    explicit TkvSkinListItems(TkvCompressedSkinList& owner) : owner_(owner) {}
    TkvCompressedSkinList& Owner() const { return owner_; }
    // Appends an item named "kvSkin<index>".
    TkvSkinListItem& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TkvSkinListItem& operator[](int i) { return *items_.at(static_cast<std::size_t>(i)); }
    const TkvSkinListItem& operator[](int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    void Clear() { items_.clear(); }

private:
    TkvCompressedSkinList& owner_;
    std::vector<std::unique_ptr<TkvSkinListItem>> items_;
};

class TkvCompressedSkinList : public fw::Component {
public:
    explicit TkvCompressedSkinList(fw::Component* owner = nullptr) : fw::Component(owner), skins_(*this) {}
    TkvSkinListItems& Skins() { return skins_; }
    const TkvSkinListItems& Skins() const { return skins_; }

    bool Designing() const { return designing_; }
    void SetDesigning(bool v) { designing_ = v; }

private:
    TkvSkinListItems skins_;
    bool designing_ = false;
};
