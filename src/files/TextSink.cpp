// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/TextSink.h"

#include "files/FileIo.h"

#ifdef _WIN32
#include <windows.h>
#endif

void FileDescriptorSink::Write(std::string_view text) {
    WriteAll(m_fd, text);
}

#ifdef _WIN32

namespace {

// A windowed program usually has no standard error at all: its handle is
// asked for at each write and the text dropped when there is none.
class StandardErrorHandleSink final : public ITextSink {
public:
    void Write(std::string_view text) override {
        const HANDLE hError = ::GetStdHandle(STD_ERROR_HANDLE);
        if (!hError || hError == INVALID_HANDLE_VALUE) return;
        DWORD nWritten = 0;
        ::WriteFile(hError, text.data(), static_cast<DWORD>(text.size()), &nWritten, nullptr);
    }
};

}  // namespace

ITextSink& StandardError() {
    static StandardErrorHandleSink sink;
    return sink;
}

#else

ITextSink& StandardError() {
    static FileDescriptorSink sink(2);
    return sink;
}

#endif
