#pragma once

#include <QWidget>

namespace app {

// The client area below the menu bar: it paints the window's background and
// the connector lines; the controls sit on it.
class ClientArea : public QWidget
{
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace app
