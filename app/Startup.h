// The program entry's steps that come from being an installed desktop application rather
// than from the windows themselves.
#pragma once

#include <QString>
#include <optional>

// --help, --version and a display that cannot be opened, all before the application object
// exists. Returns the exit code when the program must end here.
std::optional<int> RunBeforeApplication(int argc, char** argv);

class QWindow;

// The id the window manager and a Wayland compositor match to the menu entry.
void SetApplicationIdentity();
// The application's icon, set once `window` (shown) has drawn its first frame: reading and
// decoding its eight sizes is work the first frame does not need.
void SetApplicationIconAfterFirstFrame(QWindow* window);

// The folder for the hidden mode's page file: next to the executable, except for an
// installed program, whose folder is the system's (and not the user's to write in); that one
// writes to the user's runtime folder.
QString PageFileFolder(const QString& executableDir);
bool PageFileBesideExecutable(const QString& executableDir, const QString& installedBinDir,
                              bool executableDirWritable);
