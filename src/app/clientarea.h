#pragma once

#include <QWidget>

namespace app {

// The client area below the menu bar. Its paint event paints the banded
// gradient and the connector lines; the controls sit on top, the transparent
// captions showing the gradient through. The controls on it take their
// default colours from the standard light palette.
class ClientArea : public QWidget
{
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace app
