// The packed skin linked into a Windows program as a resource, read back and loaded as the main form loads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/data/kvCompressedStoredSkin.h"
#include "skin/data/kvSkinData.h"

namespace {

std::vector<std::uint8_t> resourceBytes(const wchar_t* name) {
    HRSRC info = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return {};
    HGLOBAL handle = LoadResource(nullptr, info);  // module resources need no freeing
    const auto* p = static_cast<const std::uint8_t*>(LockResource(handle));
    return p ? std::vector<std::uint8_t>(p, p + SizeofResource(nullptr, info)) : std::vector<std::uint8_t>{};
}

TEST(EmbeddedSkin, TheResourceLoadsIntoAFullSkinModel) {
    const std::vector<std::uint8_t> bytes = resourceBytes(L"KVSKIN");
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0x78);
    EXPECT_EQ(bytes[1], 0xDA);

    TkvCompressedStoredSkin stored;
    stored.SetCompressedData(bytes);
    TkvSkinData model(nullptr, nullptr);
    model.SetCompressedStoredSkin(&stored);
    ASSERT_FALSE(model.Empty());
    EXPECT_EQ(model.FramePicture.width(), 285);
    EXPECT_EQ(model.FramePicture.height(), 210);
    EXPECT_EQ(model.ActivePictures.size(), 8u);
    EXPECT_EQ(model.ObjectDescriptions().size(), 13u);
    EXPECT_EQ(model.ControlDescriptions().size(), 64u);
    EXPECT_NE(model.ControlAs<TkvDataSkinButtonControl>(model.GetControlIndex("button")), nullptr);
    EXPECT_EQ(resourceBytes(L"NOSUCHSKIN").size(), 0u);
}

}  // namespace
