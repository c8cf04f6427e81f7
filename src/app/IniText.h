// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>

// The profile file as text: "[SECTION]" headers and "KEY=value" lines, read
// into "SECTION/KEY" -> value, and edited one key at a time. Values stay text;
// nothing in a value is ever decoded into an object, so no content of the
// file can make reading it costly. Keys before any header, or under
// "[General]", have no "SECTION/" in front.
using IniValues = std::map<std::string, std::string>;

// Never fails: a line it cannot read is skipped. A BOM, CR LF or lone CR
// line ends, blanks around keys and values, ';' and '#' comment lines, a
// ';' comment after an unquoted value and a double-quoted value (with
// backslash escapes for a quote, a backslash, n, r, t and 0) are read the
// way hand-edited INI files expect. A header without its ']' still names
// its section; one that could not be written back ("[a=b", "[;x]") is
// skipped with its keys. The last of a repeated key counts.
IniValues ParseIniText(std::string_view text);

// The text with one key set, edited in place so the file keeps its shape:
// comments, blank lines, the order of sections and keys, other values and
// their quoting, the line-ending style and a BOM stay as they were. The
// occurrence of the key that ParseIniText reads (the last) gets the new
// value, keeping its quotes and any comment after it; a missing key is added
// after the last key of its section (the section's last header when it is
// repeated); a missing section is added at the end, after a blank line. New
// lines end the way the file's first line does (LF in a file without one).
// A value that would not read back as it is (blanks at its ends, a quote, a
// ';', a backslash, a control character) is written quoted.
// An empty strSection is the top level, written "[General]" when added.
std::string SetIniValue(std::string_view text, std::string_view strSection, std::string_view strKey,
                        std::string_view value);
