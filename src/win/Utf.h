// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The core speaks UTF-8, Windows UTF-16: the one place where text crosses.
// Invalid sequences become U+FFFD either way.
std::wstring Utf16FromUtf8(std::string_view strUtf8);
std::string Utf8FromUtf16(std::wstring_view strUtf16);
