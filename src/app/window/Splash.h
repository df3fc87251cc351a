#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

// The start-up picture: shaped by its non-black pixels, it closes after a while or on a left
// click and is not shown again during the run.
class Splash : public QWidget {
    Q_OBJECT

public:
    static constexpr int defaultCloseAfterMs = 7500;

    // Allows the one splash of this run; start-up turns it on before the main window exists.
    static void Enable();
    // Shows the splash over `owner` unless it is not allowed or already exists; the splash, or
    // nothing.
    static Splash* ShowOver(QWidget* owner, int closeAfterMs = defaultCloseAfterMs);
    static Splash* Current();

    // The window shape of a picture: every pixel that is not exactly black.
    static QRegion ShapeOf(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Splash(QWidget* owner, int closeAfterMs);
    void CloseSplash();

    QImage m_picture;
    QTimer m_timer;
};
