#include "framework/Picture.h"

#include <algorithm>
#include <cctype>

#include "framework/Stream.h"
#include "framework/Utf.h"

namespace fw {

namespace {
std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// The picture loader's formats: filled by the units that provide formats when the program starts.
std::vector<PictureFormat>& formats() {
    static std::vector<PictureFormat> list;
    return list;
}
}  // namespace

void Graphic::loadFromFile(const std::filesystem::path& path) {
    FileStream f(path, FileMode::OpenRead);
    loadFromStream(f);
}

void registerPictureFormat(std::string extension, std::string description, GraphicFactory factory) {
    extension = lower(extension);
    unregisterPictureFormat(extension);
    formats().push_back({std::move(extension), std::move(description), std::move(factory)});
}

void unregisterPictureFormat(std::string_view extension) {
    std::string ext = lower(extension);
    auto& list = formats();
    list.erase(std::remove_if(list.begin(), list.end(), [&](const PictureFormat& f) { return f.extension == ext; }),
               list.end());
}

const PictureFormat* findPictureFormat(std::string_view extension) {
    std::string ext = lower(extension);
    for (const PictureFormat& f : formats())
        if (f.extension == ext) return &f;
    return nullptr;
}

std::vector<PictureFormat> pictureFormats() { return formats(); }

void Picture::setGraphic(std::unique_ptr<Graphic> g) {
    graphic_ = std::move(g);
    if (graphic_) graphic_->onChange = [this] { changed(); };
    changed();
}

void Picture::loadFromFile(const std::filesystem::path& path) {
    std::string ext = pathToUtf8(path.extension());
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    const PictureFormat* format = findPictureFormat(ext);
    if (!format) throw PictureError("Unknown picture file extension (." + ext + ")");
    std::unique_ptr<Graphic> g = format->factory();
    g->loadFromFile(path);
    setGraphic(std::move(g));
}

}  // namespace fw
