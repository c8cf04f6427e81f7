// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Where a command's words go: a standard stream of the process, or a string
// the caller hands on (the Windows program, a test). Plain text, UTF-8; the
// streams of the C++ library are not used, as they would bring their locales
// into every program.
class ITextSink {
public:
    virtual ~ITextSink() = default;
    virtual void Write(std::string_view text) = 0;
};

inline ITextSink& operator<<(ITextSink& sink, std::string_view text) {
    sink.Write(text);
    return sink;
}
inline ITextSink& operator<<(ITextSink& sink, char c) {
    sink.Write(std::string_view(&c, 1));
    return sink;
}

// Keeps what is written.
class StringSink final : public ITextSink {
public:
    void Write(std::string_view text) override { m_strText.append(text); }
    const std::string& str() const { return m_strText; }

private:
    std::string m_strText;
};

// Writes through to a file descriptor (1 standard output, 2 standard error),
// unbuffered; a failed write is dropped, as a closed stream's would be.
class FileDescriptorSink final : public ITextSink {
public:
    explicit FileDescriptorSink(int fd) : m_fd(fd) {}
    void Write(std::string_view text) override;

private:
    int m_fd;
};

// The process's standard error, for the rare message that has no window.
ITextSink& StandardError();
