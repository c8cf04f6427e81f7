// SPDX-License-Identifier: GPL-3.0-or-later
// The profile as it comes: any text as a stored value through
// ParseProfileInt, any bytes as INI text with one key set in it, and as the
// INI file read through the program's profile adapter, then written over by
// Setup and read back.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "app/IniFileProfile.h"
#include "app/IniText.h"
#include "app/ProfileSettings.h"

namespace {

// What a profile integer is, written out the long way: blanks around an
// optional sign and at least one decimal digit, within 32 bits.
std::optional<int> ReferenceInt(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool bNegative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        bNegative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t nValue = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        nValue = nValue * 10 + (c - '0');
        if (nValue > std::int64_t{1} << 32) return std::nullopt;
    }
    if (bNegative) nValue = -nValue;
    if (nValue < std::numeric_limits<int>::min() || nValue > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(nValue);
}

// What setting i wrote as nValue reads back as: a flag as 0 or 1.
int ReadBackOf(std::size_t i, int nValue) {
    return kProfileSettings[i].pFlag ? (nValue != 0 ? 1 : 0) : nValue;
}

void CheckReadsBack(const std::string& strIni, std::size_t nSalt) {
    IniFileProfile profile(strIni);
    const Settings settings = ReadProfileSettings(profile);
    for (std::size_t i = 0; i < kProfileSettings.size(); ++i)
        FUZZ_CHECK(kProfileSettings[i].Get(settings) ==
                   ReadBackOf(i, static_cast<int>(i * 1000003 + nSalt)));
}

void CheckIniFile(std::string_view bytes) {
    static const FuzzDir dir;
    const std::string strPath = dir.Path("Brisaloo.ini");
    WriteFuzzFile(strPath, bytes);
    IniFileProfile profile(strPath);
    Settings settings = ReadProfileSettings(profile);
    // Setup writes its seven values over whatever the file held, and they
    // are what the next start reads.
    for (std::size_t i = 0; i < kProfileSettings.size(); ++i)
        kProfileSettings[i].Set(settings, static_cast<int>(i * 1000003 + bytes.size()));
    FUZZ_CHECK(WriteProfileSettings(profile, settings));
    CheckReadsBack(strPath, bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    FUZZ_CHECK(ParseProfileInt(bytes) == ReferenceInt(bytes));
    // Whatever the file held, setting a key changes that value alone, and
    // setting it again to the same value changes nothing.
    IniValues values = ParseIniText(bytes);
    const std::string strEdited = SetIniValue(bytes, "SETTINGS", "TRIVTIME", " 4;5\"");
    values["SETTINGS/TRIVTIME"] = " 4;5\"";
    FUZZ_CHECK(ParseIniText(strEdited) == values);
    FUZZ_CHECK(SetIniValue(strEdited, "SETTINGS", "TRIVTIME", " 4;5\"") == strEdited);
    CheckIniFile(bytes);
    return 0;
}
