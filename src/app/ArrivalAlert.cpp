// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ArrivalAlert.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "app/DataLocation.h"
#include "app/IniText.h"
#include "app/Profile.h"
#include "app/ProfileSettings.h"
#include "countdown/CountdownTexts.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

ArrivalAlert::ArrivalAlert(std::string strStatePath, IProfile& profile, ITextSink& err)
    : m_strStatePath(std::move(strStatePath)), m_err(err) {
    const std::optional<int> nStored = ReadState(m_strStatePath);
    m_nArmed = nStored ? *nStored : profile.GetProfileInt(kSection, kKey, kNothingArmed);
}

std::optional<int> ArrivalAlert::ReadState(const std::string& strStatePath) {
    std::string strText;
    if (strStatePath.empty() || ReadRegularFile(strStatePath, strText)) return std::nullopt;
    const IniValues values = ParseIniText(strText);
    const auto found = values.find(kKey);
    if (found == values.end()) return std::nullopt;
    return ParseProfileInt(found->second);
}

int ArrivalAlert::ArrivalKey(const ArrivalFields& arrival) {
    // Months beyond 1-12 carry into the year; days, hours and minutes carry
    // through the plain arithmetic below.
    const std::int64_t nMonths = std::int64_t{arrival.nMonth} - 1;
    const std::int64_t nYear = arrival.nYear + FloorDiv(nMonths, 12);
    const std::int64_t nMonth = nMonths - FloorDiv(nMonths, 12) * 12 + 1;
    const std::int64_t nMinutes = (DaysFromCivil(nYear, nMonth, 1) + arrival.nDay - 1) * 1440 +
                                  std::int64_t{arrival.nHour} * 60 + arrival.nMinute;
    // Clamped to what the profile can hold; 0 is 1970-01-01 00:00, which is
    // never ahead, so it can stand for "nothing armed".
    if (nMinutes > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (nMinutes < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(nMinutes);
}

bool ArrivalAlert::CheckOnTick(const ArrivalFields& arrival, CTime now) {
    return CheckOnTick(arrival, arrival.Arrival(), now);
}

bool ArrivalAlert::CheckOnTick(const ArrivalFields& arrival, CTime moment, CTime now) {
    if (!IsDue(arrival, moment, now)) return false;
    Delivered();
    return true;
}

bool ArrivalAlert::IsDue(const ArrivalFields& arrival, CTime moment, CTime now) {
    const int nKey = ArrivalKey(arrival);
    if (now.GetTime() < moment.GetTime()) {
        if (m_nArmed != nKey) Store(nKey);
        return false;
    }
    return m_nArmed == nKey && nKey != kNothingArmed;
}

void ArrivalAlert::Delivered() {
    if (m_nArmed != kNothingArmed) Store(kNothingArmed);
}

void ArrivalAlert::Store(int nArmed) {
    // Kept in memory even when the file cannot be written, so the alert
    // still shows once in this run.
    m_nArmed = nArmed;
    std::optional<std::string> error;
    if (m_strStatePath.empty()) {
        error = "no folder for it is known";
    } else {
        std::string strDirError;
        if (!EnsureDirectory(DirectoryOf(m_strStatePath), strDirError))
            error = strDirError;
        else
            error = ReplaceFileAtomically(m_strStatePath,
                                          std::string(kKey) + '=' + std::to_string(nArmed) + '\n');
    }
    if (!error || m_bFailureReported) return;
    m_bFailureReported = true;
    m_err << "Brisaloo could not save the arrival alert's state"
          << (m_strStatePath.empty() ? "" : " to " + m_strStatePath) << ": " << *error
          << ". The alert still shows once while Brisaloo runs.\n";
}
