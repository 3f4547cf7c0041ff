// One-line owning wrappers: each Windows handle has exactly one owner.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace textmd5 {

template <typename Handle, auto Release>
struct HandleReleaser {
    void operator()(Handle handle) const { Release(handle); }
};
template <typename Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleReleaser<Handle, Release>>;

using UniqueHwnd = UniqueHandle<HWND, &DestroyWindow>;
using UniqueBrush = UniqueHandle<HBRUSH, &DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;

// A registered window class, unregistered by its owner.
class WindowClass {
public:
    WindowClass() = default;
    WindowClass(HINSTANCE instance, const WNDCLASSEXA& wc) : instance_(instance), atom_(RegisterClassExA(&wc)) {}
    WindowClass(WindowClass&& other) noexcept { *this = std::move(other); }
    WindowClass& operator=(WindowClass&& other) noexcept {
        std::swap(instance_, other.instance_);
        std::swap(atom_, other.atom_);
        return *this;
    }
    ~WindowClass() {
        if (atom_) UnregisterClassA(MAKEINTATOM(atom_), instance_);
    }
    LPCSTR Name() const { return MAKEINTATOM(atom_); }

private:
    HINSTANCE instance_ = nullptr;
    ATOM atom_ = 0;
};

}  // namespace textmd5
