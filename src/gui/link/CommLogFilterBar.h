#pragma once
// The log window's filter row: direction, camera and command choices and "Export CSV".
// The choices offer the cameras and commands that occur in the shown recording.
#include "link/CommLogFilter.h"

#include <QToolBar>
#include <QVector>

class QComboBox;
class QLabel;
class QPushButton;

namespace zel::gui {

class CommLogFilterBar : public QToolBar {
    Q_OBJECT
public:
    explicit CommLogFilterBar(QWidget* parent = nullptr);

    // Captions in English (0) or Japanese (1).
    void setLanguageIndex(int languageIndex);
    // Offers the cameras and commands of `frames`; a choice that is still offered stays.
    void offerChoicesFrom(const QVector<DecodedFrame>& frames);
    CommLogFilter filter() const;
    // Every choice back to "All".
    void showAll();

    QComboBox& directionBox() { return *m_direction; }
    QComboBox& cameraBox() { return *m_camera; }
    QComboBox& commandBox() { return *m_command; }
    QPushButton& exportButton() { return *m_export; }

signals:
    void filterChanged();
    void exportRequested();

private:
    QComboBox* addChoice(QLabel*& label, const char* objectName);
    void fillDirections();
    // Refills `box` keeping its choice where it is still offered; true when it had to move.
    static bool refill(QComboBox& box, const QString& allText, const QList<int>& values,
                       const std::function<QString(int)>& textOf);

    QLabel* m_directionLabel = nullptr;
    QLabel* m_cameraLabel = nullptr;
    QLabel* m_commandLabel = nullptr;
    QComboBox* m_direction = nullptr;
    QComboBox* m_camera = nullptr;
    QComboBox* m_command = nullptr;
    QPushButton* m_export = nullptr;
    int m_languageIndex = 0;
    QList<int> m_cameras;
    QList<int> m_commands;
};

} // namespace zel::gui
