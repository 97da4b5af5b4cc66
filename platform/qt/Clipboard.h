#pragma once
// The clipboard: text (lines, tablature) and pictures (chord diagrams).
// MemoryClipboard (TestServices.h) keeps both in memory.
#include <QImage>
#include <QString>

namespace platform {

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual void SetText(const QString &text) = 0;
    virtual QString Text() const = 0;
    virtual bool HasText() const = 0;
    virtual void SetImage(const QImage &image) = 0;
    virtual QImage Image() const = 0;
};

class QtClipboard : public IClipboard {
public:
    void SetText(const QString &text) override;
    QString Text() const override;
    bool HasText() const override;
    void SetImage(const QImage &image) override;
    QImage Image() const override;
};

} // namespace platform
