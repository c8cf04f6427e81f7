// SPDX-License-Identifier: GPL-3.0-or-later
// The command line as it comes: the input split at NUL bytes into arguments
// for the parser, and the whole of it as a --format template filled in from a
// span taken from its first bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/CommandLine.h"

namespace {

void CheckParse(std::string_view bytes) {
    std::vector<std::string> args{"brisaloo"};
    std::size_t nStart = 0;
    while (nStart <= bytes.size()) {
        const std::size_t nEnd = std::min(bytes.find('\0', nStart), bytes.size());
        args.emplace_back(bytes.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    const CommandLineOptions options = ParseCommandLine(args);
    using Action = CommandLineOptions::Action;
    if (options.action != Action::Exit) {
        FUZZ_CHECK(options.nExitCode == kExitOk && options.strError.empty());
        FUZZ_CHECK(!(options.action == Action::Print && options.bHidden));
        FUZZ_CHECK(options.action == Action::Print || !options.strFormat);
        return;
    }
    // An exit either prints help or version, or says in one line what is wrong.
    if (options.nExitCode == kExitOk) {
        FUZZ_CHECK(!options.strOutput.empty() && options.strError.empty());
    } else {
        FUZZ_CHECK(options.nExitCode == kExitUsage && options.strOutput.empty());
        FUZZ_CHECK(options.strError.starts_with("brisaloo: "));
    }
}

void CheckTemplate(std::string_view bytes) {
    std::int64_t nSeconds = 0;
    std::memcpy(&nSeconds, bytes.data(), std::min(bytes.size(), sizeof nSeconds));
    // Within what a countdown between two CTime values can be.
    nSeconds %= std::int64_t{1} << 40;
    const StatusText text = FormatStatusTemplate(bytes, CTimeSpan(nSeconds));
    FUZZ_CHECK(text.Ok() != !text.strError.empty());
    if (!text.Ok()) FUZZ_CHECK(text.strText.empty());
    // Without braces the template is the text.
    if (bytes.find_first_of("{}") == std::string_view::npos) FUZZ_CHECK(text.strText == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    CheckParse(bytes);
    CheckTemplate(bytes);
    return 0;
}
