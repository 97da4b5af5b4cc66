#include "mainwindow/files/MidiExport.h"

#include "mainwindow/playback/Playback.h" // TEditorView
#include "midi/MidiData.h"
#include "platform/FileIO.h"
#include "platform/qt/Services.h"
#include "song/SongBuilder.h"

#include <QFile>
#include <QFileInfo>


TMidiExport::TMidiExport(IFileCommandsHost &host, std::function<TPlaySettings()> playSettings, QObject *parent)
    : QObject(parent), host_(host), playSettings_(std::move(playSettings)) {}

void TMidiExport::SaveMidiOfSong1Click() {
    if (host_.Busy())
        return;
    const TEditorView view = host_.EditorView();
    const platform::Services &services = host_.Services();
    // The song is built before a file name is asked for: a song that cannot be written is told at once.
    host_.StoreTabText();
    TMidiData midi;
    const TPlaySettings settings = playSettings_ ? playSettings_() : TPlaySettings{};
    const TBuildResult built = BuildSongMidi(host_.Song(), host_.Drums(), settings, midi);
    if (built.Status == EBuildStatus::NothingToPlay) {
        services.messages.Error(QString::fromLatin1(kCantCreateMidi));
        host_.RestoreEditorView(view, view.HasSelection);
        return;
    }
    if (!built.Ok()) {
        // As the play command does: the builder's own words, then the failing tab and line.
        services.messages.ShowMessage(QString::fromStdString(built.Message));
        host_.ShowFailingLine(built.Tab, built.Line);
        return;
    }
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save Midi File");
    r.fileName = ChangeFileExt(QFileInfo(host_.FileName()).absoluteFilePath(), QStringLiteral(".mid"));
    r.directory = DialogStartFolder(host_.Options().Lastdir);
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
                host_.Options().Lastdir = QFileInfo(path).absolutePath();
            else
                services.messages.Error(SaveFailedText(path, written.reason));
        }
    }
    host_.RestoreEditorView(view, view.HasSelection);
}

void TMidiExport::OnlineHelpSite1Click() { host_.Services().shell.OpenUrl(QString::fromLatin1(kOnlineHelpAddress)); }

void TMidiExport::YouTubeSite1Click() { host_.Services().shell.OpenUrl(QString::fromLatin1(kVideoAddress)); }

void TMidiExport::N14Click() {
    const platform::Services &services = host_.Services();
    if (!services.shell.StartTextEditor())
        services.messages.Error(
            platform::CouldNotOpenText(QStringLiteral("a text editor"), platform::TextEditorCandidates()));
}
