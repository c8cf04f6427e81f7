// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/Win32.h"

#include <utility>

// Owns one Windows handle and frees it with Free when it goes out of scope.
template <typename Handle, auto Free, Handle kNone = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, kNone)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(std::exchange(other.m_handle, kNone));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != kNone; }
    void Reset(Handle handle = kNone) {
        if (m_handle != kNone) Free(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = kNone;
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
inline void FreeBrush(HBRUSH hBrush) {
    DeleteObject(hBrush);
}
using UniqueBrush = UniqueHandle<HBRUSH, &FreeBrush>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
