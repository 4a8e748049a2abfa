#include "caption_place.h"

#include "group_frame.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace kupongen::qt {

std::optional<CaptionPlace> CaptionPlaceOf(const QWidget* widget) {
    CaptionPlace place;
    if (const auto* frame = qobject_cast<const GroupFrame*>(widget)) {
        place.caption = frame->Caption();
        place.room = frame->CaptionRect();
        place.alignment = Qt::AlignHCenter;
        place.baseline = frame->CaptionBaseline();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        place.caption = button->text();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = place.caption;
        QStyle::SubElement element = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QCheckBox*>(widget) != nullptr) {
            element = QStyle::SE_CheckBoxContents;
        } else if (qobject_cast<const QRadioButton*>(widget) != nullptr) {
            element = QStyle::SE_RadioButtonContents;
        } else {
            place.alignment = Qt::AlignCenter;
            if (qobject_cast<const QPushButton*>(widget)->autoDefault()) {
                option.features |= QStyleOptionButton::AutoDefaultButton;
            }
        }
        place.room = widget->style()->subElementRect(element, &option, widget);
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        place.caption = label->text();
        place.room = label->contentsRect();
        place.alignment = label->alignment();
    } else {
        return std::nullopt;
    }
    return place;
}

} // namespace kupongen::qt
