// Registers the skinned controls (TkvSkinPanel, TkvSkinLabel, TkvSkinButton) for form descriptions.
#pragma once

namespace fw {
class ClassRegistry;
}

void RegisterSkinControlClasses(fw::ClassRegistry& classes);
