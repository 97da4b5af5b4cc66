#pragma once
// The pop-up hints of a window's controls, switched on and off together. A hint is either a
// fixed text or follows what its control shows ("Tempo: 120"): it is read again each time
// the hint is about to pop up, so it never tells an old value.
//
//   THints hints(window);
//   hints.Add(lblTempo, [lblTempo] { return lblTempo->text(); });
//   hints.SetVisible(options.ShowHints);
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class THints : public QObject {
public:
    explicit THints(QObject *parent = nullptr) : QObject(parent) {}

    void Add(QWidget *control, const QString &text);
    void Add(QWidget *control, std::function<QString()> text);
    // Shows every hint (each with its present text) or none.
    void SetVisible(bool visible);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct THint {
        QPointer<QWidget> control;
        std::function<QString()> text;
    };
    void Apply(const THint &hint) const;

    std::vector<THint> hints_;
    bool visible_ = true;
};
