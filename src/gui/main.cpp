// zel: the desktop tool. Start: language records, zel.ini, one running copy, splash, menu.
#include "SimulatedController.h"
#include "backup/BackupWindow.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "commtest/CommTestWindow.h"
#include "cpuwriter/CpuWriterWindow.h"
#include "link/CommLogWindow.h"
#include "link/LinkEngine.h"
#include "panel/PanelWindow.h"
#include "shell/Application.h"
#include "shell/MenuState.h"
#include "shell/MenuWindow.h"
#include "shell/MessageDetail.h"
#include "shell/ProgramFolder.h"
#include "shell/QMessageBoxSink.h"
#include "shell/QtTranslations.h"
#include "shell/SingleInstanceLock.h"
#include "shell/SplashWindow.h"
#include "titles/TitleWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kExitRefused = 1;
constexpr int kScreenshotSplashMs = 1000;
constexpr int kScreenshotMenuMs = 500;

struct StartOptions {
    QString folder;
    QString port;
    QString lang;
    QString screenshot; // prefix of the image files
    QStringList open;   // screens opened at start, by name
    bool simulate = false;
};

// The screen names of --open with the menu buttons they stand for.
const QList<std::pair<QString, int>>& screenNames() {
    using zel::MenuState;
    static const QList<std::pair<QString, int>> names{
        {QStringLiteral("panel"), MenuState::ButtonPanel},
        {QStringLiteral("title"), MenuState::ButtonTitle},
        {QStringLiteral("titles"), MenuState::ButtonTitle},
        {QStringLiteral("backup"), MenuState::ButtonBackup},
        {QStringLiteral("cpuwriter"), MenuState::ButtonCpuWriter},
        {QStringLiteral("option"), MenuState::ButtonOption},
        {QStringLiteral("test"), MenuState::ButtonCommTest},
        {QStringLiteral("commtest"), MenuState::ButtonCommTest},
        {QStringLiteral("log"), MenuState::ButtonCommLog},
    };
    return names;
}

// The menu button a screen name of --open stands for, or -1.
int screenButton(const QString& name) {
    for (const auto& [known, button] : screenNames())
        if (known == name.toLower())
            return button;
    return -1;
}

QString screenNameList() {
    QStringList names;
    for (const auto& entry : screenNames())
        names.append(entry.first);
    return names.join(QStringLiteral(", "));
}

// --help and --version are answered before any window system is asked for a display.
bool asksHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

StartOptions parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Service tool for CCTV camera controllers."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral("Program folder holding zel.ini (default: the executable's folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Serial device to open instead of COMn."),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Talk to a built-in simulated camera controller on a pseudo-terminal."));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Language of this run: en or ja."),
                                  QStringLiteral("en|ja"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save PREFIX-splash.png, PREFIX-menu.png and one PREFIX-NAME.png per "
                       "open screen, PREFIX-screen.png of the whole screen, then quit (no check "
                       "for a running copy)."),
        QStringLiteral("PREFIX"));
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("Open a screen once the menu shows (repeatable): panel, title, backup, "
                       "cpuwriter, option, test, log (titles and commtest too)."),
        QStringLiteral("NAME"));
    parser.addOptions({folder, port, simulate, lang, screenshot, open});
    parser.process(app);
    StartOptions options;
    options.folder = parser.isSet(folder) ? parser.value(folder) : app.applicationDirPath();
    options.port = parser.value(port);
    options.lang = parser.value(lang);
    options.screenshot = parser.value(screenshot);
    options.simulate = parser.isSet(simulate);
    options.open = parser.values(open);
    for (const QString& name : options.open)
        if (screenButton(name) < 0) {
            std::fprintf(stderr, "zel: unknown screen '%s' for --open; the screens are: %s\n",
                         qPrintable(name), qPrintable(screenNameList()));
            std::exit(2);
        }
    return options;
}

// One line per screen that exists; the others answer with a short notice until they land.
void wireScreens(zel::gui::MenuWindow& menu, zel::Application& shell) {
    using zel::MenuState;
    menu.setScreenOpener(MenuState::ButtonPanel, [&menu, &shell] {
        return new zel::gui::PanelWindow(shell.engine(), shell.language(), shell.settings(),
                                         shell.messages(), &menu);
    });
    menu.setScreenOpener(MenuState::ButtonBackup, [&menu, &shell] {
        return new zel::gui::BackupWindow(shell.engine(), shell.language(), shell.settings(),
                                          shell.messages(), &menu);
    });
    menu.setScreenOpener(MenuState::ButtonCommTest, [&menu, &shell] {
        auto* test =
            new zel::gui::CommTestWindow(shell.engine(), shell.language(), shell.messages(), &menu);
        test->enableFind(shell.findState(), shell.titleChars());
        return test;
    });
    menu.setScreenOpener(MenuState::ButtonCpuWriter,
                         [&menu, &shell] { return new zel::gui::CpuWriterWindow(shell, &menu); });
    menu.setScreenOpener(MenuState::ButtonCommLog, [&menu, &shell] {
        auto* log = new zel::gui::CommLogWindow(shell.commLog(), shell.messages(), &menu);
        log->enableFind(shell.findState(), shell.language(), shell.titleChars());
        log->enablePrint(shell.language());
        log->setLanguageIndex(shell.settings().languageIndex());
        return log;
    });
    menu.setTitleOpener([&menu, &shell](int slot) {
        return zel::gui::TitleWindow::openFromMenu(menu, shell, slot);
    });
    menu.setTitleAutoSaveHook([](QWidget* window) {
        if (auto* titles = qobject_cast<zel::gui::TitleWindow*>(window))
            titles->SetTime_OnOffProc();
    });
}

void saveImage(QWidget& window, const QString& path) {
    if (!window.grab().save(path))
        std::fprintf(stderr, "zel: cannot write %s\n", qPrintable(path));
}

// Every visible top-level window but the menu, named by its object name.
void saveScreenImages(const QWidget& menu, const QString& prefix) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != &menu) {
            const QString name = window->objectName().isEmpty()
                                     ? QString::fromLatin1(window->metaObject()->className())
                                     : window->objectName();
            saveImage(*window, prefix + QLatin1Char('-') + name + QStringLiteral(".png"));
        }
}

// The whole screen, to see where the windows stand.
void saveDesktopImage(const QString& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && !screen->grabWindow(0).save(path))
        std::fprintf(stderr, "zel: cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    if (asksHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("zel"));
        QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
        parseOptions(core); // prints the help or the version and ends the program
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zel"));
    QApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    const StartOptions options = parseOptions(app);

    zel::Application shell; // both language records are filled first
    zel::gui::QMessageBoxSink messages(shell.language());
    messages.setDetailSource([&shell](int number) { return zel::messageDetail(shell, number); });
    const zel::ProgramFolderChoice folder = zel::ProgramFolder::choose(
        options.folder, zel::ProgramFolder::userFolder(),
        zel::ProgramFolder::defaultFolders(QApplication::applicationDirPath()));
    if (!folder.problem.isEmpty())
        std::fprintf(stderr, "zel: %s\n", qPrintable(folder.problem));
    if (!shell.readSettings(folder.folder)) {
        messages.ShowMessage(zel::MessageNoSettingFile); // in English
        return kExitRefused;
    }
    if (!options.lang.isEmpty()) {
        shell.settings().LanguageMode =
            options.lang == QStringLiteral("ja") ? QStringLiteral("1") : QStringLiteral("0");
        shell.language().setLanguageIndex(shell.settings().languageIndex());
    }
    if (!zel::gui::QtTranslations::install(shell.language().languageIndex(), &app))
        std::fprintf(stderr,
                     "zel: Qt's Japanese texts are not installed; its buttons stay English\n");
    // A screenshot run only looks: it may run beside a working copy.
    zel::SingleInstanceLock lock;
    if (options.screenshot.isEmpty() && !lock.tryLock()) {
        messages.ShowMessage(zel::MessageAlreadyStarted);
        return kExitRefused;
    }
    if (!options.port.isEmpty())
        shell.settings().PortOverride = options.port;

    std::unique_ptr<zel::sim::SimulatedController> simulator;
    if (options.simulate) {
        simulator = std::make_unique<zel::sim::SimulatedController>();
        QString why;
        if (!simulator->start(&why)) {
            std::fprintf(stderr, "zel: simulated controller: %s\n", qPrintable(why));
            return kExitRefused;
        }
        shell.settings().PortOverride = simulator->slavePath();
    }

    shell.start(messages);
    const zel::Subscription openFailures = shell.engine().watchOpenFailures([](const QString& why) {
        std::fprintf(stderr, "zel: cannot open the serial port: %s\n", qPrintable(why));
    });
    zel::gui::SplashWindow splash(shell.language());
    zel::gui::MenuWindow menu(shell);
    wireScreens(menu, shell);
    QObject::connect(&splash, &zel::gui::SplashWindow::finished, &menu, [&] {
        // Armed first: a message box raised while the menu loads is in the pictures too.
        if (!options.screenshot.isEmpty())
            QTimer::singleShot(kScreenshotMenuMs, &menu, [&] {
                saveImage(menu, options.screenshot + QStringLiteral("-menu.png"));
                saveScreenImages(menu, options.screenshot);
                saveDesktopImage(options.screenshot + QStringLiteral("-screen.png"));
                // Ends every loop, a message box's too: open screens would refuse a close.
                QCoreApplication::exit(0);
            });
        menu.load();
        menu.show();
        messages.setParent(&menu);
        for (const QString& name : options.open)
            menu.clickButton(screenButton(name));
    });
    if (!options.screenshot.isEmpty())
        QTimer::singleShot(kScreenshotSplashMs, &splash, [&] {
            saveImage(splash, options.screenshot + QStringLiteral("-splash.png"));
        });
    splash.start();
    const int result = QApplication::exec();
    shell.closePort();
    return result;
}
