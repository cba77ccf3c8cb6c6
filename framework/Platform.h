// The owner of platform handles (UniqueHandle) with its kinds for kernel handles, registry keys, COM interface
// pointers and OLE strings; VARIANTs; and the UTF-16 spellings between portable and platform text. Header-only and
// free of the window part of the framework, so that any Windows binary can use them (the engine's COM server
// kvjro.dll included) without linking fw_win. The window and GDI kinds are in Handles.h. Each owner is move-only
// and releases its handle with the one right call.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace fw {

// The owner of one platform handle. Traits name the handle type and say what "none" is and how the handle is
// released; optional hooks adopted(h) / disowned(h) let a kind count its live handles. Move-only.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) { adopt(); }
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::none())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::none());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return h_; }
    bool valid() const { return Traits::valid(h_); }
    explicit operator bool() const { return valid(); }
    // Releases the current handle and takes over h.
    void reset(Handle h = Traits::none()) {
        if (valid()) {
            Traits::close(h_);
            disown();
        }
        h_ = h;
        adopt();
    }
    // Gives the handle away (to the platform, or because the platform already destroyed it).
    Handle release() {
        disown();
        return std::exchange(h_, Traits::none());
    }
    // For out-parameters of opening and creation calls: releases the current handle first. Not for counted kinds.
    Handle* put() {
        reset();
        return &h_;
    }

private:
    void adopt() {
        if constexpr (requires(Handle h) { Traits::adopted(h); })
            if (valid()) Traits::adopted(h_);
    }
    void disown() {
        if constexpr (requires(Handle h) { Traits::disowned(h); })
            if (valid()) Traits::disowned(h_);
    }

    Handle h_ = Traits::none();
};

// The traits of the kinds whose "none" is null and that are released by one call, Close(h).
template <class H, auto Close>
struct NullableHandleTraits {
    using Handle = H;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { Close(h); }
};

// A kernel object handle (file, thread, event) closed with CloseHandle. The platform spells "no handle" two
// ways, null (CreateThread, CreateEvent) and INVALID_HANDLE_VALUE (CreateFile): both count as none.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A registry key closed with RegCloseKey.
using RegKey = UniqueHandle<NullableHandleTraits<HKEY, &RegCloseKey>>;

// A COM interface pointer released with Release.
template <class T>
void releaseInterface(T* p) {
    p->Release();
}
template <class T>
class ComPtr : public UniqueHandle<NullableHandleTraits<T*, &releaseInterface<T>>> {
public:
    using UniqueHandle<NullableHandleTraits<T*, &releaseInterface<T>>>::UniqueHandle;
    T* operator->() const { return this->get(); }
    void** putVoid() { return reinterpret_cast<void**>(this->put()); }
};

// An OLE string freed with SysFreeString.
class Bstr : public UniqueHandle<NullableHandleTraits<BSTR, &SysFreeString>> {
public:
    using UniqueHandle::UniqueHandle;
    explicit Bstr(std::wstring_view s) : UniqueHandle(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    std::wstring str() const { return valid() ? std::wstring(get(), SysStringLen(get())) : std::wstring(); }
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

// UTF-16 text between the portable spelling (char16_t) and the platform's (wchar_t, 16 bits on Windows).
inline std::wstring toWide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string toU16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

}  // namespace fw
