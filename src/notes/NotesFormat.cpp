// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/NotesFormat.h"

#include <algorithm>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTerminator = ".";
// A body line "." on disk: one more dot and a lone LF, which no unescaped line has.
constexpr std::string_view kEscapedDotLine = "..\n";

enum class LineEnd { kCrLf, kLf, kNone };

// Splits the file into lines: CR LF and a lone LF end a line, a lone CR stays
// in it, and a last line without a line end still counts.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool Next(std::string_view& line, LineEnd& end) {
        if (m_nPos >= m_bytes.size()) return false;
        const std::size_t nLf = m_bytes.find('\n', m_nPos);
        if (nLf == std::string_view::npos) {
            line = m_bytes.substr(m_nPos);
            end = LineEnd::kNone;
            m_nPos = m_bytes.size();
            return true;
        }
        line = m_bytes.substr(m_nPos, nLf - m_nPos);
        end = LineEnd::kLf;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            end = LineEnd::kCrLf;
        }
        m_nPos = nLf + 1;
        return true;
    }

    std::size_t Pos() const { return m_nPos; }

private:
    std::string_view m_bytes;
    std::size_t m_nPos = 0;
};

void AppendSubject(std::string& out, std::string_view subject) {
    // A subject is one line; an LF in it would split the record.
    for (char ch : subject) out += ch == '\n' ? ' ' : ch;
    out += kLineEnd;
}

void AppendBody(std::string& out, std::string_view body) {
    std::size_t nStart = 0;
    for (;;) {
        const std::size_t nLf = body.find('\n', nStart);
        const std::string_view piece =
            body.substr(nStart, nLf == std::string_view::npos ? body.npos : nLf - nStart);
        if (piece == kTerminator) {
            out += kEscapedDotLine;
        } else {
            out += piece;
            out += kLineEnd;
        }
        if (nLf == std::string_view::npos) return;
        nStart = nLf + 1;
    }
}

std::string_view UnescapeBodyLine(std::string_view line, LineEnd end) {
    if (end == LineEnd::kLf && line == "..") return kTerminator;
    return line;
}

}  // namespace

std::string FormatNotes(const NotesStore& store) {
    std::size_t nSize = store.m_strOverflow.size() + 2 + store.m_strIncomplete.size();
    for (int i = 0; i <= store.m_nLastNote; ++i) {
        nSize += store.m_strSubject[i].size() + store.m_strBody[i].size() + 7;
    }
    std::string out;
    out.reserve(nSize);
    for (int i = 0; i <= store.m_nLastNote; ++i) {
        AppendSubject(out, store.m_strSubject[i]);
        AppendBody(out, store.m_strBody[i]);
        out += kTerminator;
        out += kLineEnd;
    }
    out += store.m_strOverflow;
    if (!store.m_strOverflow.empty() && store.m_strOverflow.back() != '\n') out += kLineEnd;
    out += store.m_strIncomplete;
    return out;
}

void ParseNotes(std::string_view bytes, NotesStore& store) {
    LineReader reader(bytes);
    int nRecord = 0;  // index of the record being read
    bool bExpectSubject = true;
    std::size_t nRecordStart = 0;
    // The body being read grows here, whose room stays from note to note; a
    // note's own body is then made once, of its size (a body grown in place
    // would reallocate several times and keep up to twice its size).
    std::string body;
    bool bFirstBodyLine = true;
    std::size_t nOverflowStart = std::string_view::npos;
    std::size_t nOverflowEnd = 0;
    int nOverflowNotes = 0;

    std::size_t nLineStart = 0;
    std::string_view line;
    LineEnd end{};
    for (; reader.Next(line, end); nLineStart = reader.Pos()) {
        const bool bInTables = nRecord < kMaxNotes;
        if (bExpectSubject) {
            nRecordStart = nLineStart;
            if (bInTables) store.m_strSubject[nRecord].assign(line);
            body.clear();
            bExpectSubject = false;
            bFirstBodyLine = true;
        } else if (line != kTerminator) {
            if (bInTables) {
                if (!bFirstBodyLine) body += '\n';
                body += UnescapeBodyLine(line, end);
            }
            bFirstBodyLine = false;
        } else {
            if (bInTables) {
                store.m_strBody[nRecord].assign(body);
            } else {
                if (nOverflowStart == std::string_view::npos) nOverflowStart = nRecordStart;
                nOverflowEnd = reader.Pos();
                ++nOverflowNotes;
            }
            ++nRecord;
            bExpectSubject = true;
        }
    }

    store.m_nLastNote = std::min(nRecord, kMaxNotes) - 1;
    store.m_nOverflowNotes = nOverflowNotes;
    store.m_strOverflow.clear();
    if (nOverflowNotes > 0) {
        store.m_strOverflow.assign(bytes.substr(nOverflowStart, nOverflowEnd - nOverflowStart));
        // The file may end on the last "." without a line end. A save writes
        // one there, so the store holds it from the start: saving and loading
        // again gives back the same store.
        if (store.m_strOverflow.back() != '\n') store.m_strOverflow += kLineEnd;
    }
    // The bytes after the last "." line: a record the file ends in the middle
    // of. Blank lines there hold nothing to keep.
    store.m_strIncomplete.clear();
    if (!bExpectSubject) {
        if (nRecord < kMaxNotes) store.m_strBody[nRecord].assign(body);
        const std::string_view tail = bytes.substr(nRecordStart);
        if (tail.find_first_not_of("\r\n") != std::string_view::npos)
            store.m_strIncomplete.assign(tail);
    }
}
