#include "WindowPlacement.h"

#include "BesidePlacement.h"
#include "shell/IniFile.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zel::gui {

namespace {

const QString kSection = QStringLiteral("WINDOWS");
constexpr int kMaxCascadeSteps = 12;
// Caption bar and borders of a window the window system has not framed yet.
constexpr QMargins kUnframed{4, 30, 4, 4};

// Writes the window's geometry back when it is hidden or closed (not when minimised).
class GeometryKeeper : public QObject {
public:
    // Found by name: without its own meta-object a typed search would match any child.
    static inline const QString kObjectName = QStringLiteral("zelGeometryKeeper");

    GeometryKeeper(QWidget& window, const Settings& settings, QString key)
        : QObject(&window), m_window(window), m_settings(settings), m_key(std::move(key)) {
        setObjectName(kObjectName);
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Hide && !m_window.isMinimized())
            WindowPlacement::saveGeometry(m_settings, m_key,
                                          m_window.isMaximized() ? m_window.normalGeometry()
                                                                 : m_window.geometry());
        return false;
    }

private:
    QWidget& m_window;
    const Settings& m_settings;
    QString m_key;
};

QMargins frameOf(const QWidget& window) {
    if (!window.isVisible())
        return kUnframed;
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The size the window will have when shown.
QSize naturalSize(QWidget& window) {
    if (window.testAttribute(Qt::WA_Resized))
        return window.size();
    return window.sizeHint().expandedTo(window.minimumSizeHint()).expandedTo(window.minimumSize());
}

bool fullyOnSomeScreen(const QRect& rect, const QMargins& frame) {
    const QRect outer = rect.marginsAdded(frame);
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&outer](const QScreen* screen) {
        return screen->availableGeometry().contains(outer);
    });
}

// Top-left corners of the other top-level windows on show.
QList<QPoint> openCorners(const QWidget& window) {
    QList<QPoint> corners;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible() && !other->isMinimized())
            corners.append(other->geometry().topLeft());
    return corners;
}

const QWidget* anchorOf(const QWidget& window) {
    if (window.parentWidget())
        return window.parentWidget()->window();
    const QWidget* active = QApplication::activeWindow();
    return active != &window ? active : nullptr;
}

// The part of `anchor` a window opened beside it should leave uncovered, in screen
// coordinates; null when the anchor marks none.
QRect keepVisibleOf(const QWidget& anchor) {
    for (const QWidget* child : anchor.findChildren<QWidget*>())
        if (child->property(WindowPlacement::kKeepVisibleProperty).toBool() && child->isVisible())
            return {child->mapToGlobal(QPoint(0, 0)), child->size()};
    return {};
}

QRect placeNew(QWidget& window) {
    const QWidget* anchor = anchorOf(window);
    const QScreen* screen = anchor ? anchor->screen() : window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QMargins frame = frameOf(window);
    const QSize size = naturalSize(window);
    if (!anchor || !anchor->isVisible()) {
        const QPoint start = available.topLeft() + QPoint(frame.left(), frame.top());
        return WindowPlacement::cascaded(QRect(start, size), openCorners(window), available, frame);
    }
    // Corners of the frames the other windows would have if framed like this one: without a
    // window manager none is, and the rule still sees them where it put them.
    QList<QPoint> taken;
    for (const QPoint& corner : openCorners(window))
        taken.append(corner - QPoint(frame.left(), frame.top()));
    const PlacementScene scene{available, anchor->frameGeometry(), keepVisibleOf(*anchor), taken};
    const QSize outer = size.grownBy(frame);
    return WindowPlacement::fitted(BesidePlacement::place(outer, scene).marginsRemoved(frame),
                                   available, frame);
}

} // namespace

void WindowPlacement::place(QWidget& window, const Settings& settings, const QString& key) {
    QString name = key.isEmpty() ? window.objectName() : key;
    if (name.isEmpty())
        name = QString::fromLatin1(window.metaObject()->className());
    const QRect saved = savedGeometry(settings, name);
    const bool useSaved = saved.isValid() && fullyOnSomeScreen(saved, frameOf(window)) &&
                          saved.width() >= window.minimumWidth() &&
                          saved.height() >= window.minimumHeight();
    window.setGeometry(useSaved ? saved : placeNew(window));
    if (!window.findChild<QObject*>(GeometryKeeper::kObjectName, Qt::FindDirectChildrenOnly))
        new GeometryKeeper(window, settings, name);
}

QRect WindowPlacement::fitted(const QRect& wanted, const QRect& available, const QMargins& frame) {
    const QRect inner = available.marginsRemoved(frame);
    const int width = std::min(wanted.width(), inner.width());
    const int height = std::min(wanted.height(), inner.height());
    const int x = std::clamp(wanted.x(), inner.left(), inner.right() + 1 - width);
    const int y = std::clamp(wanted.y(), inner.top(), inner.bottom() + 1 - height);
    return {x, y, width, height};
}

QRect WindowPlacement::cascaded(const QRect& wanted, const QList<QPoint>& taken,
                                const QRect& available, const QMargins& frame) {
    const auto isTaken = [&taken](const QPoint& corner) {
        return std::any_of(taken.begin(), taken.end(), [&corner](const QPoint& other) {
            return (other - corner).manhattanLength() < kCascadeStep / 2;
        });
    };
    const QPoint step(kCascadeStep, kCascadeStep);
    const QPoint restart = available.topLeft() + QPoint(frame.left(), frame.top());
    for (const QPoint& start : {wanted.topLeft(), restart})
        for (int i = 0; i < kMaxCascadeSteps; ++i) {
            const QRect spot = fitted(QRect(start + step * i, wanted.size()), available, frame);
            if (!isTaken(spot.topLeft()))
                return spot;
        }
    return fitted(wanted, available, frame);
}

QRect WindowPlacement::savedGeometry(const Settings& settings, const QString& key) {
    IniFile file(settings.SettingsFilePath);
    if (settings.SettingsFilePath.isEmpty() || !file.load())
        return {};
    const QStringList parts = file.value(kSection, key).value_or(QString()).split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    std::array<int, 4> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        bool ok = false;
        numbers[i] = parts[static_cast<qsizetype>(i)].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    const QRect rect(numbers[0], numbers[1], numbers[2], numbers[3]);
    return rect.width() > 0 && rect.height() > 0 ? rect : QRect();
}

bool WindowPlacement::saveGeometry(const Settings& settings, const QString& key,
                                   const QRect& geometry) {
    // Only into the settings file there is; never a new one.
    if (!QFileInfo(settings.SettingsFilePath).isFile() || !geometry.isValid())
        return false;
    const QString value = QStringLiteral("%1,%2,%3,%4")
                              .arg(geometry.x())
                              .arg(geometry.y())
                              .arg(geometry.width())
                              .arg(geometry.height());
    if (savedGeometry(settings, key) == geometry)
        return true;
    return IniFile(settings.SettingsFilePath).writeValue(kSection, key, value);
}

} // namespace zel::gui
