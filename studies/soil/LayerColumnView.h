#pragma once

#include "report/LayerColumn.h"

#include <QWidget>

#include <optional>

// The fitted soil's layers as a column beside their table, redrawn at the widget's size;
// empty without a fit.
class LayerColumnView : public QWidget {
    Q_OBJECT
public:
    explicit LayerColumnView(QWidget *parent = nullptr);

    void setSoil(std::optional<tav::LayeredSoil> soil);
    const std::optional<tav::LayeredSoil> &soil() const { return m_soil; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<tav::LayeredSoil> m_soil;
};
