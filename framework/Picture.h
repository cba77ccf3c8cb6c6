// Pictures: a Graphic is one loaded image of some format; Picture holds one and picks the format by the file's
// extension from the registered picture formats. Portable: drawing needs a Canvas (Windows), which is only
// named here.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"

namespace fw {

class Canvas;
class Stream;

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Graphic {
public:
    virtual ~Graphic() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    bool empty() const { return width() <= 0 || height() <= 0; }
    // Draws the graphic stretched into dst.
    virtual void draw(Canvas& canvas, const Rect& dst) = 0;
    // Replaces the contents with an image read from the stream's current position.
    virtual void loadFromStream(Stream& s) = 0;
    void loadFromFile(const std::filesystem::path& path);

    // Called when the image changed and should be drawn again (after loading; every frame of an animation).
    std::function<void()> onChange;

protected:
    void changed() {
        if (onChange) onChange();
    }
};

using GraphicFactory = std::function<std::unique_ptr<Graphic>()>;

struct PictureFormat {
    std::string extension;    // lower case, without the dot: "gif"
    std::string description;  // "GIF Image"
    GraphicFactory factory;
};

// Registers (or replaces) the format for an extension; the extension is matched without regard to case.
void registerPictureFormat(std::string extension, std::string description, GraphicFactory factory);
void unregisterPictureFormat(std::string_view extension);
const PictureFormat* findPictureFormat(std::string_view extension);
std::vector<PictureFormat> pictureFormats();

class Picture {
public:
    Graphic* graphic() const { return graphic_.get(); }
    void setGraphic(std::unique_ptr<Graphic> g);
    void clear() { setGraphic(nullptr); }
    // Loads a file with the format registered for its extension; an unknown extension raises PictureError
    // "Unknown picture file extension (.ext)".
    void loadFromFile(const std::filesystem::path& path);

    int width() const { return graphic_ ? graphic_->width() : 0; }
    int height() const { return graphic_ ? graphic_->height() : 0; }
    bool empty() const { return !graphic_ || graphic_->empty(); }
    void draw(Canvas& canvas, const Rect& dst) {
        if (graphic_) graphic_->draw(canvas, dst);
    }

    // The picture or its graphic changed.
    std::function<void()> onChange;

private:
    void changed() {
        if (onChange) onChange();
    }
    std::unique_ptr<Graphic> graphic_;
};

}  // namespace fw
