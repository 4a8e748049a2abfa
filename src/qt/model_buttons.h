// Check boxes and radio buttons whose marks only the dialog model sets. Qt
// would toggle a mark itself on a click; these leave it alone, so that every
// click, whatever its source, reaches the model first and the window then
// shows the mark the model chose.
#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace kupongen::qt {

class ModelCheckBox : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

class ModelRadioButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override {}
};

} // namespace kupongen::qt
