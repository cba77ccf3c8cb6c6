// Registration of the skin-data components with a form-description class registry.
#pragma once

#include "framework/ClassRegistry.h"

// Registers "TkvCompressedStoredSkin" (Description, FileName, CompressedFileName, CompressedData),
// "TkvResourceStrData" (CharSet), "TkvCompressedSkinList" and "TkvSkinData" (SkinnableForm, EnableSkinEffects,
// ShowButtonGlowFrames, ShowCaptionButtonGlowFrames, CompressedStoredSkin, ResourceStrData, SkinList, SkinIndex).
// The model's references are set when the reader resolves them, after every component of the form exists; setting
// CompressedStoredSkin then loads the skin.
void registerSkinDataClasses(fw::ClassRegistry& classes);
