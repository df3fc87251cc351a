#include "Splash.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace {

bool splashAllowed = false;
QPointer<Splash> splashWindow;

} // namespace

void Splash::Enable() { splashAllowed = true; }

Splash* Splash::Current() { return splashWindow.data(); }

Splash* Splash::ShowOver(QWidget* owner, int closeAfterMs)
{
    if (!splashAllowed || splashWindow)
        return nullptr;
    auto* splash = new Splash(owner, closeAfterMs);
    if (splash->m_picture.isNull()) {
        delete splash;
        return nullptr;
    }
    splashWindow = splash;
    splash->show();
    splash->repaint();
    return splash;
}

QRegion Splash::ShapeOf(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QRegion shape;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int x = 0;
        while (x < rgb.width()) {
            while (x < rgb.width() && (line[x] & RGB_MASK) == 0)
                ++x;
            const int start = x;
            while (x < rgb.width() && (line[x] & RGB_MASK) != 0)
                ++x;
            if (x > start)
                shape += QRect(start, y, x - start, 1);
        }
    }
    return shape;
}

Splash::Splash(QWidget* owner, int closeAfterMs)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_picture(QStringLiteral(":/pictures/splash.png"))
{
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (m_picture.isNull())
        return;
    setFixedSize(m_picture.size());
    setMask(ShapeOf(m_picture));
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Splash::CloseSplash);
    m_timer.start(closeAfterMs);
}

void Splash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void Splash::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        CloseSplash();
}

void Splash::CloseSplash()
{
    // Once closed it stays closed for the rest of the run.
    splashAllowed = false;
    m_timer.stop();
    QWidget* owner = parentWidget();
    close();
    if (owner)
        owner->repaint();
}
