#pragma once
// Open and save file dialogs. Windows ask IFileDialogs for a path; ScriptedFileDialogs
// (TestServices.h) hands out queued paths and records each request.
//
//   platform::FileDialogRequest r;
//   r.title = "Open"; r.directory = options.Lastdir;
//   r.filter = platform::FilterFromPipes("Tarrowind files (*.twd)|*.twd|All Files (*.*)|*.*");
//   const QString path = services.files.GetOpenFileName(r);   // empty: cancelled
#include <QString>

class QWidget;

namespace platform {

struct FileDialogRequest {
    QString title;
    QString directory;            // folder to start in; empty: the dialog's own choice
    QString fileName;             // proposed file name (name part or full path)
    QString filter;               // Qt form: "Song files (*.twd);;All Files (*)"
    QString defaultSuffix;        // added to a typed name without extension ("twd")
    bool confirmOverwrite = true; // save dialog: ask before replacing a file
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen file's full path, or an empty text when the user cancelled.
    virtual QString GetOpenFileName(const FileDialogRequest &request) = 0;
    virtual QString GetSaveFileName(const FileDialogRequest &request) = 0;
};

// Turns a "Description|pattern|Description|pattern" filter into Qt's ";;" form. "*.*"
// becomes "*", several patterns separated by ";" become blank-separated. A malformed
// filter (odd number of parts) keeps its descriptions and drops the loose end.
QString FilterFromPipes(const QString &pipes);

class QtFileDialogs : public IFileDialogs {
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget *parent) { parent_ = parent; }
    QString GetOpenFileName(const FileDialogRequest &request) override;
    QString GetSaveFileName(const FileDialogRequest &request) override;

private:
    QString Run(const FileDialogRequest &request, bool save);
    QWidget *parent_;
};

} // namespace platform
