// Small owning wrappers for the platform handles the engine server and its callers use: kernel handles,
// registry keys, COM interface pointers, OLE strings and variants. Each is move-only and releases its
// handle with the one right call.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace kvcom {

// A kernel handle closed with CloseHandle (files: INVALID_HANDLE_VALUE means none).
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    void reset() {
        if (valid()) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// A registry key closed with RegCloseKey.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() { reset(); }
    RegKey(RegKey&& o) noexcept : k_(std::exchange(o.k_, nullptr)) {}
    RegKey& operator=(RegKey&& o) noexcept {
        if (this != &o) {
            reset();
            k_ = std::exchange(o.k_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY get() const { return k_; }
    HKEY* put() {
        reset();
        return &k_;
    }
    void reset() {
        if (k_ != nullptr) RegCloseKey(k_);
        k_ = nullptr;
    }

private:
    HKEY k_ = nullptr;
};

// A COM interface pointer released with Release.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// An OLE string freed with SysFreeString.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view s) : s_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    ~Bstr() { reset(); }
    Bstr(Bstr&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
    Bstr& operator=(Bstr&& o) noexcept {
        if (this != &o) {
            reset();
            s_ = std::exchange(o.s_, nullptr);
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return s_; }
    BSTR release() { return std::exchange(s_, nullptr); }
    void reset() {
        if (s_ != nullptr) SysFreeString(s_);
        s_ = nullptr;
    }
    std::wstring str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

// A VARIANT cleared with VariantClear.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* get() { return &v_; }
    const VARIANT& ref() const { return v_; }

private:
    VARIANT v_;
};

// UTF-16 text between the portable (char16_t) and the platform (wchar_t, 16-bit here) spellings.
inline std::wstring toWide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string toU16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

}  // namespace kvcom
