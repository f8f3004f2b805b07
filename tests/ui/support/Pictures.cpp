#include "Pictures.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStandardPaths>
#include <QWidget>

#include <cstdlib>

namespace Pictures {

namespace {

QString PictureFolder()
{
    const QString wanted = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR");
    if (!wanted.isEmpty()) {
        QDir().mkpath(wanted);
        return wanted;
    }
    const QString temp = QDir::temp().filePath(QStringLiteral("irvata-pictures"));
    QDir().mkpath(temp);
    return temp;
}

bool IsField(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w)
           || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
           || qobject_cast<const QLabel*>(w);
}

}  // namespace

QImage Take(QWidget* widget, const QString& name)
{
    const QImage picture = widget->grab().toImage();
    picture.save(QDir(PictureFolder()).filePath(name + QStringLiteral(".png")));
    return picture;
}

std::string FieldsOutside(const QWidget* window)
{
    const QRect inside = window->rect();
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!IsField(w) || !w->isVisibleTo(window))
            continue;
        // A line edit inside a combo or spin box is that box's own business.
        if (qobject_cast<const QLineEdit*>(w) && w->parentWidget() && IsField(w->parentWidget()))
            continue;
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        const std::string what = (w->metaObject()->className() + std::string(" \"") + w->objectName().toStdString()
                                  + "\"");
        if (r.width() <= 1 || r.height() <= 1)
            return what + " has no size";
        if (!inside.contains(r))
            return what + " lies outside the window";
    }
    return {};
}

int InkPixels(const QImage& picture, const QRect& area)
{
    const QRect r = area.intersected(picture.rect());
    if (r.isEmpty())
        return 0;
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[picture.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const int d = std::abs(qRed(p) - qRed(background)) + std::abs(qGreen(p) - qGreen(background))
                          + std::abs(qBlue(p) - qBlue(background));
            if (d > 96)
                ++ink;
        }
    return ink;
}

QRect AreaOf(const QWidget* child, const QWidget* ancestor, const QImage& picture)
{
    const qreal ratio = picture.devicePixelRatio();
    const QRect r(child->mapTo(ancestor, QPoint(0, 0)), child->size());
    return QRect(int(r.x() * ratio), int(r.y() * ratio), int(r.width() * ratio), int(r.height() * ratio));
}

}  // namespace Pictures
