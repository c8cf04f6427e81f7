// SPDX-License-Identifier: GPL-3.0-or-later
// Saves notes.dat over and over until it is killed, telling its parent on
// stdout before and after each save: "saving N" and "saved N".
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "notes/CrashStores.h"
#include "notes/NotesFile.h"

namespace {

void Tell(const std::string& strLine) {
    const std::string strOut = strLine + "\n";
    if (::write(STDOUT_FILENO, strOut.data(), strOut.size()) < 0) std::_Exit(3);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) return 2;
    const std::string strPath = argv[1];
    for (int nSave = std::atoi(argv[2]) + 1;; ++nSave) {
        const auto store = CrashStore(nSave);
        Tell("saving " + std::to_string(nSave));
        if (!SaveNotesFile(strPath, *store).Ok()) return 1;
        Tell("saved " + std::to_string(nSave));
    }
}
