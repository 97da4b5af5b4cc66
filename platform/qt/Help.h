#pragma once
// Help: the program's help is an HTML document named after the program ("Tarrowind.html"
// or ".htm"), looked for in the install folder of the settings and then beside the
// program, and shown in the desktop's browser. Without one the help menu is disabled.
//
//   const QString doc = platform::FindHelpDocument(options.InstallDir, QCoreApplication::applicationDirPath());
//   Contents1->setEnabled(!doc.isEmpty());
//   ...  services.help.ShowContents(doc);
#include <QString>

namespace platform {

class IHelp {
public:
    virtual ~IHelp() = default;
    // Shows the document's contents page. False when it cannot be shown.
    virtual bool ShowContents(const QString &helpDocument) = 0;
    // The program is ending; a viewer of our own would close here.
    virtual void Quit() = 0;
};

// Full path of the first existing "<baseName>.html" or "<baseName>.htm" in `installDir`,
// then in `programDir`; empty when there is none (or a folder is empty).
QString FindHelpDocument(const QString &installDir, const QString &programDir,
                         const QString &baseName = QStringLiteral("Tarrowind"));

class QtHelp : public IHelp {
public:
    bool ShowContents(const QString &helpDocument) override;
    void Quit() override {}
};

} // namespace platform
