// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "countdown/CTimeSpan.h"
#include "files/TextSink.h"

class IClock;
class IProfile;

// Exit codes of the command-line uses: 0 done, 1 failed (a file could not be
// written), 2 the command line itself is wrong.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A --format template filled in, or the one-line reason it cannot be.
struct StatusText {
    std::string strText;
    std::string strError;  // empty when the template was good
    bool Ok() const { return strError.empty(); }
};

// Fills a status-bar template from the countdown. Placeholders:
//   {days} {hours} {minutes} {seconds}            the parts, as in the main window
//   {total_hours} {total_minutes} {total_seconds} the running totals
// A width after a colon pads on the left: {hours:2} with blanks, {hours:02}
// with zeros. {{ and }} give a literal brace; a lone } is copied as it is. An
// unknown or unterminated placeholder, or a bad width, is an error naming it.
StatusText FormatStatusTemplate(std::string_view strTemplate, const CTimeSpan& span);

// The placeholders as the help text and error messages list them.
extern const char* const kStatusPlaceholders;

// --print and --format: the countdown to the arrival stored in the profile as
// one line on out ("%d Days %d Hrs %d Mins %d Secs", or the template filled
// in). A bad template writes one line to err and gives kExitUsage; a profile
// that is there but cannot be read, one line and kExitFailure.
int PrintCountdown(IProfile& profile, const IClock& clock,
                   const std::optional<std::string>& strTemplate, ITextSink& out, ITextSink& err);

// What the command line asks of this run.
struct CommandLineOptions {
    enum class Action { Run, Print, Autostart, Exit };
    Action action = Action::Run;
    int nExitCode = kExitOk;                // with Exit
    std::string strOutput;                  // with Exit: for stdout as it is (help, version)
    std::string strError;                   // with Exit: one line for stderr, without its line end
    std::optional<std::string> strDataDir;  // --data-dir: an existing folder, made absolute
    std::optional<std::string> strFormat;   // --format: a template instead of the plain line
    bool bHidden = false;                   // --hidden: start in the tray this time
    bool bAutostartOn = false;              // --autostart on|off
};

// Reads the arguments (argv[0] first, UTF-8 on Windows) the way the program
// always has: --opt=value and --opt value, -h -v compacted, "--" ends the
// options; an unknown option, a missing value or any positional argument is
// an Exit with kExitUsage and a one-line "brisaloo: ..." error.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments);

// --help's text for the program as argv[0] names it, and --version's.
std::string CommandLineHelpText(const std::string& strProgram);
std::string CommandLineVersionText();

// Does a Print or Autostart action without a window: the countdown from the
// profile, or the autostart entry for strExePath. Returns the exit code.
int RunCommandWithoutWindow(const CommandLineOptions& options, IProfile& profile,
                            const IClock& clock, const std::string& strExePath, ITextSink& out,
                            ITextSink& err);

// --autostart: "on" is true, "off" false, anything else is not a value.
std::optional<bool> ParseOnOff(std::string_view value);
// The one-line complaint about a value ParseOnOff refused.
std::string AutostartValueError(std::string_view value);
