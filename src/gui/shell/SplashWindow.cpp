#include "SplashWindow.h"

#include "shell/LanguageTables.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zel::gui {

namespace {
QLabel* makeLabel(const QString& text, const QString& name, int pointSize, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    // Lines break where the text says: wrapping would break Japanese words anywhere.
    label->setWordWrap(false);
    return label;
}
} // namespace

SplashWindow::SplashWindow(const LanguageTables& language, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmFirst"));
    setWindowTitle(language.text(LangGroup::Splash, SplashTitle));
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(32, 32, 32, 24);
    layout->addWidget(makeLabel(language.text(LangGroup::Splash, SplashTitle),
                                QStringLiteral("LabelTitle"), 22, frame));
    layout->addSpacing(16);
    layout->addWidget(makeLabel(language.text(LangGroup::Splash, SplashNotice),
                                QStringLiteral("LabelNotice"), 10, frame));
    layout->addSpacing(16);
    auto* version = new QHBoxLayout;
    version->addStretch();
    version->addWidget(makeLabel(QStringLiteral("Ver"), QStringLiteral("LabelVer"), 10, frame));
    version->addWidget(makeLabel(QStringLiteral("1.1"), QStringLiteral("LabelVersion"), 10, frame));
    layout->addLayout(version);
    frame->setMinimumWidth(kMinWidth); // wider when a text needs it

    m_timerFirst.setSingleShot(true);
    m_timerFirst.setInterval(kShowMs);
    connect(&m_timerFirst, &QTimer::timeout, this, &SplashWindow::onTimerFirst);
}

void SplashWindow::start() {
    show();
    m_timerFirst.start();
}

void SplashWindow::onTimerFirst() {
    close();
    emit finished();
}

} // namespace zel::gui
