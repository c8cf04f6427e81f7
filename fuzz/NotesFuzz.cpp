// SPDX-License-Identifier: GPL-3.0-or-later
// notes.dat as it comes: any bytes through the reader, and a save of what was
// read must read back as exactly the same notes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "notes/NotesFormat.h"
#include "notes/NotesStore.h"

namespace {

void CheckSameNotes(const NotesStore& a, const NotesStore& b) {
    FUZZ_CHECK(a.m_nLastNote == b.m_nLastNote);
    for (int i = 0; i <= a.m_nLastNote; ++i) {
        FUZZ_CHECK(a.m_strSubject[i] == b.m_strSubject[i]);
        FUZZ_CHECK(a.m_strBody[i] == b.m_strBody[i]);
    }
    FUZZ_CHECK(a.m_nOverflowNotes == b.m_nOverflowNotes);
    FUZZ_CHECK(a.m_strOverflow == b.m_strOverflow);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    // Two stores of 4,000 strings each: made once, reused by every input.
    static const auto loaded = std::make_unique<NotesStore>();
    static const auto reloaded = std::make_unique<NotesStore>();
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);

    ParseNotes(bytes, *loaded);
    FUZZ_CHECK(loaded->m_nLastNote >= -1 && loaded->m_nLastNote < kMaxNotes);
    FUZZ_CHECK(loaded->m_nOverflowNotes == 0 || loaded->m_nLastNote == kMaxNotes - 1);
    FUZZ_CHECK(loaded->m_strOverflow.size() <= bytes.size());
    for (int i = 0; i <= loaded->m_nLastNote; ++i)
        FUZZ_CHECK(loaded->m_strSubject[i].find('\n') == std::string::npos);

    const std::string saved = FormatNotes(*loaded);
    ParseNotes(saved, *reloaded);
    CheckSameNotes(*loaded, *reloaded);
    // A second save writes the very same bytes.
    FUZZ_CHECK(FormatNotes(*reloaded) == saved);
    return 0;
}
