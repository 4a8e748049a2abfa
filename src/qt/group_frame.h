// A group box as Windows draws one: an etched frame whose top line runs
// through the middle of the caption. Qt's group boxes put the caption above
// the frame, which would push the frame's top below the template's first
// controls.
#pragma once

#include <QString>
#include <QWidget>

namespace kupongen::qt {

class GroupFrame : public QWidget {
    Q_OBJECT

public:
    GroupFrame(const QString& caption, QWidget* parent);

    const QString& Caption() const { return caption_; }
    // Where the caption is drawn, background included.
    QRect CaptionRect() const;
    // The caption's baseline, from the top.
    int CaptionBaseline() const;
    // The area the frame line encloses.
    QRect FrameRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace kupongen::qt
