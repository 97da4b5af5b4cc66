#pragma once
// File names and texts around a save, shared by the windows that write files (the File menu's
// commands, the MIDI export, the tablature window's ASCII save).
#include <QString>

#include <string>

// `path` with its extension (the part after the last dot of the file name) replaced by
// `extension` (".twd"); a name without one gets it added.
QString ChangeFileExt(const QString &path, const QString &extension);
// The folder a dialog starts in: `lastDir` when it names an existing folder, else empty.
QString DialogStartFolder(const QString &lastDir);
// "<path> already exists.\rDo you want to replace it?"
QString ReplaceQuestion(const QString &path);
// "Save Failed.", a line break, "<path>: " and the writer's reason (the system's text).
QString SaveFailedText(const QString &path, const std::string &reason);
