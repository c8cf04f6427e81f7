// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Autostart.h"

#include <cerrno>
#include <cstring>

#include "app/CommandLine.h"
#include "app/DataLocation.h"
#include "app/PathText.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string SystemError(const std::string& strWhat, const std::string& strPath) {
    return strWhat + " " + strPath + ": " + std::strerror(errno);
}

// One Exec argument: quoted when it holds a reserved character, with ", `,
// $ and \ escaped inside the quotes and % doubled; then every backslash
// doubled again, because the whole value is a string with escapes.
std::optional<std::string> ExecArgument(const std::string& strArg) {
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool bQuote = strArg.empty();
    std::string strQuoted;
    for (const char c : strArg) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
        if (kReserved.find(c) != std::string_view::npos) bQuote = true;
        if (c == '"' || c == '`' || c == '$' || c == '\\') strQuoted += '\\';
        if (c == '%') strQuoted += '%';
        strQuoted += c;
    }
    if (bQuote) strQuoted = '"' + strQuoted + '"';
    std::string strValue;
    for (const char c : strQuoted) {
        if (c == '\\') strValue += '\\';
        strValue += c;
    }
    return strValue;
}

}  // namespace

std::optional<std::string> AutostartEntryText(const std::string& strExePath,
                                              const std::vector<std::string>& extraArgs) {
    std::string strExec;
    std::vector<std::string> args{strExePath, "--hidden"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    for (const std::string& strArg : args) {
        const auto quoted = ExecArgument(strArg);
        if (!quoted) return std::nullopt;
        strExec += (strExec.empty() ? "" : " ") + *quoted;
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Brisaloo\n"
           "Comment=Counts down to your arrival, from the tray\n"
           "Exec=" +
           strExec +
           "\n"
           "Icon=brisaloo\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string ConfigHome(const std::string& strXdgConfigHome, const std::string& strHome) {
    if (IsAbsolutePath(strXdgConfigHome)) return WithoutTrailingSlashes(strXdgConfigHome);
    if (IsAbsolutePath(strHome)) {
        const std::string strDir = WithoutTrailingSlashes(strHome);
        return (strDir == "/" ? "" : strDir) + "/.config";
    }
    return {};
}

std::string AutostartEntryPath(const std::string& strConfigHome) {
    return (strConfigHome == "/" ? "" : strConfigHome) + "/autostart/brisaloo.desktop";
}

bool WriteAutostartEntry(const std::string& strConfigHome, const std::string& strText,
                         std::string& strError, IFileOps& ops) {
    const std::string strPath = AutostartEntryPath(strConfigHome);
    if (!EnsureDirectory(DirectoryOf(strPath), strError)) return false;

    if (auto error = ReplaceFileAtomically(strPath, strText, ops, 0644)) {
        strError = "Could not write " + strPath + ": " + *error;
        return false;
    }
    return true;
}

bool RemoveAutostartEntry(const std::string& strConfigHome, std::string& strError,
                          bool* pbRemoved) {
    const std::string strPath = AutostartEntryPath(strConfigHome);
    const bool bRemoved = RemoveFile(strPath);
    if (pbRemoved) *pbRemoved = bRemoved;
    if (!bRemoved && errno != ENOENT) {
        strError = SystemError("Could not remove", strPath);
        return false;
    }
    return true;
}

#ifdef _WIN32

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValue = L"Brisaloo";

// One argument as CommandLineToArgvW reads it back: quoted when it holds a
// blank or a quote, backslashes doubled before a quote and at the end.
std::string WindowsArgument(const std::string& strArg) {
    if (!strArg.empty() && strArg.find_first_of(" \t\"") == std::string::npos) return strArg;
    std::string strQuoted = "\"";
    std::size_t nBackslashes = 0;
    for (const char c : strArg) {
        if (c == '\\') {
            ++nBackslashes;
            continue;
        }
        strQuoted.append(c == '"' ? nBackslashes * 2 + 1 : nBackslashes, '\\');
        nBackslashes = 0;
        strQuoted += c;
    }
    strQuoted.append(nBackslashes * 2, '\\');
    return strQuoted + '"';
}

std::string RegistryError(const char* pszWhat, LSTATUS nStatus) {
    return std::string(pszWhat) + " the Run value in the registry: " +
           std::strerror(ErrnoFromWin32(static_cast<unsigned long>(nStatus)));
}

}  // namespace

std::string AutostartRunCommand(const std::string& strExePath,
                                const std::vector<std::string>& extraArgs) {
    // The program path is always quoted: Windows would otherwise try
    // "C:\Program" for a path with a blank.
    std::string strCommand = "\"" + strExePath + "\" --hidden";
    for (const std::string& strArg : extraArgs) strCommand += ' ' + WindowsArgument(strArg);
    return strCommand;
}

bool WriteAutostartRunValue(const std::string& strCommand, std::string& strError) {
    const std::wstring strWide = WidePath(strCommand);
    const LSTATUS nStatus =
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, strWide.c_str(),
                          static_cast<DWORD>((strWide.size() + 1) * sizeof(wchar_t)));
    if (nStatus == ERROR_SUCCESS) return true;
    strError = RegistryError("Could not write", nStatus);
    return false;
}

bool RemoveAutostartRunValue(std::string& strError) {
    const LSTATUS nStatus = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    if (nStatus == ERROR_SUCCESS || nStatus == ERROR_FILE_NOT_FOUND) return true;
    strError = RegistryError("Could not remove", nStatus);
    return false;
}

std::optional<std::string> ReadAutostartRunValue() {
    DWORD dwSize = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, nullptr,
                       &dwSize) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring strWide(dwSize / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr,
                       strWide.data(), &dwSize) != ERROR_SUCCESS)
        return std::nullopt;
    strWide.resize(wcsnlen(strWide.c_str(), strWide.size()));
    return Utf8Path(strWide);
}

int RunAutostartCommand(bool bOn, const std::string& strExePath,
                        const std::vector<std::string>& extraArgs, ITextSink& out, ITextSink& err) {
    std::string strError;
    const bool bDone =
        bOn ? WriteAutostartRunValue(AutostartRunCommand(strExePath, extraArgs), strError)
            : RemoveAutostartRunValue(strError);
    if (!bDone) {
        err << "brisaloo: " << strError << '\n';
        return kExitFailure;
    }
    if (bOn)
        out << "Brisaloo will start hidden in the tray when you sign in.\n";
    else
        out << "Brisaloo will not start when you sign in.\n";
    return kExitOk;
}

#else

int RunAutostartCommand(bool bOn, const std::string& strExePath,
                        const std::vector<std::string>& extraArgs, ITextSink& out, ITextSink& err) {
    const std::string strConfigHome = ConfigHome(EnvOrEmpty("XDG_CONFIG_HOME"), EnvOrEmpty("HOME"));
    if (strConfigHome.empty()) {
        err << "brisaloo: no home folder is known (HOME is not set); autostart unchanged\n";
        return kExitFailure;
    }
    const std::string strPath = AutostartEntryPath(strConfigHome);
    std::string strError;
    if (!bOn) {
        bool bExisted = false;
        if (!RemoveAutostartEntry(strConfigHome, strError, &bExisted)) {
            err << "brisaloo: " << strError << '\n';
            return kExitFailure;
        }
        if (bExisted)
            out << "Brisaloo will not start when you log in (" << strPath << " removed).\n";
        else
            out << "Brisaloo will not start when you log in (no autostart entry to remove).\n";
        return kExitOk;
    }
    const auto text = AutostartEntryText(strExePath, extraArgs);
    if (!text) {
        if (!AutostartEntryText(strExePath))
            err << "brisaloo: the program's path holds a control character and cannot be started "
                   "from an autostart entry; autostart unchanged\n";
        else
            err << "brisaloo: the data folder's path holds a control character and cannot be "
                   "given in an autostart entry; autostart unchanged\n";
        return kExitFailure;
    }
    if (!WriteAutostartEntry(strConfigHome, *text, strError)) {
        err << "brisaloo: " << strError << '\n';
        return kExitFailure;
    }
    out << "Brisaloo will start hidden in the tray when you log in (" << strPath << ").\n";
    return kExitOk;
}

#endif
