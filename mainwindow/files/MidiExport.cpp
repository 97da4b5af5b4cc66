#include "mainwindow/files/MidiExport.h"

#include "mainwindow/playback/Playback.h" // TEditorView
#include "midi/MidiData.h"
#include "platform/FileIO.h"
#include "platform/qt/Services.h"
#include "song/SongBuilder.h"
#include "song/SongDocument.h"

#include <QFile>
#include <QFileInfo>

TMidiExport::TMidiExport(const TFileParts &parts, QObject *parent) : QObject(parent), p_(parts) {}

void TMidiExport::SaveMidiOfSong1Click() {
    if (p_.Calls.Busy())
        return;
    const TEditorView view = p_.Calls.EditorView();
    const platform::Services &services = p_.Services;
    // The song is built before a file name is asked for: a song that cannot be written is told at once.
    p_.Calls.StoreTabText();
    TMidiData midi;
    const TPlaySettings settings = p_.Calls.PlaySettings ? p_.Calls.PlaySettings() : TPlaySettings{};
    const TBuildResult built = BuildSongMidi(p_.Document.Song, p_.Document.Drums, settings, midi);
    if (built.Status == TBuildStatus::NothingToPlay) {
        services.messages.Error(QString::fromLatin1(kCantCreateMidi));
        p_.Calls.RestoreEditorView(view, view.HasSelection);
        return;
    }
    if (!built.Ok()) {
        // As the play command does: the builder's own words, then the failing tab and line.
        services.messages.ShowMessage(QString::fromStdString(built.Message));
        p_.Calls.ShowFailingLine(built.Tab, built.Line);
        return;
    }
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save Midi File");
    r.fileName = ChangeFileExt(QFileInfo(QString::fromStdString(p_.Document.FileName)).absoluteFilePath(),
                               QStringLiteral(".mid"));
    r.directory = DialogStartFolder(p_.Options.Lastdir);
    r.defaultSuffix = QStringLiteral("mid");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kMidiFilter));
    r.confirmOverwrite = true;
    const QString chosen = services.files.GetSaveFileName(r);
    if (!chosen.isEmpty()) {
        const QString absolute = QFileInfo(chosen).absoluteFilePath();
        const QString path = ChangeFileExt(absolute, QStringLiteral(".mid"));
        bool write = true;
        // The dialog asked about the name the user typed; a file the forced extension lands on
        // is asked about here.
        if (path != absolute && QFileInfo::exists(path))
            write = services.messages.Question(ReplaceQuestion(path), platform::mbYesNo) == platform::mrYes;
        if (write) {
            const std::string file = QFile::encodeName(path).toStdString();
            const platform::WriteResult written = platform::WriteFileAtomically(file, midi.SaveToBytes());
            if (written)
                p_.Options.Lastdir = QFileInfo(path).absolutePath();
            else
                services.messages.Error(SaveFailedText(path, written.reason));
        }
    }
    p_.Calls.RestoreEditorView(view, view.HasSelection);
}

void TMidiExport::OnlineHelpSite1Click() { p_.Services.shell.OpenUrl(QString::fromLatin1(kOnlineHelpAddress)); }

void TMidiExport::YouTubeSite1Click() { p_.Services.shell.OpenUrl(QString::fromLatin1(kVideoAddress)); }

void TMidiExport::N14Click() {
    const platform::Services &services = p_.Services;
    if (!services.shell.StartTextEditor())
        services.messages.Error(
            platform::CouldNotOpenText(QStringLiteral("a text editor"), platform::TextEditorCandidates()));
}
