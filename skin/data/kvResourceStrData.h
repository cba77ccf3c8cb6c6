// Replaceable interface texts of the skinned windows, by key.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"

inline constexpr int kDefaultCharSet = 1;

class TkvResourceStrData : public fw::Component {
public:
    explicit TkvResourceStrData(fw::Component* owner = nullptr);

    const std::vector<std::string>& ResStrings() const { return resStrings_; }
    void SetResStrings(const std::vector<std::string>& lines) { resStrings_ = lines; }
    int CharSet = kDefaultCharSet;

    // The text after the first '=' of the first line whose name equals the key, letter case ignored; empty when
    // no line names it.
    std::string GetResourceStr(std::string_view key) const;
    // Appends the built-in lines, in their fixed order.
    void LoadDefaultStrings();

private:
    std::vector<std::string> resStrings_;
};

// The built-in lines, "KEY=text", in their fixed order.
const std::vector<std::string>& DefaultResourceStrings();
// The built-in text of a key (what a consumer shows when no resource strings are attached); empty when unknown.
std::string DefaultResourceStr(std::string_view key);
