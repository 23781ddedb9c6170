#pragma once

#include <QLabel>
#include <QString>

namespace ui {

// A label that sizes itself to its text, growing to the right from its left edge, and reports clicks.
class Label final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Label)
public:
    explicit Label(QWidget* parent = nullptr);

    // Hides QLabel::setText so that every caption written through a ui::Label resizes it.
    void setText(const QString& text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace ui
