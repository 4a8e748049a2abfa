// The spread of rights as a bar chart: one bar for each number of rights,
// 13 at the top down to 0 as the grade report lists them, each labelled by
// its number, as long as its count against the largest and with the count
// beside it.
#pragma once

#include "rows_review.h"

#include <QFrame>

namespace kupongen::qt {

class RightsChart : public QFrame {
    Q_OBJECT

public:
    RightsChart(const rows::RowsReview& review, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const rows::RowsReview& review_;
};

} // namespace kupongen::qt
