#include "mainwindow/files/FileCommands.h"

#include "mainwindow/playback/Playback.h" // TEditorView
#include "platform/FileIO.h"
#include "platform/qt/Services.h"
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

TFileCommands::TFileCommands(IFileCommandsHost &host, std::array<QAction *, kRecentCount> recentItems, QObject *parent)
    : QObject(parent), host_(host), recent_(recentItems) {}

TRecentList TFileCommands::RecentList() const {
    TRecentList list;
    for (int i = 0; i < kRecentCount; ++i)
        list[size_t(i)] = Local(host_.Options().RecentFiles[size_t(i)]);
    return list;
}

void TFileCommands::SetRecentList(const TRecentList &list) {
    for (int i = 0; i < kRecentCount; ++i)
        host_.Options().RecentFiles[size_t(i)] = FromLocal(list[size_t(i)]);
    UpdateRecentMenu();
}

void TFileCommands::UpdateRecentMenu() {
    const TRecentList list = RecentList();
    for (int i = 0; i < kRecentCount; ++i) {
        QAction *item = recent_[size_t(i)];
        if (!item)
            continue;
        const std::string &entry = list[size_t(i)];
        item->setText(FromLocal(RecentMenuCaption(entry)));
        item->setData(FromLocal(entry));
        item->setVisible(!entry.empty());
    }
}

bool TFileCommands::AskSaveChanges() {
    if (!host_.AnyTabModified())
        return true;
    const int answer =
        host_.Services().messages.Question(QStringLiteral("Save changes to ") + host_.FileName() + QStringLiteral("?"));
    if (answer == platform::mrYes) {
        const QString path = Absolute(host_.FileName());
        return ConfirmReplace(path) && host_.WriteSong(path);
    }
    return answer == platform::mrNo;
}

bool TFileCommands::ConfirmReplace(const QString &path) {
    // A new song is named "Untitled.twd" without a dialog: an earlier song of that name is not its own.
    if (!QFileInfo::exists(path) || path == Absolute(host_.SongFilePath()))
        return true;
    return host_.Services().messages.Question(ReplaceQuestion(path), platform::mbYesNo) == platform::mrYes;
}

void TFileCommands::NewSong1Click() {
    if (host_.Busy() || !AskSaveChanges())
        return;
    host_.ResetSong();
}

void TFileCommands::OpenSong1Click() {
    if (host_.Busy() || !AskSaveChanges())
        return;
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Open");
    r.directory = DialogStartFolder(host_.Options().Lastdir);
    r.defaultSuffix = QStringLiteral("twd");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kOpenFilter));
    r.confirmOverwrite = false;
    const QString chosen = host_.Services().files.GetOpenFileName(r);
    if (chosen.isEmpty())
        return;
    const QString path = Absolute(chosen);
    if (!QFileInfo(path).isFile()) {
        host_.Services().messages.Error(path + QStringLiteral(" doesn't exist!"));
        return;
    }
    if (IsTextImportFile(path)) {
        ImportTextFile(path);
        return;
    }
    if (!host_.ReadSong(path)) {
        host_.Services().messages.ShowMessage(QStringLiteral("Open Failed"));
        return;
    }
    TRecentList list = RecentList();
    AddRecentFile(list, Local(path));
    SetRecentList(list);
    host_.Options().Lastdir = FolderOf(path);
    host_.Options().LastFileName = path;
}

bool TFileCommands::ImportTextFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        host_.Services().messages.Error(QStringLiteral("Can't read ") + path);
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
    host_.ReplaceEditorLines(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
    return true;
}

void TFileCommands::SaveSong1Click() {
    if (host_.Busy())
        return;
    const QString path = ChangeFileExt(Absolute(host_.FileName()), QStringLiteral(".twd"));
    if (ConfirmReplace(path) && host_.WriteSong(path))
        host_.SetFileName(path);
}

void TFileCommands::SaveSongAs1Click() {
    if (host_.Busy())
        return;
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save As");
    r.fileName = host_.FileName();
    r.directory = DialogStartFolder(host_.Options().Lastdir);
    r.defaultSuffix = QStringLiteral("twd");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kSaveAsFilter));
    r.confirmOverwrite = true;
    const QString chosen = host_.Services().files.GetSaveFileName(r);
    if (chosen.isEmpty())
        return;
    const QString path = Absolute(chosen);
    if (!host_.WriteSong(path))
        return; // the song keeps its old name: nothing was written under the new one
    host_.SetFileName(path);
    host_.Options().Lastdir = FolderOf(path);
}

void TFileCommands::RecentClick(int index) {
    if (index < 0 || index >= kRecentCount)
        return;
    OpenRecentFile(host_.Options().RecentFiles[size_t(index)]);
}

void TFileCommands::OpenRecentFile(const QString &entry) {
    if (entry.isEmpty() || host_.Busy() || !AskSaveChanges())
        return;
    const QString path = Absolute(entry);
    if (QFileInfo(path).isFile()) {
        if (host_.ReadSong(path))
            host_.Options().LastFileName = path;
    } else {
        host_.Services().messages.Error(QStringLiteral("File not found: ") + path);
    }
    // Found or not, the chosen entry becomes the newest.
    TRecentList list = RecentList();
    PromoteRecentFile(list, Local(entry));
    SetRecentList(list);
}

void TFileCommands::TextFile1Click() {
    if (host_.Busy())
        return;
    const TEditorView view = host_.EditorView();
    host_.StoreTabText();
    TSongModel &song = host_.Song();
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save Text File");
    r.fileName = FromLocal(ProposeTextExportName(Local(Absolute(host_.FileName())), song.Current().Name));
    r.directory = DialogStartFolder(host_.Options().Lastdir);
    r.defaultSuffix = QStringLiteral("txt");
    r.filter = platform::FilterFromPipes(QString::fromLatin1(kTextFilter));
    r.confirmOverwrite = true;
    const QString chosen = host_.Services().files.GetSaveFileName(r);
    if (!chosen.isEmpty()) {
        const std::string name = Local(Absolute(chosen));
        std::string reason;
        ETextExportResult result = WriteTextExport(name, song, false, &reason);
        const QString written = FromLocal(TextExportPath(name));
        if (result == ETextExportResult::NeedsConfirmation &&
            host_.Services().messages.Question(ReplaceQuestion(written), platform::mbYesNo) == platform::mrYes)
            result = WriteTextExport(name, song, true, &reason);
        if (result == ETextExportResult::Failed)
            host_.Services().messages.Error(SaveFailedText(written, reason));
    }
    host_.RestoreEditorView(view, view.HasSelection);
}

void TFileCommands::LabelSaveClick() {
    host_.SetBusyCursor(true);
    // A short pause that keeps the window painting, so the click is seen to happen.
    QEventLoop wait;
    QTimer::singleShot(250, &wait, &QEventLoop::quit);
    wait.exec();
    host_.SetBusyCursor(false);
    SaveSong1Click();
}
