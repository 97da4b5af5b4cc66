#include "mainwindow/files/SettingsStore.h"

#include "dialogs/rules/WelcomeTips.h"
#include "platform/qt/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

constexpr const char *kOrganisation = "Tarrowind Version 2";
constexpr const char *kVersion = "2.0";

// Value names, one spelling each (INI keys count case).
constexpr const char *kRecent[6] = {"Recent/RecentFile0", "Recent/RecentFile1", "Recent/RecentFile2",
                                    "Recent/RecentFile3", "Recent/RecentFile4", "Recent/RecentFile5"};

class Reader {
public:
    explicit Reader(const QSettings &s) : s_(s) {}

    QString Text(const char *key, const QString &def) const {
        const QVariant v = s_.value(QLatin1String(key));
        if (!v.isValid())
            return def;
        // An unquoted value with commas reads as a list; it was one text.
        if (v.typeId() == QMetaType::QStringList)
            return v.toStringList().join(QStringLiteral(", "));
        return v.toString();
    }
    int Int(const char *key, int def) const {
        const QVariant v = s_.value(QLatin1String(key));
        return v.isValid() && v.typeId() != QMetaType::QStringList ? ParseSettingsInt(v.toString(), def) : def;
    }
    bool Bool(const char *key, bool def) const {
        const QVariant v = s_.value(QLatin1String(key));
        return v.isValid() && v.typeId() != QMetaType::QStringList ? ParseSettingsBool(v.toString(), def) : def;
    }

private:
    const QSettings &s_;
};

void WriteInt(QSettings &s, const char *key, int value) { s.setValue(QLatin1String(key), QString::number(value)); }
void WriteBool(QSettings &s, const char *key, bool value) {
    s.setValue(QLatin1String(key), value ? QStringLiteral("1") : QStringLiteral("0"));
}
void WriteText(QSettings &s, const char *key, const QString &value) { s.setValue(QLatin1String(key), value); }

} // namespace

SettingsDefaults DefaultSettingsDefaults() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        data = QDir(data).filePath(QStringLiteral("Tarrowind"));
    return {QDir::currentPath(), data};
}

QString DefaultSettingsPath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(kOrganisation)).fileName();
}

namespace {

std::optional<int> ParseDecimal(const QString &text) {
    const QString t = text.trimmed();
    // QString::toInt would also take "0x1F" or "1e3" in some forms; only decimal counts.
    for (qsizetype i = 0; i < t.size(); ++i)
        if (!t[i].isDigit() && !(i == 0 && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))))
            return std::nullopt;
    bool ok = false;
    const int value = t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

int ParseSettingsInt(const QString &text, int def) { return ParseDecimal(text).value_or(def); }

bool ParseSettingsBool(const QString &text, bool def) {
    const std::optional<int> value = ParseDecimal(text);
    return value ? *value != 0 : def;
}

SettingsStore::SettingsStore(platform::IMessageBoxes &messages) : SettingsStore(DefaultSettingsPath(), messages) {}

SettingsStore::SettingsStore(QString iniPath, platform::IMessageBoxes &messages)
    : path_(std::move(iniPath)), messages_(messages) {}

QString SettingsStore::GetInstalledVersion() const {
    if (!QFileInfo(path_).isFile())
        return QStringLiteral("0.0");
    const QSettings s(path_, QSettings::IniFormat);
    const QStringList groups = s.childGroups();
    if (groups.isEmpty() && s.childKeys().isEmpty())
        return QStringLiteral("0.0");
    if (!groups.contains(QStringLiteral("Version")))
        return QStringLiteral("1.0");
    return Reader(s).Text("Version/CurrentVersion", QString()).trimmed();
}

ProgramOptions SettingsStore::LoadSettings(const SettingsDefaults &defaults) const {
    const QSettings s(path_, QSettings::IniFormat);
    const Reader r(s);
    ProgramOptions o; // member initialisers are the table's defaults
    o.Prompts = r.Bool("Options/Prompts", o.Prompts);
    o.TabPrompt = r.Bool("Options/TabPrompt", o.TabPrompt);
    o.TabDurations = r.Bool("Options/TabDurations", o.TabDurations);
    o.ShowChordChartMessage = r.Bool("Options/ShowChordChartMessage", o.ShowChordChartMessage);
    o.ShowHints = r.Bool("Options/ShowHints", o.ShowHints);
    o.ShowNewUserMessage = r.Bool("Options/ShowNewUserMessage", o.ShowNewUserMessage);
    o.Lastdir = r.Text("Options/LastDir", QString());
    o.LastFileName = r.Text("Options/LastFileName", QString());
    o.LoadLastFile = r.Bool("Options/LoadLastFile", o.LoadLastFile);
    o.InstallDir = r.Text("Options/InstallDir", defaults.installDir);
    o.TunerNoteDuration = r.Int("Options/TunerNoteDuration", o.TunerNoteDuration);
    o.Device = r.Int("Midi/Device", o.Device);
    o.MenuPatchName = r.Text("Midi/MenuPatchName", o.MenuPatchName);
    o.MenuPatchTag = r.Int("Midi/MenuPatchTag", o.MenuPatchTag);
    o.MenuTuningName = r.Text("Midi/MenuTuningName", o.MenuTuningName);
    o.TuningSpelling = r.Text("Midi/TuningSpelling", o.TuningSpelling);
    for (int i = 0; i < 6; ++i)
        o.RecentFiles[i] = r.Text(kRecent[i], QString());
    o.TabMode = r.Bool("Options/TabMode", o.TabMode);
    o.Charset = r.Int("Font/Charset", o.Charset);
    o.color = r.Int("Font/Color", o.color);
    o.Height = r.Int("Font/Height", o.Height);
    o.Size = r.Int("Font/Size", o.Size);
    o.Style = r.Int("Font/Style", o.Style);
    o.Name = r.Text("Font/Name", o.Name);
    o.WorkDir = r.Text("Options/WorkDir", defaults.workDir);
    o.ScaleRestrictor = r.Bool("Options/ScaleRestrictor", o.ScaleRestrictor);
    o.ShowMixerAfterFileOpen = r.Bool("Options/ShowMixerAfterFileOpen", o.ShowMixerAfterFileOpen);
    o.DotID = r.Int("CCOptions/DotID", o.DotID);
    o.LastTip = r.Int("Options/LastTip", o.LastTip);

    // Bring values back into the ranges the program works with.
    const ProgramOptions d;
    if (o.Device < -1)
        o.Device = -1;
    if (o.Size < 2 || o.Size > 200)
        o.Size = d.Size;
    o.Style &= 15;
    if (o.color < 0 || o.color > 0xFFFFFF)
        o.color = d.color;
    if (o.DotID < 0 || o.DotID > 2)
        o.DotID = d.DotID;
    if (o.LastTip < 0)
        o.LastTip = d.LastTip;
    o.LastTip = std::min(o.LastTip, TipCount(BuiltInTipLines()));
    if (o.Name.trimmed().isEmpty())
        o.Name = d.Name;
    return o;
}

bool SettingsStore::SaveSettings(const ProgramOptions &o, bool saveMidiDevice) {
    QSettings s(path_, QSettings::IniFormat);
    WriteBool(s, "Options/Prompts", o.Prompts);
    WriteBool(s, "Options/TabPrompt", o.TabPrompt);
    WriteBool(s, "Options/TabDurations", o.TabDurations);
    WriteBool(s, "Options/ShowChordChartMessage", o.ShowChordChartMessage);
    WriteBool(s, "Options/ShowHints", o.ShowHints);
    WriteBool(s, "Options/ShowNewUserMessage", o.ShowNewUserMessage);
    WriteText(s, "Options/InstallDir", o.InstallDir);
    WriteInt(s, "Options/TunerNoteDuration", o.TunerNoteDuration);
    WriteText(s, "Options/LastDir", o.Lastdir);
    WriteText(s, "Options/LastFileName", o.LastFileName);
    WriteBool(s, "Options/LoadLastFile", o.LoadLastFile);
    if (saveMidiDevice)
        WriteInt(s, "Midi/Device", o.Device);
    WriteText(s, "Midi/MenuPatchName", o.MenuPatchName);
    WriteInt(s, "Midi/MenuPatchTag", o.MenuPatchTag);
    WriteText(s, "Midi/MenuTuningName", o.MenuTuningName);
    WriteText(s, "Midi/TuningSpelling", o.TuningSpelling);
    for (int i = 0; i < 6; ++i)
        WriteText(s, kRecent[i], o.RecentFiles[i]);
    WriteBool(s, "Options/TabMode", o.TabMode);
    WriteInt(s, "Font/Charset", o.Charset);
    WriteInt(s, "Font/Color", o.color);
    WriteInt(s, "Font/Height", o.Height);
    WriteInt(s, "Font/Size", o.Size);
    WriteInt(s, "Font/Style", o.Style);
    WriteText(s, "Font/Name", o.Name);
    WriteText(s, "Options/WorkDir", o.WorkDir);
    WriteBool(s, "Options/ScaleRestrictor", o.ScaleRestrictor);
    WriteBool(s, "Options/ShowMixerAfterFileOpen", o.ShowMixerAfterFileOpen);
    WriteText(s, "Version/CurrentVersion", QLatin1String(kVersion));
    WriteInt(s, "CCOptions/DotID", o.DotID);
    WriteInt(s, "Options/LastTip", o.LastTip);
    s.sync();
    if (s.status() == QSettings::NoError)
        return true;
    messages_.Error(QStringLiteral("The settings could not be saved to \"%1\".").arg(QDir::toNativeSeparators(path_)));
    return false;
}
