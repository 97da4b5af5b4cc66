#include "mainwindow/files/FileCommands.h"

#include "mainwindow/playback/Playback.h" // TEditorView
#include "platform/FileIO.h"
#include "platform/qt/Services.h"
#include "song/SongDocument.h"
#include "song/SongModel.h"
#include "song/TextExport.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTimer>

namespace {

QString Absolute(const QString &path) { return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath(); }

QString FolderOf(const QString &path) { return QFileInfo(path).absolutePath(); }

std::string Local(const QString &path) { return QFile::encodeName(path).toStdString(); }
QString FromLocal(const std::string &path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

} // namespace

bool IsTextImportFile(const QString &path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == QStringLiteral("txt") || ext == QStringLiteral("frt") || ext == QStringLiteral("lwm") ||
           ext == QStringLiteral("plw");
}

TFileCommands::TFileCommands(const TFileParts &parts, QObject *parent) : QObject(parent), p_(parts) {}

QString TFileCommands::FileName() const { return QString::fromStdString(p_.Document.FileName); }

void TFileCommands::SetFileName(const QString &absolutePath) {
    p_.Document.FileName = absolutePath.toStdString();
    p_.Calls.SetCaptionFromFileName();
}

TRecentList TFileCommands::RecentList() const {
    TRecentList list;
    for (int i = 0; i < kRecentCount; ++i)
        list[size_t(i)] = Local(p_.Options.RecentFiles[size_t(i)]);
    return list;
}

void TFileCommands::SetRecentList(const TRecentList &list) {
    for (int i = 0; i < kRecentCount; ++i)
        p_.Options.RecentFiles[size_t(i)] = FromLocal(list[size_t(i)]);
    UpdateRecentMenu();
}

void TFileCommands::UpdateRecentMenu() {
    const TRecentList list = RecentList();
    for (int i = 0; i < kRecentCount; ++i) {
        QAction *item = p_.Widgets.RecentItems[size_t(i)];
        if (!item)
            continue;
        const std::string &entry = list[size_t(i)];
        item->setText(FromLocal(RecentMenuCaption(entry)));
        item->setData(FromLocal(entry));
        item->setVisible(!entry.empty());
    }
}

bool TFileCommands::AskSaveChanges() {
    if (!p_.Document.AnyTabModified())
        return true;
    const int answer =
        p_.Services.messages.Question(QStringLiteral("Save changes to ") + FileName() + QStringLiteral("?"));
    if (answer == platform::mrYes) {
        const QString path = Absolute(FileName());
        return ConfirmReplace(path) && p_.Calls.WriteSong(path);
    }
    return answer == platform::mrNo;
}

bool TFileCommands::ConfirmReplace(const QString &path) {
    // A new song is named "Untitled.twd" without a dialog: an earlier song of that name is not its own.
    if (!QFileInfo::exists(path) || path == Absolute(QString::fromStdString(p_.Document.SongFilePath)))
        return true;
    return p_.Services.messages.Question(ReplaceQuestion(path), platform::mbYesNo) == platform::mrYes;
}

void TFileCommands::NewSong1Click() {
    if (p_.Calls.Busy() || !AskSaveChanges())
        return;
    p_.Calls.ResetSong();
}

void TFileCommands::OpenSong1Click() {
    if (p_.Calls.Busy() || !AskSaveChanges())
        return;
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Open");
    r.directory = DialogStartFolder(p_.Options.Lastdir);
    r.defaultSuffix = QStringLiteral("twd");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kOpenFilter));
    r.confirmOverwrite = false;
    const QString chosen = p_.Services.files.GetOpenFileName(r);
    if (chosen.isEmpty())
        return;
    const QString path = Absolute(chosen);
    if (!QFileInfo(path).isFile()) {
        p_.Services.messages.Error(path + QStringLiteral(" doesn't exist!"));
        return;
    }
    if (IsTextImportFile(path)) {
        ImportTextFile(path);
        return;
    }
    if (!p_.Calls.ReadSong(path)) {
        p_.Services.messages.ShowMessage(QStringLiteral("Open Failed"));
        return;
    }
    TRecentList list = RecentList();
    AddRecentFile(list, Local(path));
    SetRecentList(list);
    p_.Options.Lastdir = FolderOf(path);
    p_.Options.LastFileName = path;
}

bool TFileCommands::ImportTextFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        p_.Services.messages.Error(QStringLiteral("Can't read ") + path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    // UTF-8 when it is valid UTF-8, else the Windows text these files were written in.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder latin(QStringConverter::Latin1);
        text = latin.decode(bytes);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    p_.Calls.ReplaceEditorLines(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
    return true;
}

void TFileCommands::SaveSong1Click() {
    if (p_.Calls.Busy())
        return;
    const QString path = ChangeFileExt(Absolute(FileName()), QStringLiteral(".twd"));
    if (ConfirmReplace(path) && p_.Calls.WriteSong(path))
        SetFileName(path);
}

void TFileCommands::SaveSongAs1Click() {
    if (p_.Calls.Busy())
        return;
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save As");
    r.fileName = FileName();
    r.directory = DialogStartFolder(p_.Options.Lastdir);
    r.defaultSuffix = QStringLiteral("twd");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kSaveAsFilter));
    r.confirmOverwrite = true;
    const QString chosen = p_.Services.files.GetSaveFileName(r);
    if (chosen.isEmpty())
        return;
    const QString path = Absolute(chosen);
    if (!p_.Calls.WriteSong(path))
        return; // the song keeps its old name: nothing was written under the new one
    SetFileName(path);
    p_.Options.Lastdir = FolderOf(path);
}

void TFileCommands::RecentClick(int index) {
    if (index < 0 || index >= kRecentCount)
        return;
    OpenRecentFile(p_.Options.RecentFiles[size_t(index)]);
}

void TFileCommands::OpenRecentFile(const QString &entry) {
    if (entry.isEmpty() || p_.Calls.Busy() || !AskSaveChanges())
        return;
    const QString path = Absolute(entry);
    if (QFileInfo(path).isFile()) {
        if (p_.Calls.ReadSong(path))
            p_.Options.LastFileName = path;
    } else {
        p_.Services.messages.Error(QStringLiteral("File not found: ") + path);
    }
    // Found or not, the chosen entry becomes the newest.
    TRecentList list = RecentList();
    PromoteRecentFile(list, Local(entry));
    SetRecentList(list);
}

void TFileCommands::TextFile1Click() {
    if (p_.Calls.Busy())
        return;
    const TEditorView view = p_.Calls.EditorView();
    p_.Calls.StoreTabText();
    TSongModel &song = p_.Document.Song;
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save Text File");
    r.fileName = FromLocal(ProposeTextExportName(Local(Absolute(FileName())), song.Current().Name));
    r.directory = DialogStartFolder(p_.Options.Lastdir);
    r.defaultSuffix = QStringLiteral("txt");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kTextFilter));
    r.confirmOverwrite = true;
    const QString chosen = p_.Services.files.GetSaveFileName(r);
    if (!chosen.isEmpty()) {
        const std::string name = Local(Absolute(chosen));
        std::string reason;
        TTextExportResult result = WriteTextExport(name, song, false, &reason);
        const QString written = FromLocal(TextExportPath(name));
        if (result == TTextExportResult::NeedsConfirmation &&
            p_.Services.messages.Question(ReplaceQuestion(written), platform::mbYesNo) == platform::mrYes)
            result = WriteTextExport(name, song, true, &reason);
        if (result == TTextExportResult::Failed)
            p_.Services.messages.Error(SaveFailedText(written, reason));
    }
    p_.Calls.RestoreEditorView(view, view.HasSelection);
}

void TFileCommands::LabelSaveClick() {
    p_.Calls.SetBusyCursor(true);
    // A short pause that keeps the window painting, so the click is seen to happen.
    QEventLoop wait;
    QTimer::singleShot(250, &wait, &QEventLoop::quit);
    wait.exec();
    p_.Calls.SetBusyCursor(false);
    SaveSong1Click();
}
