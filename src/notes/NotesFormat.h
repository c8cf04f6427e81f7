// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "notes/NotesStore.h"

// notes.dat, record by record: the subject line, the body with each LF
// written as CR LF, then a line holding only "."; every line ends in CR LF.
//
// A body line that is exactly "." would read back as the end of its record, so
// it is written as ".." ended by a lone LF. No other line of the file ever ends
// in a lone LF, so every file without that escape reads as it always has, a
// ".." line ended by CR LF included.

// The whole file for the notes 0 to m_nLastNote, then the overflow records,
// then the incomplete last record.
std::string FormatNotes(const NotesStore& store);

// Replaces the notes in the store by those of the file's bytes. A trailing
// record without its "." line is not counted but kept in m_strIncomplete
// (unless it is only blank lines); records past the capacity go to
// m_strOverflow unchanged, with a line end after the last "." when the file
// ends without one.
void ParseNotes(std::string_view bytes, NotesStore& store);
