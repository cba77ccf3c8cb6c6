#include "skin/data/kvSkinDataClasses.h"

#include "framework/DescriptionReader.h"
#include "skin/data/kvSkinData.h"

namespace {
// A reference property: the target must be of class T (or none when the description names another class).
template <class T>
std::function<void(TkvSkinData&, const fw::Value&, fw::DescriptionReader&)> referenceTo(void (TkvSkinData::*set)(T*),
                                                                                        const char* className) {
    return [set, className](TkvSkinData& model, const fw::Value& v, fw::DescriptionReader& reader) {
        int line = v.line;
        std::string name = v.text;
        reader.reference(v, [&model, set, line, name, className](fw::Component* target) {
            T* typed = dynamic_cast<T*>(target);
            if (!typed) throw fw::DescriptionError(line, "'" + name + "' is not a " + className);
            (model.*set)(typed);
        });
    };
}
}  // namespace

void RegisterSkinDataClasses(fw::ClassRegistry& classes) {
    classes.add<TkvCompressedStoredSkin>("TkvCompressedStoredSkin")
        .property<TkvCompressedStoredSkin>("Description", [](TkvCompressedStoredSkin& s, const fw::Value& v,
                                                             fw::DescriptionReader&) { s.Description = v.toUtf8(); })
        .property<TkvCompressedStoredSkin>("FileName", [](TkvCompressedStoredSkin& s, const fw::Value& v,
                                                          fw::DescriptionReader&) { s.SetFileName(v.toUtf8()); })
        .property<TkvCompressedStoredSkin>("CompressedFileName",
                                           [](TkvCompressedStoredSkin& s, const fw::Value& v, fw::DescriptionReader&) {
                                               s.SetCompressedFileName(v.toUtf8());
                                           })
        .property<TkvCompressedStoredSkin>("CompressedData",
                                           [](TkvCompressedStoredSkin& s, const fw::Value& v,
                                              fw::DescriptionReader& r) { s.SetCompressedData(r.binary(v)); });

    classes.add<TkvResourceStrData>("TkvResourceStrData")
        .property<TkvResourceStrData>("CharSet", [](TkvResourceStrData& s, const fw::Value& v,
                                                    fw::DescriptionReader&) { s.CharSet = v.toInt(); })
        .property<TkvResourceStrData>("ResStrings",
                                      [](TkvResourceStrData& s, const fw::Value& v, fw::DescriptionReader&) {
                                          // One "NAME=text" line per element, as the resource strings keep them.
                                          std::vector<std::string> lines;
                                          for (const fw::Value& line : v.list()) lines.push_back(line.toUtf8());
                                          s.SetResStrings(lines);
                                      });

    classes.add<TkvCompressedSkinList>("TkvCompressedSkinList")
        .property<TkvCompressedSkinList>("Skins", [](TkvCompressedSkinList& list, const fw::Value& v,
                                                     fw::DescriptionReader& r) {
            for (const fw::Value& element : v.list()) {
                TkvSkinListItem& item = list.Skins().Add();
                for (const fw::PropertyNode& field : element.item()) {
                    const fw::Value& value = field.value;
                    if (field.name == "Name") item.Name = value.toUtf8();
                    else if (field.name == "Description") item.Description = value.toUtf8();
                    else if (field.name == "FileName") item.SetFileName(value.toUtf8());
                    else if (field.name == "CompressedFileName") item.SetCompressedFileName(value.toUtf8());
                    else if (field.name == "Skin") item.SetSkin(r.binary(value));
                    else throw fw::DescriptionError(field.line, "a skin item has no property '" + field.name + "'");
                }
            }
        });

    classes.add<TkvSkinData>("TkvSkinData")
        .property<TkvSkinData>("SkinnableForm", [](TkvSkinData& m, const fw::Value& v,
                                                   fw::DescriptionReader&) { m.SetSkinnableForm(v.toBool()); })
        .property<TkvSkinData>("EnableSkinEffects", [](TkvSkinData& m, const fw::Value& v,
                                                       fw::DescriptionReader&) { m.EnableSkinEffects = v.toBool(); })
        .property<TkvSkinData>("ShowButtonGlowFrames",
                               [](TkvSkinData& m, const fw::Value& v, fw::DescriptionReader&) {
                                   m.ShowButtonGlowFrames = v.toBool();
                               })
        .property<TkvSkinData>("ShowCaptionButtonGlowFrames",
                               [](TkvSkinData& m, const fw::Value& v, fw::DescriptionReader&) {
                                   m.ShowCaptionButtonGlowFrames = v.toBool();
                               })
        .property<TkvSkinData>("SkinIndex", [](TkvSkinData& m, const fw::Value& v,
                                               fw::DescriptionReader&) { m.SetSkinIndex(v.toInt()); })
        .property<TkvSkinData>("CompressedStoredSkin",
                               referenceTo(&TkvSkinData::SetCompressedStoredSkin, "TkvCompressedStoredSkin"))
        .property<TkvSkinData>("ResourceStrData", referenceTo(&TkvSkinData::SetResourceStrData, "TkvResourceStrData"))
        .property<TkvSkinData>("SkinList", referenceTo(&TkvSkinData::SetSkinList, "TkvCompressedSkinList"));
}
