// The vendor's addresses, in one place for every part of the program that shows or uses them.
// Reserved names that can never reach anybody.
#pragma once

// Base address of the vendor's web site (ends with "/"): the settings file is fetched below it and the
// banner placeholders link to it.
inline constexpr wchar_t kVendorBaseAddress[] = L"https://www.kovra.example/";
// The web host shown in the status bar.
inline constexpr wchar_t kVendorHost[] = L"www.kovra.example";
// The contact address shown in the status bar.
inline constexpr wchar_t kVendorContact[] = L"support@kovra.example";
